#pragma once
// The emulated devices that "--simulate" attaches: keyboard, mouse pad and
// headset, plugged into one emulated bus.
#include <memory>

#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88::sim {

struct SimulatedSetup {
    std::shared_ptr<SimHidBus> bus;
    std::shared_ptr<EmulatedDevice> keyboard;
    std::shared_ptr<EmulatedDevice> mousePad;
    std::shared_ptr<EmulatedDevice> headset;
};

SimulatedSetup MakeSimulatedSetup();

}  // namespace r88::sim
