#include "sim/simulated_setup.h"

#include <cstdlib>

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
    if (const char* path = std::getenv(kLightStatsEnv); path != nullptr && *path != 0)
        s.lightStats = std::make_shared<LightStatsFile>(
            path, std::vector<LightStatsFile::Named>{
                      {"keyboard", s.keyboard}, {"mousepad", s.mousePad}, {"headset", s.headset}});
    return s;
}

}  // namespace r88::sim
