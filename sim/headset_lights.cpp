#include "sim/headset_lights.h"

namespace r88::sim {
namespace {

constexpr uint8_t kFirstRegister = 0xAA;
constexpr size_t kRegisters = 6;
constexpr size_t kValuesPerRegister = 7;
constexpr size_t kFirstValue = 4;

int ZoneIndex(uint8_t zone) {
    for (int i = 0; i < 2; ++i)
        if (kHeadsetZones[i] == zone) return i;
    return -1;
}

}  // namespace

bool HeadsetLights::Apply(std::span<const uint8_t> report) {
    if (report.size() < kHeadsetLightReportSize || report[0] != kHeadsetLightReportId || report[3] != 0)
        return false;
    const int zone = ZoneIndex(report[1]);
    const unsigned reg = static_cast<unsigned>(report[2]) - kFirstRegister;
    if (zone < 0 || report[2] < kFirstRegister || reg >= kRegisters) return false;
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < kValuesPerRegister; ++i) registers_[zone][reg][i] = report[kFirstValue + i];
    ++applied_;
    return true;
}

std::vector<uint8_t> HeadsetLights::Frame(uint8_t zone) const {
    const int z = ZoneIndex(zone);
    if (z < 0) return {};
    std::lock_guard lock(mutex_);
    std::vector<uint8_t> frame(kHeadsetLedCount * 3, 0);
    for (size_t led = 0; led < kHeadsetLedCount; ++led) {
        const size_t half = led < kValuesPerRegister ? 0 : 3;  // LEDs 7-12 are in the second three registers
        const size_t slot = led < kValuesPerRegister ? led : led - kValuesPerRegister;
        for (size_t channel = 0; channel < 3; ++channel)
            frame[led * 3 + channel] = registers_[z][half + channel][slot];
    }
    return frame;
}

unsigned HeadsetLights::ReportsApplied() const {
    std::lock_guard lock(mutex_);
    return applied_;
}

}  // namespace r88::sim
