#include "sim/light_stats_file.h"

#include <chrono>
#include <cstdio>
#include <fstream>

namespace r88::sim {

namespace {
constexpr int kWriteEveryMs = 500;
}

LightStatsFile::LightStatsFile(std::string path, std::vector<Named> devices)
    : path_(std::move(path)), devices_(std::move(devices)) {
    Write();
    worker_.Start(
        [this](CWorkerThread& self) {
            if (self.WaitForStop(kWriteEveryMs)) return false;
            Write();
            return true;
        },
        "");
}

LightStatsFile::~LightStatsFile() {
    worker_.StopAndWait();
    Write();
}

std::string LightStatsFile::Format(const std::string& name, long long nowUs,
                                   const LightFrameStats::Snapshot& s) {
    std::string line =
        name + " now_us=" + std::to_string(nowUs) + " frames=" + std::to_string(s.frames) + " gaps=";
    for (std::size_t i = 0; i < s.gaps.size(); ++i) line += (i ? "," : "") + std::to_string(s.gaps[i]);
    return line + "\n";
}

void LightStatsFile::Write() const {
    const long long nowUs = std::chrono::duration_cast<std::chrono::microseconds>(
                                LightFrameStats::Clock::now().time_since_epoch())
                                .count();
    std::string text;
    for (const auto& [name, device] : devices_) text += Format(name, nowUs, device->FrameStats().Take());
    // Whole or not at all: the reader never sees half a file.
    const std::string temporary = path_ + ".part";
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) return;
        out << text;
        if (!out.flush()) return;
    }
    std::rename(temporary.c_str(), path_.c_str());
}

}  // namespace r88::sim
