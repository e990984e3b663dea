#pragma once
// A bare LED frame of a given size, and its records as (red, green, blue, alpha).
#include <array>
#include <cstdint>
#include <vector>

#include "device/usb_device_core.h"
#include "lighting/led_value.h"

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

struct TestFrame {
    explicit TestFrame(int leds) : core(nullptr) { core.SetLightCount(leds); }
    CUsbDeviceCore core;
};

}  // namespace r88::test
