#pragma once
// The emulated devices that "--simulate" attaches: keyboard, mouse pad and
// headset, plugged into one emulated bus.
#include <memory>

#include "sim/emulated_devices.h"
#include "sim/light_stats_file.h"
#include "sim/sim_bus.h"

namespace r88::sim {

struct SimulatedSetup {
    std::shared_ptr<SimHidBus> bus;
    std::shared_ptr<EmulatedDevice> keyboard;
    std::shared_ptr<EmulatedDevice> mousePad;
    std::shared_ptr<EmulatedDevice> headset;
    // What the devices received, for a benchmark; only when R88_SIM_LIGHT_STATS names a file.
    std::shared_ptr<LightStatsFile> lightStats;
};

// The devices named in this variable (comma-separated: keyboard, mousepad,
// headset) are made but not plugged in, so a benchmark can choose which page
// comes first.
inline constexpr const char* kLeaveOutEnv = "R88_SIM_LEAVE_OUT";

SimulatedSetup MakeSimulatedSetup();

}  // namespace r88::sim
