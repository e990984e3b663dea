#include "mouse/light_settings_image.h"

#include <algorithm>

namespace r88 {

namespace {
std::uint8_t FlipSpeed(std::uint8_t value) {
    return static_cast<std::uint8_t>(kSpeedLevels - value);
}
}  // namespace

LightSettingsImage DecodeLightSettings(const std::uint8_t* received) {
    LightSettingsImage image{};
    std::copy_n(received, image.size(), image.begin());
    image[settings_byte::kSpeed] = FlipSpeed(image[settings_byte::kSpeed]);
    return image;
}

LightSettingsImage EncodeLightSettings(const LightSettingsImage& image, std::uint8_t profileEffect) {
    LightSettingsImage out = image;
    out[settings_byte::kEffect] = profileEffect >= kFirstHostOnlyEffect ? 0 : profileEffect;
    out[settings_byte::kSpeed] = FlipSpeed(image[settings_byte::kSpeed]);
    return out;
}

void CopyLightState(const LightState& state, LightSettingsImage& image) {
    image[settings_byte::kEffect] = state.effect;
    image[settings_byte::kBrightness] = state.brightness;
    image[settings_byte::kSpeed] = state.speed;
    image[settings_byte::kMultiColor] = state.multiColor;
    image[settings_byte::kRed] = state.red;
    image[settings_byte::kGreen] = state.green;
    image[settings_byte::kBlue] = state.blue;
}

}  // namespace r88
