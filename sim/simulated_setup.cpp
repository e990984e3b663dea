#include "sim/simulated_setup.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace r88::sim {

namespace {
// Whether `name` is one of the comma-separated names of R88_SIM_LEAVE_OUT.
bool LeftOut(std::string_view name) {
    const char* list = std::getenv(kLeaveOutEnv);
    if (list == nullptr) return false;
    std::string_view rest(list);
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == name) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}
}  // namespace

SimulatedSetup MakeSimulatedSetup() {
    SimulatedSetup s;
    s.bus = std::make_shared<SimHidBus>();
    s.keyboard = MakeEmulatedKeyboard();
    s.mousePad = MakeEmulatedMousePad();
    s.headset = MakeEmulatedHeadset();
    if (!LeftOut("keyboard")) s.bus->Plug(s.keyboard);
    if (!LeftOut("mousepad")) s.bus->Plug(s.mousePad);
    if (!LeftOut("headset")) s.bus->Plug(s.headset);
    if (const char* path = std::getenv(kLightStatsEnv); path != nullptr && *path != 0)
        s.lightStats = std::make_shared<LightStatsFile>(
            path, std::vector<LightStatsFile::Named>{
                      {"keyboard", s.keyboard}, {"mousepad", s.mousePad}, {"headset", s.headset}});
    return s;
}

}  // namespace r88::sim
