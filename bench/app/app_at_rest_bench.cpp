// The application at rest with the three emulated devices connected
// (`vantiro-r88 --simulate`): CPU time per thread and resident memory while
// nobody uses it, in three states of the window:
//   hidden          started with --hidden (offscreen)
//   shown_inactive  under a private Xvfb with a window manager, another
//                   window active and the pointer on it
//   shown_active    offscreen, where a shown window is the active one
// Goals for the first two: under 2 % of one core in total, resident memory
// flat (growth under 1 MB after the first 10 s).
//
// The program runs as a child process, started as a user starts it (its own
// main(), platform plugin, single-instance lock, event loop), and is sampled
// from outside through /proc: nothing of the benchmark (its threads, its
// allocations, its X connection) is counted in the figures, which an
// in-process run could not promise.
//
// Each run lasts R88_BENCH_SECONDS (default 60): the first 10 s (half, for
// runs shorter than 20 s) let start-up settle, CPU is measured over the
// rest, resident memory is compared between the end of the settling and the
// end. The *_repaints runs start the program again with Qt's widget painting
// log on and count the repaint passes it logs over R88_BENCH_REPAINT_SECONDS
// (default 10) after the settling; the log costs CPU, so those runs report
// no CPU figure.
//
// The lighting_* runs animate instead: before the start the effects are set
// in the profile documents of the run's private data folder (pad on wave,
// headset on spectrum cycle, keyboard on spectrum cycle), and the program is
// sampled for R88_BENCH_LIGHT_SECONDS (default 30) after the settling. They
// report CPU per thread with the application's lighting threads apart from
// the emulated devices' own, and what the emulated devices received: the
// simulated setup writes its frame statistics to the file named by
// R88_SIM_LIGHT_STATS, read at both ends of the window. Goals: hidden and
// shown inactive, all lighting together under 3 % of one core, the pad at
// least 190 frames a second and no frame queued (arriving under 1 ms after
// the one before); shown active, the whole process under 10 % and the
// picture repainted at the display's rate (lighting_shown_active_repaints).
//
// R88_BENCH_PROGRAM runs another build of the program (default: the one of
// this build tree).
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <json/json.h>

#include "bench/app/child_process.h"
#include "bench/app/process_sampler.h"
#include "bench/app/x_session.h"

namespace r88::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kCpuGoalPercent = 2.0;
constexpr double kLightingCpuGoalPercent = 3.0;
constexpr double kActiveCpuGoalPercent = 10.0;
constexpr double kPadFpsGoal = 190.0;
constexpr const char* kLightStatsEnv = "R88_SIM_LIGHT_STATS";
// The data folder of the program and the device folders its documents are in.
constexpr const char* kAppDataFolderName = "VANTIRO  R88 Gaming Keyboard";
constexpr double kRssGrowthGoalKb = 1024.0;
// What Qt writes (QT_LOGGING_RULES=qt.widgets.painting=true) once per
// repaint pass of a top-level window, and once per widget drawn in a pass.
constexpr const char* kPaintLogCategory = "qt.widgets.painting";
constexpr const char* kRepaintPassLine = "qt.widgets.painting: Syncing dirty widgets";
constexpr const char* kWidgetDrawnLine = "qt.widgets.painting: Drawing ";

enum class Scene { kHidden, kShownInactive, kShownActive };
enum class Measure { kCpuAndMemory, kRepaints };
enum class Workload { kAtRest, kLighting };

int EnvSeconds(const char* name, int fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    const int s = std::atoi(v);
    return s > 0 ? s : fallback;
}

std::string ProgramPath() {
    const char* over = std::getenv("R88_BENCH_PROGRAM");
    return over && *over ? std::string(over) : std::string(R88_BINARY_DIR "/bin/vantiro-r88");
}

const char* SceneText(Scene s) {
    switch (s) {
        case Scene::kHidden:
            return "hidden (--hidden, offscreen)";
        case Scene::kShownInactive:
            return "shown, inactive (Xvfb, window manager, another window active)";
        case Scene::kShownActive:
            return "shown, active (offscreen)";
    }
    return "";
}

// The devices' own threads: each device's light thread and notification
// reader, and any thread of the emulated devices themselves.
bool IsDeviceThread(const std::string& name) {
    return name.rfind("r88-light", 0) == 0 || name.rfind("r88-notify", 0) == 0 || name.rfind("sim-", 0) == 0;
}

// The application's lighting threads: every device's light thread and the
// synchronised lighting.
bool IsLightingThread(const std::string& name) {
    return name.rfind("r88-light", 0) == 0 || name.rfind("r88-sync-light", 0) == 0;
}

// Threads of the emulated devices themselves, not of the application.
bool IsEmulatedDeviceThread(const std::string& name) {
    return name.rfind("sim-", 0) == 0;
}

// A private home for one run: its own runtime folder (single-instance lock),
// settings and profiles, removed afterwards.
class ScratchHome {
public:
    ScratchHome() {
        std::string pattern = (fs::temp_directory_path() / "r88-app-bench-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
        if (path_.empty()) return;
        for (const char* sub : {"runtime", "config", "data", "cache"}) fs::create_directories(path_ / sub);
        chmod((path_ / "runtime").c_str(), 0700);
    }
    ~ScratchHome() {
        std::error_code ec;
        if (!path_.empty() && !std::getenv("R88_BENCH_KEEP")) fs::remove_all(path_, ec);
    }
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;
    bool Valid() const { return !path_.empty(); }
    std::string Path(const char* sub = "") const { return (path_ / sub).string(); }

private:
    fs::path path_;
};

Environment ProgramEnvironment(const ScratchHome& home) {
    Environment env = Environment::Inherited();
    env.Set("HOME", home.Path());
    env.Set("XDG_RUNTIME_DIR", home.Path("runtime"));
    env.Set("XDG_CONFIG_HOME", home.Path("config"));
    env.Set("XDG_DATA_HOME", home.Path("data"));
    env.Set("XDG_CACHE_HOME", home.Path("cache"));
    if (!std::getenv("VANTIRO_DATA_DIR")) env.Set("VANTIRO_DATA_DIR", R88_BINARY_DIR "/share/vantiro-r88");
    // No session bus, no tracing, no desktop session: the program alone.
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "VANTIRO_TRACE", "SESSION_MANAGER",
                             "WAYLAND_DISPLAY", "QT_LOGGING_RULES", "R88_SIM_LEAVE_OUT"})
        env.Unset(name);
    return env;
}

std::string LastLines(const std::string& path, size_t count) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::string text;
    for (size_t i = lines.size() > count ? lines.size() - count : 0; i < lines.size(); ++i)
        text += (text.empty() ? "" : " | ") + lines[i];
    return text;
}

bool FileHas(const std::string& path, const std::string& text) {
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

size_t FileSize(const std::string& path) {
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : static_cast<size_t>(size);
}

// Lines from `offset` on that start with each needle.
std::vector<size_t> CountLinesFrom(const std::string& path, size_t offset,
                                   const std::vector<std::string>& needles) {
    std::ifstream in(path);
    in.seekg(static_cast<std::streamoff>(offset));
    std::vector<size_t> n(needles.size(), 0);
    for (std::string line; std::getline(in, line);)
        for (size_t i = 0; i < needles.size(); ++i)
            if (line.rfind(needles[i], 0) == 0) ++n[i];
    return n;
}

// CPU of one thread over the measured window.
struct ThreadShare {
    pid_t tid = 0;
    std::string name;
    double percent = 0;
};

struct Figures {
    double seconds = 0;  // measured window
    double totalPercent = 0;
    double uiPercent = 0;
    double discoveryPercent = 0;
    double devicePercent = 0;
    double otherPercent = 0;
    double lightingPercent = 0;  // the application's lighting threads
    double emulatedPercent = 0;  // the emulated devices' own threads
    std::vector<ThreadShare> threads;
    int deviceThreads = 0;
    std::map<std::string, int> deviceThreadKinds;  // name: how many
    uint64_t rssSettledKb = 0;
    uint64_t rssEndKb = 0;
    uint64_t rssMaxKb = 0;
    size_t repaintPasses = 0;
    size_t widgetsDrawn = 0;
};

Figures Compute(pid_t pid, const ProcessSample& from, const ProcessSample& to,
                const std::map<pid_t, ThreadTimes>& lastSeen) {
    Figures f;
    f.seconds = std::chrono::duration<double>(to.at - from.at).count();
    const double perTick = 100.0 / static_cast<double>(TicksPerSecond()) / std::max(f.seconds, 1e-3);
    f.totalPercent = static_cast<double>(to.totalTicks - from.totalTicks) * perTick;
    // Threads that ended during the window count up to their last sample;
    // threads born in it count from zero.
    for (const auto& [tid, seen] : lastSeen) {
        const auto start = from.threads.find(tid);
        const uint64_t before = start == from.threads.end() ? 0 : start->second.ticks;
        const double percent = static_cast<double>(seen.ticks - std::min(before, seen.ticks)) * perTick;
        f.threads.push_back({tid, tid == pid ? "UI (main)" : seen.name, percent});
        if (IsLightingThread(seen.name)) f.lightingPercent += percent;
        if (IsEmulatedDeviceThread(seen.name)) f.emulatedPercent += percent;
        if (tid == pid) {
            f.uiPercent += percent;
        } else if (seen.name == "r88-discovery") {
            f.discoveryPercent += percent;
        } else if (IsDeviceThread(seen.name)) {
            f.devicePercent += percent;
        } else {
            f.otherPercent += percent;
        }
    }
    for (const auto& [tid, t] : to.threads) {
        if (!IsDeviceThread(t.name)) continue;
        ++f.deviceThreads;
        ++f.deviceThreadKinds[t.name];
    }
    std::stable_sort(f.threads.begin(), f.threads.end(),
                     [](const ThreadShare& a, const ThreadShare& b) { return a.percent > b.percent; });
    return f;
}

void PrintTable(Scene scene, Workload workload, const Figures& f, const std::string& note) {
    std::printf("\n== %s: %.1f s measured after start-up settled%s%s\n", SceneText(scene), f.seconds,
                note.empty() ? "" : "; ", note.c_str());
    std::printf("   %-20s %8s %10s\n", "thread", "tid", "% of core");
    for (const ThreadShare& t : f.threads)
        std::printf("   %-20s %8d %10.2f\n", t.name.c_str(), t.tid, t.percent);
    std::printf("   %-29s %10.2f\n", "UI thread", f.uiPercent);
    std::printf("   %-29s %10.2f\n", "discovery", f.discoveryPercent);
    std::string kinds;
    for (const auto& [name, n] : f.deviceThreadKinds)
        kinds += (kinds.empty() ? "" : ", ") + std::to_string(n) + " " + name;
    std::printf("   %-29s %10.2f   (%s)\n", "devices", f.devicePercent, kinds.c_str());
    std::printf("   %-29s %10.2f\n", "other threads", f.otherPercent);
    if (workload == Workload::kLighting) {
        std::printf("   %-29s %10.2f   (r88-light*, r88-sync-light)\n", "lighting threads", f.lightingPercent);
        std::printf("   %-29s %10.2f   (sim-*: the emulated devices, not the application)\n",
                    "emulated devices", f.emulatedPercent);
        const double lighting = f.totalPercent - f.emulatedPercent;
        if (scene == Scene::kShownActive)
            std::printf("   %-29s %10.2f   goal < %.0f %%: %s\n", "total", f.totalPercent, kActiveCpuGoalPercent,
                        f.totalPercent < kActiveCpuGoalPercent ? "met" : "NOT met");
        else
            std::printf("   %-29s %10.2f   goal < %.0f %%: %s\n", "all lighting (total - sim-*)", lighting,
                        kLightingCpuGoalPercent, lighting < kLightingCpuGoalPercent ? "met" : "NOT met");
        std::fflush(stdout);
        return;
    }
    std::printf("   %-29s %10.2f   goal < %.0f %%: %s\n", "total", f.totalPercent, kCpuGoalPercent,
                f.totalPercent < kCpuGoalPercent ? "met" : "NOT met");
    const double growth = static_cast<double>(f.rssEndKb) - static_cast<double>(f.rssSettledKb);
    std::printf(
        "   resident memory: %.1f MB settled, %.1f MB at the end (max %.1f MB), growth %.0f kB "
        "(%.1f kB/s)   goal < 1 MB: %s\n",
        static_cast<double>(f.rssSettledKb) / 1024.0, static_cast<double>(f.rssEndKb) / 1024.0,
        static_cast<double>(f.rssMaxKb) / 1024.0, growth, growth / std::max(f.seconds, 1e-3),
        growth < kRssGrowthGoalKb ? "met" : "NOT met");
    std::fflush(stdout);
}


// ---- the lighting runs ----

// What one emulated device had received by a moment (its line of the stats file).
struct ReceivedFrames {
    long long nowUs = 0;
    unsigned long long frames = 0;
    std::vector<unsigned long long> gaps;  // by gap: <1, 1-4, 4-6, 6-10, 10-20, >=20 ms
};

std::map<std::string, ReceivedFrames> ReadLightStats(const std::string& path) {
    std::map<std::string, ReceivedFrames> all;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string name;
        words >> name;
        ReceivedFrames r;
        for (std::string word; words >> word;) {
            const auto eq = word.find('=');
            if (eq == std::string::npos) continue;
            const std::string key = word.substr(0, eq);
            const std::string value = word.substr(eq + 1);
            if (key == "now_us") r.nowUs = std::stoll(value);
            if (key == "frames") r.frames = std::stoull(value);
            if (key == "gaps") {
                std::istringstream list(value);
                for (std::string n; std::getline(list, n, ',');) r.gaps.push_back(std::stoull(n));
            }
        }
        if (!name.empty()) all[name] = r;
    }
    return all;
}

// Frames a device received over the window.
struct FrameFigures {
    bool known = false;
    double fps = 0;
    unsigned long long frames = 0;
    unsigned long long queued = 0;  // under 1 ms after the one before
    unsigned long long late = 0;    // 6 ms or more after the one before
};

FrameFigures CompareFrames(const std::map<std::string, ReceivedFrames>& from,
                           const std::map<std::string, ReceivedFrames>& to, const std::string& name) {
    FrameFigures f;
    const auto a = from.find(name);
    const auto b = to.find(name);
    if (a == from.end() || b == to.end() || b->second.nowUs <= a->second.nowUs) return f;
    const ReceivedFrames& x = a->second;
    const ReceivedFrames& y = b->second;
    f.known = true;
    f.frames = y.frames - std::min(x.frames, y.frames);
    f.fps = static_cast<double>(f.frames) * 1e6 / static_cast<double>(y.nowUs - x.nowUs);
    auto delta = [&](size_t i) {
        const unsigned long long before = i < x.gaps.size() ? x.gaps[i] : 0;
        const unsigned long long after = i < y.gaps.size() ? y.gaps[i] : 0;
        return after - std::min(before, after);
    };
    f.queued = delta(0);
    for (size_t i = 3; i < std::max(x.gaps.size(), y.gaps.size()); ++i) f.late += delta(i);
    return f;
}

// The profile documents of one device in the run's data folder.
std::vector<fs::path> ProfileDocuments(const ScratchHome& home, const char* device) {
    std::vector<fs::path> docs;
    std::error_code ec;
    const fs::path folder = fs::path(home.Path("data")) / kAppDataFolderName / device;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.is_regular_file() && entry.path().extension() == ".Json") docs.push_back(entry.path());
    return docs;
}

// Sets "LightInfo" of every section of a profile document.
bool SetLightInfo(const fs::path& doc, int effect) {
    Json::Value root;
    {
        std::ifstream in(doc);
        Json::CharReaderBuilder reader;
        std::string errors;
        if (!Json::parseFromStream(reader, in, &root, &errors)) return false;
    }
    Json::Value& sections = root["Device"];
    if (!sections.isArray() || sections.empty()) return false;
    for (Json::Value& section : sections) {
        Json::Value info(Json::objectValue);
        info["SelectItem"] = effect;
        info["Light"] = 4;
        info["Speed"] = 4;
        info["Fx"] = 1;
        info["MultiColor"] = 1;
        info["Red"] = 255;
        info["Green"] = 0;
        info["Blue"] = 0;
        section["LightInfo"] = info;
    }
    std::ofstream out(doc, std::ios::trunc);
    out << Json::StyledWriter().write(root);
    return static_cast<bool>(out);
}

// A first start makes the devices' profile documents; their effects are then
// set as a user would have left them. Empty when done, else why not.
std::string PrepareLightingProfiles(const std::string& program, Environment env, const ScratchHome& home) {
    env.Set("QT_QPA_PLATFORM", "offscreen");
    env.Unset("DISPLAY");
    env.Unset(kLightStatsEnv);
    struct Effect {
        const char* device;
        int effect;
    };
    // Pad on wave, headset and keyboard on spectrum cycle.
    const std::vector<Effect> effects = {{"MousePad", 0}, {"HD", 1}, {"keyboard", 3}};
    {
        ChildProcess first;
        if (!first.Start({program, "--simulate", "--hidden"}, env, home.Path("prepare.log")))
            return "cannot start the program to make its profiles";
        const auto until = Clock::now() + std::chrono::seconds(20);
        auto ready = [&] {
            for (const Effect& e : effects)
                if (ProfileDocuments(home, e.device).empty()) return false;
            return true;
        };
        while (!ready() && Clock::now() < until && !first.Poll())
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        std::this_thread::sleep_for(std::chrono::seconds(1));
        first.Stop();
    }
    for (const Effect& e : effects) {
        const auto docs = ProfileDocuments(home, e.device);
        if (docs.empty()) return std::string("no profile document of ") + e.device + " after a first start";
        for (const fs::path& doc : docs)
            if (!SetLightInfo(doc, e.effect)) return "cannot set the effect in " + doc.string();
    }
    return {};
}

void PrintFrames(const char* device, const FrameFigures& f, bool goal) {
    if (!f.known) {
        std::printf("   %-10s frames received: unknown (no statistics)\n", device);
        return;
    }
    std::printf("   %-10s %7llu frames received = %6.1f frames/s, %llu queued (< 1 ms apart), %llu late (>= 6 ms)",
                device, f.frames, f.fps, f.queued, f.late);
    if (goal)
        std::printf("   goal >= %.0f/s, none queued: %s", kPadFpsGoal,
                    f.fps >= kPadFpsGoal && f.queued == 0 ? "met" : "NOT met");
    std::printf("\n");
}

// One run of the program in `scene`; skipped, with the reason, when the
// scene cannot be set up here or the program does not get there.
void RunScene(benchmark::State& state, Scene scene, Measure measure, Workload workload) {
    const bool lighting = workload == Workload::kLighting;
    const int total = EnvSeconds("R88_BENCH_SECONDS", 60);
    const int settle = std::min(10, total / 2);
    const int window = measure == Measure::kRepaints ? EnvSeconds("R88_BENCH_REPAINT_SECONDS", 10)
                       : lighting                    ? EnvSeconds("R88_BENCH_LIGHT_SECONDS", 30)
                                                     : total - settle;
    const std::string program = ProgramPath();
    if (access(program.c_str(), X_OK) != 0) {
        state.SkipWithError(("no program at " + program).c_str());
        return;
    }
    ScratchHome home;
    if (!home.Valid()) {
        state.SkipWithError("no scratch folder for the run");
        return;
    }

    Environment env = ProgramEnvironment(home);
    const std::string lightStats = home.Path("light-stats.txt");
    if (lighting) {
        const std::string why = PrepareLightingProfiles(program, env, home);
        if (!why.empty()) {
            state.SkipWithError(("lighting profiles not prepared: " + why).c_str());
            return;
        }
        env.Set(kLightStatsEnv, lightStats);
    }
    XSession x;
    std::string note;
    if (scene == Scene::kShownInactive) {
        const std::string why = x.Start(home.Path(), env);
        if (!why.empty()) {
            state.SkipWithError(("shown-inactive state not available: " + why).c_str());
            return;
        }
        env.Set("QT_QPA_PLATFORM", "xcb");
        env.Set("DISPLAY", x.DisplayName());
        note = "display " + x.DisplayName() + ", " + x.WindowManager();
    } else {
        env.Set("QT_QPA_PLATFORM", "offscreen");
        env.Unset("DISPLAY");
    }
    if (measure == Measure::kRepaints) env.Set("QT_LOGGING_RULES", std::string(kPaintLogCategory) + "=true");
    // Only the selected page's picture repaints, and the keyboard's picture
    // does not animate yet: without the keyboard the first page is the pad's,
    // on its wave, so the active runs count the cost of a live picture.
    if (lighting && scene == Scene::kShownActive) env.Set("R88_SIM_LEAVE_OUT", "keyboard");

    std::vector<std::string> argv{program, "--simulate"};
    if (scene == Scene::kHidden) argv.push_back("--hidden");
    const std::string log = home.Path("program.log");
    ChildProcess app;
    const auto started = Clock::now();
    if (!app.Start(argv, env, log)) {
        state.SkipWithError(("cannot start " + program).c_str());
        return;
    }
    const pid_t pid = app.Pid();

    auto endedEarly = [&]() -> bool {
        const auto code = app.Poll();
        if (!code) return false;
        const std::string said = LastLines(log, 3);
        if (scene == Scene::kHidden && *code == 2 && FileHas(log, "unknown option --hidden"))
            state.SkipWithError("hidden state not available: the program does not take --hidden yet");
        else
            state.SkipWithError(
                ("the program ended early with code " + std::to_string(*code) + ": " + said).c_str());
        return true;
    };

    if (scene == Scene::kShownInactive) {
        if (!x.WaitForWindowOf(pid, 20000)) {
            if (!endedEarly()) state.SkipWithError("the program's window did not appear on the X display");
            return;
        }
        const std::string why = x.ActivateOwnWindow(5000);
        if (!why.empty()) {
            state.SkipWithError(("shown-inactive state not available: " + why).c_str());
            return;
        }
    }

    // Settling: only watched for an early end.
    std::map<pid_t, ThreadTimes> lastSeen;
    std::optional<ProcessSample> from;
    while (Clock::now() - started < std::chrono::seconds(settle)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (endedEarly()) return;
    }
    if (scene == Scene::kShownInactive && !x.OwnWindowActive()) {
        // The program brings its window to the front once start-up is done:
        // the other window takes the activation back, then the program gets
        // a second to settle after losing it.
        const std::string why = x.ActivateOwnWindow(5000);
        if (!why.empty()) {
            state.SkipWithError(("shown-inactive state not available: " + why).c_str());
            return;
        }
        note += "; the program took the activation during start-up, given back";
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    from = SampleProcess(pid);
    if (!from) {
        if (!endedEarly()) state.SkipWithError("cannot read the program's /proc entries");
        return;
    }
    const size_t logOffset = FileSize(log);
    const auto statsFrom = ReadLightStats(lightStats);
    lastSeen = from->threads;
    uint64_t rssMax = from->rssKb;

    std::optional<ProcessSample> to = from;
    const auto end = from->at + std::chrono::seconds(window);
    while (Clock::now() < end) {
        std::this_thread::sleep_for(std::min<Clock::duration>(std::chrono::seconds(1), end - Clock::now()));
        auto s = SampleProcess(pid);
        if (!s) {
            if (!endedEarly()) state.SkipWithError("cannot read the program's /proc entries");
            return;
        }
        for (const auto& [tid, t] : s->threads) lastSeen[tid] = t;
        rssMax = std::max(rssMax, s->rssKb);
        to = std::move(s);
    }
    if (scene == Scene::kShownInactive && !x.OwnWindowActive())
        note += "; WARNING: the other window lost activation during the run";

    const auto statsTo = ReadLightStats(lightStats);
    const FrameFigures padFrames = CompareFrames(statsFrom, statsTo, "mousepad");
    const FrameFigures headsetFrames = CompareFrames(statsFrom, statsTo, "headset");
    const FrameFigures keyboardFrames = CompareFrames(statsFrom, statsTo, "keyboard");
    auto printFrames = [&] {
        if (!lighting) return;
        std::printf("   what the emulated devices received over the window:\n");
        PrintFrames("mouse pad", padFrames, scene != Scene::kShownActive);
        PrintFrames("headset", headsetFrames, false);
        PrintFrames("keyboard", keyboardFrames, false);
        std::fflush(stdout);
    };
    auto frameCounters = [&] {
        if (!lighting) return;
        state.counters["pad_fps"] = padFrames.fps;
        state.counters["pad_queued"] = static_cast<double>(padFrames.queued);
        state.counters["pad_late"] = static_cast<double>(padFrames.late);
        state.counters["headset_fps"] = headsetFrames.fps;
    };
    Figures f = Compute(pid, *from, *to, lastSeen);
    f.rssSettledKb = from->rssKb;
    f.rssEndKb = to->rssKb;
    f.rssMaxKb = rssMax;
    app.Stop();
    if (f.deviceThreads == 0) {
        state.SkipWithError(
            "no device thread (r88-light, r88-notify) ran: the emulated devices did not connect");
        return;
    }

    if (measure == Measure::kRepaints) {
        const auto counts = CountLinesFrom(log, logOffset, {kRepaintPassLine, kWidgetDrawnLine});
        f.repaintPasses = counts[0];
        f.widgetsDrawn = counts[1];
        const double seconds = std::max(f.seconds, 1e-3);
        const double passes = static_cast<double>(f.repaintPasses) / seconds;
        const double widgets = static_cast<double>(f.widgetsDrawn) / seconds;
        state.counters["repaints_per_s"] = passes;
        state.counters["widgets_drawn_per_s"] = widgets;
        state.SetLabel(note);
        std::printf(
            "\n== %s: %zu repaint passes (%zu widgets drawn) in %.1f s = %.1f passes, %.0f widgets per "
            "second%s%s\n",
            SceneText(scene), f.repaintPasses, f.widgetsDrawn, f.seconds, passes, widgets,
            note.empty() ? "" : "; ", note.c_str());
        std::fflush(stdout);
        printFrames();
        frameCounters();
        return;
    }

    PrintTable(scene, workload, f, note);
    printFrames();
    frameCounters();
    const double growthKb = static_cast<double>(f.rssEndKb) - static_cast<double>(f.rssSettledKb);
    state.counters["cpu_total_%"] = f.totalPercent;
    state.counters["cpu_ui_%"] = f.uiPercent;
    state.counters["cpu_discovery_%"] = f.discoveryPercent;
    state.counters["cpu_devices_%"] = f.devicePercent;
    state.counters["cpu_other_%"] = f.otherPercent;
    state.counters["rss_settled_MB"] = static_cast<double>(f.rssSettledKb) / 1024.0;
    state.counters["rss_end_MB"] = static_cast<double>(f.rssEndKb) / 1024.0;
    state.counters["rss_growth_kB"] = growthKb;
    state.counters["device_threads"] = f.deviceThreads;
    if (lighting) {
        state.counters["cpu_lighting_threads_%"] = f.lightingPercent;
        state.counters["cpu_emulated_devices_%"] = f.emulatedPercent;
        const double all = f.totalPercent - f.emulatedPercent;
        const bool met = scene == Scene::kShownActive
                             ? f.totalPercent < kActiveCpuGoalPercent
                             : all < kLightingCpuGoalPercent && padFrames.fps >= kPadFpsGoal && padFrames.queued == 0;
        state.SetLabel(std::string(met ? "goals met" : "goals NOT met") +
                       (scene == Scene::kShownActive ? " (cpu < 10 %; repaint rate in lighting_shown_active_repaints)"
                                                     : " (lighting cpu < 3 %, pad >= 190 frames/s, none queued)"));
    } else if (scene == Scene::kShownActive) {
        state.SetLabel("no goal; repaint rate in shown_active_repaints");
    } else {
        const bool met = f.totalPercent < kCpuGoalPercent && growthKb < kRssGrowthGoalKb;
        state.SetLabel(std::string(met ? "goals met" : "goals NOT met") + " (cpu < 2 %, rss growth < 1 MB)");
    }
}

void BM_AppAtRest(benchmark::State& state, Scene scene, Measure measure) {
    for (auto _ : state) {
        RunScene(state, scene, measure, Workload::kAtRest);
        if (state.error_occurred()) break;
    }
}

void BM_AppLighting(benchmark::State& state, Scene scene, Measure measure) {
    for (auto _ : state) {
        RunScene(state, scene, measure, Workload::kLighting);
        if (state.error_occurred()) break;
    }
}

#define R88_AT_REST(name, scene, measure)                                 \
    BENCHMARK_CAPTURE(BM_AppAtRest, name, Scene::scene, Measure::measure) \
        ->Iterations(1)                                                   \
        ->Unit(benchmark::kSecond)                                        \
        ->UseRealTime()

R88_AT_REST(hidden, kHidden, kCpuAndMemory);
R88_AT_REST(shown_inactive, kShownInactive, kCpuAndMemory);
R88_AT_REST(shown_active, kShownActive, kCpuAndMemory);
R88_AT_REST(hidden_repaints, kHidden, kRepaints);
R88_AT_REST(shown_inactive_repaints, kShownInactive, kRepaints);
R88_AT_REST(shown_active_repaints, kShownActive, kRepaints);

#define R88_LIGHTING(name, scene, measure)                                 \
    BENCHMARK_CAPTURE(BM_AppLighting, name, Scene::scene, Measure::measure) \
        ->Iterations(1)                                                    \
        ->Unit(benchmark::kSecond)                                         \
        ->UseRealTime()

R88_LIGHTING(hidden, kHidden, kCpuAndMemory);
R88_LIGHTING(shown_inactive, kShownInactive, kCpuAndMemory);
R88_LIGHTING(shown_active, kShownActive, kCpuAndMemory);
R88_LIGHTING(shown_active_repaints, kShownActive, kRepaints);

}  // namespace
}  // namespace r88::bench
