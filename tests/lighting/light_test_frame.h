#pragma once
// A bare LED frame of a given size, its records as (red, green, blue, alpha),
// and the light state the renderer tests start from.
#include <array>
#include <cstdint>
#include <vector>

#include "device/usb_device_core.h"
#include "lighting/led_value.h"
#include "profile/profile_records.h"

namespace r88::test {

using Led = std::array<int, 4>;  // red, green, blue, alpha

inline Led LedAt(const CUsbDeviceCore& frame, int i) {
    const std::uint32_t v = frame.GetLedValue(i);
    const Rgb c = LedColour(v);
    return {c.red, c.green, c.blue, LedAlpha(v)};
}

inline std::vector<Led> Leds(const CUsbDeviceCore& frame) {
    std::vector<Led> leds;
    for (int i = 0; i < frame.LightCount(); ++i) leds.push_back(LedAt(frame, i));
    return leds;
}

inline LightState Light(std::uint8_t brightness, std::uint8_t direction, std::uint8_t multi,
                        Rgb colour = {10, 20, 30}, std::uint8_t speed = 0) {
    LightState s;
    s.brightness = brightness;
    s.direction = direction;
    s.multiColor = multi;
    s.speed = speed;
    s.red = colour.red;
    s.green = colour.green;
    s.blue = colour.blue;
    return s;
}

struct TestFrame {
    explicit TestFrame(int leds) : core(nullptr) { core.SetLightCount(leds); }
    CUsbDeviceCore core;
};

}  // namespace r88::test
