#pragma once
// A private X server (Xvfb on a free display) with a window manager and one
// window of the benchmark's own that it can make the active one, so that the
// application's window is shown but neither active nor under the pointer.
#include <sys/types.h>

#include <memory>
#include <string>

#include "bench/app/child_process.h"

namespace r88::bench {

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts the server and the window manager. Empty when ready, otherwise
    // why not (a missing program, a server that does not come up).
    std::string Start(const std::string& workDir, const Environment& env);
    const std::string& DisplayName() const { return display_; }
    const std::string& WindowManager() const { return windowManager_; }

    // Waits until the window manager manages a top-level window of `pid`.
    bool WaitForWindowOf(pid_t pid, int timeoutMs);
    // Maps the benchmark's window (the first time), makes it the active one
    // and moves the pointer onto it. Empty when done, otherwise why not.
    std::string ActivateOwnWindow(int timeoutMs);
    // Whether the benchmark's window is still the active one.
    bool OwnWindowActive();

private:
    std::string RequestActivation(int timeoutMs);

    struct X;
    std::unique_ptr<X> x_;
    std::string display_;
    std::string windowManager_;
    ChildProcess server_;
    ChildProcess manager_;
};

}  // namespace r88::bench
