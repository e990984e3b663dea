#include "lighting/shared_light_state.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace r88 {
namespace {

LightState Uniform(std::uint8_t v) {
    LightState s;
    s.effect = s.brightness = s.speed = s.direction = s.multiColor = s.red = s.green = s.blue = s.spare8 = v;
    s.spare16 = static_cast<std::uint16_t>(v * 257);
    return s;
}

bool IsUniform(const LightState& s) {
    const std::uint8_t v = s.effect;
    return s.brightness == v && s.speed == v && s.direction == v && s.multiColor == v && s.red == v &&
           s.green == v && s.blue == v && s.spare8 == v && s.spare16 == v * 257;
}

// The UI thread stores while a light thread reads: every snapshot the reader
// gets is one whole state, never half of two.
TEST(SharedLightStateTest, AReaderNeverSeesAHalfStoredState) {
    CSharedLightState shared;
    shared.Store(Uniform(0));
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done.load()) {
            if (!IsUniform(shared.Load())) ++torn;
        }
    });
    for (int i = 0; i < 200'000; ++i) shared.Store(Uniform(static_cast<std::uint8_t>(i)));
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
    const LightState last = shared.Load();
    EXPECT_EQ(last.effect, static_cast<std::uint8_t>(199'999));
    EXPECT_TRUE(IsUniform(last));
}

}  // namespace
}  // namespace r88
