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

SimulatedSetup MakeSimulatedSetup();

}  // namespace r88::sim
