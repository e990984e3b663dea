#pragma once
// An LED record as the LED frame keeps it: red, green, blue, alpha from the
// low byte up, so one atomic word holds a whole record.
#include <cstdint>

#include "lighting/light_tables.h"

namespace r88 {

constexpr std::uint32_t PackLed(Rgb colour, std::uint8_t alpha) {
    return static_cast<std::uint32_t>(colour.red) | (static_cast<std::uint32_t>(colour.green) << 8) |
           (static_cast<std::uint32_t>(colour.blue) << 16) | (static_cast<std::uint32_t>(alpha) << 24);
}

constexpr Rgb LedColour(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16)};
}

constexpr std::uint8_t LedAlpha(std::uint32_t v) {
    return static_cast<std::uint8_t>(v >> 24);
}

// The spectrum entry of a colour counter; a counter past the table (a state
// left by another effect) wraps instead of reading beyond it.
constexpr Rgb SpectrumAt(unsigned index) {
    return SpectrumTable[index <= kSpectrumSteps ? index : index % kSpectrumSteps];
}

// The next spectrum position, 0 after 191.
constexpr std::uint8_t NextSpectrumIndex(std::uint8_t index) {
    return index + 1u >= kSpectrumSteps ? 0 : static_cast<std::uint8_t>(index + 1);
}

constexpr std::uint8_t LevelAlpha(std::uint8_t brightness) {
    return BrightnessLevels[LevelIndex(brightness)];
}

// BrightnessLevels[brightness] × level / 256.
constexpr std::uint8_t ScaledLevel(std::uint8_t brightness, std::uint8_t level) {
    return ScaleByAlpha(LevelAlpha(brightness), level);
}

}  // namespace r88
