#pragma once
// The effects every device kind can show alike, and how each kind numbers
// them: the synchronised lighting turns the selected device's effect into the
// same effect of every other kind through this table.
#include <cstdint>
#include <optional>

#include "profile/profile_records.h"

namespace r88 {

enum class CommonLightKind : std::uint8_t {
    kBreathing = 0,
    kStatic = 1,
    kFlash = 2,
    kSpectrum = 3,
    kOff = 4,
};

// The common kind of a device kind's effect id (device types 1 keyboard,
// 2 and 6 mouse, 3 mouse pad, 7 headset); none for effects only that kind has.
std::optional<CommonLightKind> CommonKindOf(int deviceType, std::uint8_t effectId);
// The effect id of a common kind on a device kind; none for an unknown kind.
std::optional<std::uint8_t> EffectIdOf(int deviceType, CommonLightKind kind);

// What every device taking part shows, taken from the selected device.
struct CommonLightParams {
    CommonLightKind kind = CommonLightKind::kBreathing;
    std::uint8_t brightness = 0;
    std::uint8_t speed = 0;
    std::uint8_t direction = 0;
    std::uint8_t multiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    static CommonLightParams From(CommonLightKind kind, const LightState& s) {
        return {kind, s.brightness, s.speed, s.direction, s.multiColor, s.red, s.green, s.blue};
    }
};

}  // namespace r88
