#pragma once
// Reads another process's CPU time, per thread and in total, and its resident
// memory from /proc. The samples are taken from outside, so the sampling costs
// the sampled process nothing.
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace r88::bench {

struct ThreadTimes {
    std::string name;    // /proc/<pid>/task/<tid>/comm
    uint64_t ticks = 0;  // utime + stime, clock ticks
};

struct ProcessSample {
    std::chrono::steady_clock::time_point at;
    uint64_t totalTicks = 0;  // the whole process, threads that ended included
    std::map<pid_t, ThreadTimes> threads;
    uint64_t rssKb = 0;  // VmRSS
};

// utime + stime from one line of a /proc stat file; nullopt when it does not parse.
std::optional<uint64_t> StatTicks(const std::string& statLine);
// VmRSS in kB from the text of /proc/<pid>/status.
std::optional<uint64_t> StatusRssKb(const std::string& statusText);

// Nullopt when the process is gone.
std::optional<ProcessSample> SampleProcess(pid_t pid);

long TicksPerSecond();

}  // namespace r88::bench
