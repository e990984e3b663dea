#include "bench/app/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace r88::bench {

namespace {

using Clock = std::chrono::steady_clock;

// Window managers that keep _NET_ACTIVE_WINDOW and follow its requests, the
// small ones first.
constexpr const char* kWindowManagers[] = {"openbox", "matchbox-window-manager", "icewm", "fluxbox", "xfwm4"};

std::vector<unsigned long> WindowProperty(Display* dpy, Window w, Atom property, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(dpy, w, property, 0, 4096, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data) {
        // 32-bit properties come as longs on the client side.
        if (format == 32) {
            const auto* longs = reinterpret_cast<const unsigned long*>(static_cast<const void*>(data));
            values.assign(longs, longs + count);
        }
        XFree(data);
    }
    return values;
}

template <typename Pred>
bool WaitFor(Pred pred, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        if (pred()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return pred();
}

int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

struct XSession::X {
    Display* dpy = nullptr;
    Window own = 0;
    ~X() {
        if (dpy) XCloseDisplay(dpy);
    }
    Atom A(const char* name) const { return XInternAtom(dpy, name, False); }
    Window Active() const {
        const auto v = WindowProperty(dpy, DefaultRootWindow(dpy), A("_NET_ACTIVE_WINDOW"), XA_WINDOW);
        return v.empty() ? 0 : static_cast<Window>(v[0]);
    }
    std::vector<unsigned long> Clients() const {
        return WindowProperty(dpy, DefaultRootWindow(dpy), A("_NET_CLIENT_LIST"), XA_WINDOW);
    }
};

XSession::XSession() : x_(std::make_unique<X>()) {}

XSession::~XSession() {
    x_.reset();  // our window goes with the connection
    manager_.Stop();
    server_.Stop();
}

std::string XSession::Start(const std::string& workDir, const Environment& baseEnv) {
    const std::string xvfb = FindOnPath("Xvfb");
    if (xvfb.empty()) return "no Xvfb on PATH (Debian package xvfb)";
    std::string manager;
    for (const char* wm : kWindowManagers) {
        manager = FindOnPath(wm);
        if (!manager.empty()) break;
    }
    if (manager.empty())
        return "no window manager on PATH (openbox, matchbox-window-manager, icewm, fluxbox, xfwm4)";
    windowManager_ = std::filesystem::path(manager).filename().string();

    // A display nobody uses: no lock file and no socket.
    int number = 90;
    for (; number < 200; ++number) {
        const std::string n = std::to_string(number);
        if (!std::filesystem::exists("/tmp/.X" + n + "-lock") &&
            !std::filesystem::exists("/tmp/.X11-unix/X" + n))
            break;
    }
    if (number == 200) return "no free X display number between 90 and 199";
    display_ = ':' + std::to_string(number);

    Environment env = baseEnv;
    env.Set("DISPLAY", display_);
    if (!server_.Start({xvfb, display_, "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"}, env,
                       workDir + "/xvfb.log"))
        return "Xvfb could not be started";
    XSetErrorHandler(IgnoreXErrors);
    if (!WaitFor(
            [&] {
                if (server_.Poll()) return true;
                x_->dpy = XOpenDisplay(display_.c_str());
                return x_->dpy != nullptr;
            },
            10000) ||
        !x_->dpy)
        return "Xvfb did not come up on " + display_ + " (see " + workDir + "/xvfb.log)";

    if (!manager_.Start({manager}, env, workDir + "/wm.log")) return windowManager_ + " could not be started";
    const Atom check = x_->A("_NET_SUPPORTING_WM_CHECK");
    if (!WaitFor(
            [&] {
                return manager_.Poll() ||
                       !WindowProperty(x_->dpy, DefaultRootWindow(x_->dpy), check, XA_WINDOW).empty();
            },
            10000) ||
        manager_.Poll())
        return windowManager_ + " did not take over " + display_ + " (see " + workDir + "/wm.log)";
    return {};
}

bool XSession::WaitForWindowOf(pid_t pid, int timeoutMs) {
    if (!x_->dpy) return false;
    const Atom wmPid = x_->A("_NET_WM_PID");
    return WaitFor(
        [&] {
            for (unsigned long w : x_->Clients()) {
                const auto v = WindowProperty(x_->dpy, static_cast<Window>(w), wmPid, XA_CARDINAL);
                if (!v.empty() && static_cast<pid_t>(v[0]) == pid) return true;
            }
            return false;
        },
        timeoutMs);
}

std::string XSession::ActivateOwnWindow(int timeoutMs) {
    Display* dpy = x_->dpy;
    if (!dpy) return "no X connection";
    if (x_->own) return RequestActivation(timeoutMs);
    const int screen = DefaultScreen(dpy);
    x_->own = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 0, 0, 320, 200, 0, BlackPixel(dpy, screen),
                                  WhitePixel(dpy, screen));
    XStoreName(dpy, x_->own, "r88 benchmark: the other window");
    // Window managers give focus only to windows that say they take input.
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = NormalState;
    XSetWMHints(dpy, x_->own, &hints);
    XMapRaised(dpy, x_->own);
    XSync(dpy, False);
    if (!WaitFor(
            [&] {
                for (unsigned long w : x_->Clients())
                    if (static_cast<Window>(w) == x_->own) return true;
                return false;
            },
            timeoutMs))
        return "the window manager did not take the benchmark's window";
    return RequestActivation(timeoutMs);
}

std::string XSession::RequestActivation(int timeoutMs) {
    Display* dpy = x_->dpy;
    // Asked as a pager would (source 2), which window managers obey without
    // their focus-stealing rules.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = x_->own;
    e.xclient.message_type = x_->A("_NET_ACTIVE_WINDOW");
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XWarpPointer(dpy, None, x_->own, 0, 0, 0, 0, 100, 100);
    XSync(dpy, False);
    if (!WaitFor([&] { return OwnWindowActive(); }, timeoutMs))
        return "the window manager did not make the benchmark's window active";
    return {};
}

bool XSession::OwnWindowActive() {
    return x_->dpy && x_->own && x_->Active() == x_->own;
}

}  // namespace r88::bench
