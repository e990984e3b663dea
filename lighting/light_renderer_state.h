#pragma once
// The working state of a device's light effects between two frames. The
// light thread owns it; only the trail's frame counter is also reset by the
// UI thread (a new effect), so that one is atomic.
#include <atomic>
#include <cstdint>

namespace r88 {

struct LightRendererState {
    std::uint8_t phase = 0;
    std::uint8_t colourIndex = 0;
    std::uint8_t flashOn = 0;
    std::uint32_t lastFlashMs = 0;
    // Frames the trail has drawn since it was reset; the pad and the headset
    // move their trail on every second frame.
    std::atomic<std::uint8_t> trailFrames{0};
};

}  // namespace r88
