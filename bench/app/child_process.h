#pragma once
// A program run by the benchmark: started with its own environment, its
// standard output and error going to a file, ended by the benchmark.
#include <sys/types.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace r88::bench {

// The benchmark's own environment, to be changed for a child.
class Environment {
public:
    static Environment Inherited();
    void Set(const std::string& name, const std::string& value) { vars_[name] = value; }
    void Unset(const std::string& name) { vars_.erase(name); }
    std::vector<std::string> Entries() const;

private:
    std::map<std::string, std::string> vars_;
};

// Where a program of that name is on PATH; empty when nowhere.
std::string FindOnPath(const std::string& program);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess() { Stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts argv[0] (a path) with `env`; output and errors are appended to
    // `logPath`. False when it could not be started.
    bool Start(const std::vector<std::string>& argv, const Environment& env, const std::string& logPath);
    pid_t Pid() const { return pid_; }
    // The exit code once it ended (128 + signal when killed), nullopt while it runs.
    std::optional<int> Poll();
    // SIGTERM, at most 3 s for it to end, then SIGKILL.
    void Stop();

private:
    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

}  // namespace r88::bench
