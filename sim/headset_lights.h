#pragma once
// The headset's light registers, set by 17-byte output reports 0xFF:
// byte 1 zone (0x22 or 0x44), byte 2 register (0xAA..0xAF), byte 3 0, bytes
// 4-10 up to seven channel values. Registers 0xAA/0xAB/0xAC hold red, green
// and blue of LEDs 0-6, 0xAD/0xAE/0xAF those of LEDs 7-12.
#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace r88::sim {

inline constexpr uint8_t kHeadsetLightReportId = 0xFF;
inline constexpr size_t kHeadsetLightReportSize = 17;
inline constexpr size_t kHeadsetLedCount = 13;
inline constexpr uint8_t kHeadsetZones[2] = {0x22, 0x44};
inline constexpr uint8_t kHeadsetFirstRegister = 0xAA;

class HeadsetLights {
public:
    // False (and nothing changed) for a report that is not a light report.
    bool Apply(std::span<const uint8_t> report);
    // Red, green, blue of the 13 LEDs of a zone (39 bytes); empty for an unknown zone.
    std::vector<uint8_t> Frame(uint8_t zone) const;
    unsigned ReportsApplied() const;

private:
    mutable std::mutex mutex_;
    std::array<std::array<std::array<uint8_t, 7>, 6>, 2> registers_{};  // [zone][register][value]
    unsigned applied_ = 0;
};

}  // namespace r88::sim
