#include "bench/app/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace r88::bench {

Environment Environment::Inherited() {
    Environment env;
    for (char** e = environ; e && *e; ++e) {
        const std::string entry(*e);
        const size_t eq = entry.find('=');
        if (eq != std::string::npos) env.vars_[entry.substr(0, eq)] = entry.substr(eq + 1);
    }
    return env;
}

std::vector<std::string> Environment::Entries() const {
    std::vector<std::string> entries;
    for (const auto& [name, value] : vars_) entries.push_back(name + '=' + value);
    return entries;
}

std::string FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (dir.empty()) continue;
        const std::string candidate = dir + '/' + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

bool ChildProcess::Start(const std::vector<std::string>& argv, const Environment& env,
                         const std::string& logPath) {
    Stop();
    exitCode_.reset();
    // Everything the child needs is prepared before fork: after it, only
    // async-signal-safe calls.
    std::vector<std::string> envEntries = env.Entries();
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : envEntries) envp.push_back(e.data());
    envp.push_back(nullptr);
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (log < 0) return false;

    pid_ = fork();
    if (pid_ == 0) {
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        const int null = open("/dev/null", O_RDONLY);
        if (null >= 0) dup2(null, STDIN_FILENO);
        setpgid(0, 0);  // its own group: a terminal's Ctrl+C reaches the benchmark, which ends it
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(log);
    return pid_ > 0;
}

std::optional<int> ChildProcess::Poll() {
    if (exitCode_ || pid_ <= 0) return exitCode_;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_) return std::nullopt;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return exitCode_;
}

void ChildProcess::Stop() {
    if (pid_ <= 0) return;
    if (!Poll()) {
        kill(pid_, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!Poll() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!Poll()) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            exitCode_ = 128 + SIGKILL;
        }
    }
    pid_ = -1;
}

}  // namespace r88::bench
