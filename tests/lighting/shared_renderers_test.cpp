// The renderers every kind shares, frame by frame.
#include "lighting/shared_renderers.h"

#include <gtest/gtest.h>

#include <vector>

#include "lighting/light_tables.h"
#include "tests/lighting/light_test_frame.h"

namespace r88 {
namespace {

using test::Led;
using test::LedAt;
using test::Light;
using test::TestFrame;

TEST(SharedRenderers, BreathingRunsItsPhaseBothWays) {
    for (const std::uint8_t direction : {1, 0}) {
        SCOPED_TRACE(static_cast<int>(direction));
        TestFrame f(6);
        LightRendererState state;
        std::vector<int> phases;
        for (int i = 0; i < 129; ++i) {
            RenderBreathing(f.core, state, Light(4, direction, 0));
            phases.push_back(state.phase);
        }
        std::vector<int> expected;
        for (int i = 1; i <= 129; ++i) expected.push_back(direction != 0 ? i % 128 : (128 - i % 128) % 128);
        // Forwards 1, 2, … 127, 0, 1; backwards 127, 126, … 0, 127.
        EXPECT_EQ(phases, expected);
        EXPECT_EQ(LedAt(f.core, 5), (Led{10, 20, 30, ScaleByAlpha(255, BreathCurve[phases.back()])}));
    }
}

TEST(SharedRenderers, MulticolourBreathingWalksThirteenColoursEndingOnEntry192) {
    TestFrame f(1);
    LightRendererState state;
    std::vector<int> indexes;
    Led last{};
    for (int breath = 0; breath < 14; ++breath) {
        for (int i = 0; i < 128; ++i) RenderBreathing(f.core, state, Light(4, 1, 1));
        indexes.push_back(state.colourIndex);
        if (state.colourIndex == 192) last = LedAt(f.core, 0);
    }
    EXPECT_EQ(indexes, (std::vector<int>{16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 0, 16}));
    EXPECT_EQ(last, (Led{255, 1, 0, 0}));  // entry 192, at the dark end of the breath
}

TEST(SharedRenderers, BrightnessZeroAtTheTopOfTheBreathGivesAlpha29) {
    TestFrame f(2);
    LightRendererState state;
    state.phase = 62;
    RenderBreathing(f.core, state, Light(0, 1, 0));
    EXPECT_EQ(state.phase, 63);
    EXPECT_EQ(LedAt(f.core, 1)[3], 29);
    // A level above 4 from a file reads as 4, not past the table.
    RenderStatic(f.core, Light(9, 1, 0));
    EXPECT_EQ(LedAt(f.core, 0)[3], 255);
}

TEST(SharedRenderers, FourColourBreathingShowsEachColourForOneBreath) {
    TestFrame f(3);
    LightRendererState state;
    state.colourIndex = 150;  // left by the multicolour breathing: starts again at colour 0
    std::vector<Led> colours;
    for (int breath = 0; breath < 5; ++breath) {
        RenderFourColorBreathing(f.core, state, Light(4, 1, 0));
        Led led = LedAt(f.core, 2);
        led[3] = 0;
        colours.push_back(led);
        for (int i = 1; i < 128; ++i) RenderFourColorBreathing(f.core, state, Light(4, 1, 0));
    }
    EXPECT_EQ(colours,
              (std::vector<Led>{
                  {0, 255, 180, 0}, {0, 255, 0, 0}, {255, 255, 255, 0}, {255, 0, 0, 0}, {0, 255, 180, 0}}));
}

TEST(SharedRenderers, SpectrumCycleAndStatic) {
    TestFrame f(2);
    LightRendererState state;
    RenderSpectrumCycle(f.core, state, Light(2, 0, 0));
    EXPECT_EQ(state.phase, 191);
    EXPECT_EQ(LedAt(f.core, 0), (Led{255, 0, 0, 135}));
    RenderSpectrumCycle(f.core, state, Light(2, 1, 0));
    EXPECT_EQ(LedAt(f.core, 1), (Led{255, 1, 0, 135}));
    RenderStatic(f.core, Light(1, 0, 1, {1, 2, 3}));
    EXPECT_EQ(LedAt(f.core, 1), (Led{1, 2, 3, 80}));
}

TEST(SharedRenderers, FlashTogglesOnItsIntervalAndIsDarkWhileOff) {
    TestFrame f(2);
    f.core.SetLedValue(0, 0xFFFFFFFF);
    LightRendererState state;
    const LightState light = Light(4, 1, 1, {}, 4);  // 7 × 200 ms
    struct Step {
        std::uint32_t now;
        Led led;
    };
    const Step steps[] = {
        {0, {0, 0, 0, 0}},                                     // the interval has not passed since time 0
        {1399, {0, 0, 0, 0}},      {1400, {255, 81, 0, 255}},  // on, spectrum entry 16
        {2799, {255, 81, 0, 255}}, {2800, {0, 0, 0, 0}},
        {4200, {69, 255, 0, 255}},  // on again, entry 48
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.now);
        RenderFlash(f.core, state, light, s.now);
        EXPECT_EQ(LedAt(f.core, 0), s.led);
    }
}

TEST(SharedRenderers, FourColourFlashNeverReadsPastItsColours) {
    TestFrame f(1);
    LightRendererState state;
    state.phase = 150;  // left by the spectrum cycle
    RenderFourColorFlash(f.core, state, Light(4, 1, 0, {}, 4), 1400);
    EXPECT_EQ(LedAt(f.core, 0), (Led{0, 255, 0, 255}));
    RenderFourColorFlash(f.core, state, Light(4, 1, 0, {}, 4), 2800);
    EXPECT_EQ(LedAt(f.core, 0), (Led{0, 0, 0, 0}));
    RenderFourColorFlash(f.core, state, Light(4, 1, 0, {}, 4), 4200);
    EXPECT_EQ(LedAt(f.core, 0), (Led{255, 0, 0, 255}));
}

}  // namespace
}  // namespace r88
