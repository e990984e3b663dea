#include "bench/app/process_sampler.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace r88::bench {

namespace {

std::optional<std::string> ReadFirstLine(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::string line;
    if (!in || !std::getline(in, line)) return std::nullopt;
    return line;
}

}  // namespace

std::optional<uint64_t> StatTicks(const std::string& statLine) {
    // The name in parentheses may hold blanks and parentheses: the fields
    // are counted from the last ')'. utime and stime are fields 14 and 15,
    // the 12th and 13th after it.
    const size_t close = statLine.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream rest(statLine.substr(close + 1));
    std::vector<std::string> fields;
    for (std::string f; rest >> f && fields.size() < 13;) fields.push_back(f);
    if (fields.size() < 13) return std::nullopt;
    try {
        return std::stoull(fields[11]) + std::stoull(fields[12]);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<uint64_t> StatusRssKb(const std::string& statusText) {
    std::istringstream in(statusText);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("VmRSS:", 0) != 0) continue;
        try {
            return std::stoull(line.substr(6));
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<ProcessSample> SampleProcess(pid_t pid) {
    namespace fs = std::filesystem;
    const fs::path proc = fs::path("/proc") / std::to_string(pid);
    ProcessSample sample;
    sample.at = std::chrono::steady_clock::now();

    const auto total = ReadFirstLine(proc / "stat");
    if (!total) return std::nullopt;
    const auto totalTicks = StatTicks(*total);
    if (!totalTicks) return std::nullopt;
    sample.totalTicks = *totalTicks;

    std::ifstream status(proc / "status");
    std::stringstream statusText;
    statusText << status.rdbuf();
    sample.rssKb = StatusRssKb(statusText.str()).value_or(0);

    std::error_code ec;
    for (const auto& task : fs::directory_iterator(proc / "task", ec)) {
        // A thread may end between the listing and the reads: it is left out.
        const auto stat = ReadFirstLine(task.path() / "stat");
        const auto name = ReadFirstLine(task.path() / "comm");
        if (!stat || !name) continue;
        const auto ticks = StatTicks(*stat);
        if (!ticks) continue;
        try {
            sample.threads[static_cast<pid_t>(std::stol(task.path().filename().string()))] = {*name, *ticks};
        } catch (const std::exception&) {
        }
    }
    if (ec) return std::nullopt;
    return sample;
}

long TicksPerSecond() {
    static const long ticks = sysconf(_SC_CLK_TCK);
    return ticks;
}

}  // namespace r88::bench
