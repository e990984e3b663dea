#pragma once
// Writes what the emulated devices received (their light frame statistics)
// to a text file twice a second and once more when it goes, so that a
// benchmark running the program as a child can see it from outside. Only
// made when the environment names the file (R88_SIM_LIGHT_STATS); nothing of
// it is on the normal user path.
//
// One line per device:
//   <name> now_us=<steady clock> frames=<n> gaps=<b0>,<b1>,...
// with the gap buckets of LightFrameStats.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "device/worker_thread.h"
#include "sim/emulated_devices.h"

namespace r88::sim {

inline constexpr char kLightStatsEnv[] = "R88_SIM_LIGHT_STATS";

class LightStatsFile {
public:
    using Named = std::pair<std::string, std::shared_ptr<EmulatedDevice>>;

    LightStatsFile(std::string path, std::vector<Named> devices);
    ~LightStatsFile();
    LightStatsFile(const LightStatsFile&) = delete;
    LightStatsFile& operator=(const LightStatsFile&) = delete;

    void Write() const;
    static std::string Format(const std::string& name, long long nowUs, const LightFrameStats::Snapshot& s);

private:
    std::string path_;
    std::vector<Named> devices_;
    CWorkerThread worker_{StopTraceStyle::kNone, "sim-light-stats"};
};

}  // namespace r88::sim
