#include "sim/simulated_setup.h"

namespace r88::sim {

SimulatedSetup MakeSimulatedSetup() {
    SimulatedSetup s;
    s.bus = std::make_shared<SimHidBus>();
    s.keyboard = MakeEmulatedKeyboard();
    s.mousePad = MakeEmulatedMousePad();
    s.headset = MakeEmulatedHeadset();
    s.bus->Plug(s.keyboard);
    s.bus->Plug(s.mousePad);
    s.bus->Plug(s.headset);
    return s;
}

}  // namespace r88::sim
