// Wave and trail frames of each kind, a few computed by hand.
#include <gtest/gtest.h>

#include <vector>

#include "lighting/light_effect_tables.h"
#include "lighting/trail_renderer.h"
#include "lighting/wave_renderer.h"
#include "tests/lighting/light_test_frame.h"

namespace r88 {
namespace {

using test::Led;
using test::LedAt;
using test::Leds;
using test::Light;
using test::TestFrame;

TEST(WaveRenderer, FirstFramesOfEachKind) {
    struct Case {
        const char* what;
        const LightKindTable* kind;
        int leds;
        LightState light;
        std::vector<Led> expected;  // the first LEDs of the first frame
    };
    const Case cases[] = {
        {"mouse multicolour forwards: entries 2, 9, 16, 23, 30, 37",
         &kMouseLightKind,
         6,
         Light(4, 1, 1),
         {{255, 5, 0, 255},
          {255, 32, 0, 255},
          {255, 81, 0, 255},
          {255, 152, 0, 255},
          {255, 241, 0, 255},
          {182, 255, 0, 255}}},
        {"mouse multicolour backwards: phase 191, entries 0, 7, …",
         &kMouseLightKind,
         6,
         Light(4, 0, 1),
         {{255, 1, 0, 255},
          {255, 22, 0, 255},
          {255, 65, 0, 255},
          {255, 129, 0, 255},
          {255, 213, 0, 255},
          {206, 255, 0, 255}}},
        {"pad multicolour backwards starts on entry 192",
         &kMousePadLightKind,
         15,
         Light(4, 0, 1),
         {{255, 1, 0, 255}, {255, 22, 0, 255}}},
        {"headset multicolour: a step of 16, LED 12 wraps to entry 2",
         &kHeadsetLightKind,
         13,
         Light(4, 1, 1),
         {{255, 5, 0, 255},
          {255, 99, 0, 255},
          {220, 255, 0, 255},
          {53, 255, 0, 255},
          {0, 255, 5, 255},
          {0, 255, 99, 255},
          {0, 220, 255, 255},
          {0, 53, 255, 255},
          {5, 0, 255, 255},
          {99, 0, 255, 255},
          {255, 0, 220, 255},
          {255, 0, 53, 255},
          {255, 5, 0, 255}}},
        {"mouse single colour: curve 2, 9, 16, 23, 30, 37 (27, 49, 77, 109, 146, 188)",
         &kMouseLightKind,
         6,
         Light(4, 1, 0),
         {{10, 20, 30, 26},
          {10, 20, 30, 48},
          {10, 20, 30, 76},
          {10, 20, 30, 108},
          {10, 20, 30, 145},
          {10, 20, 30, 187}}},
        {"headset single colour: phase step 3, curve 3, 13, 23",
         &kHeadsetLightKind,
         13,
         Light(2, 1, 0),
         {{10, 20, 30, 15}, {10, 20, 30, 34}, {10, 20, 30, 57}}},
        {"headset single colour backwards: phase 93, curve 93, 7",
         &kHeadsetLightKind,
         13,
         Light(4, 0, 0),
         {{10, 20, 30, 26}, {10, 20, 30, 41}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestFrame f(c.leds);
        LightRendererState state;
        RenderWave(f.core, state, c.light, c.kind->wave);
        std::vector<Led> leds = Leds(f.core);
        leds.resize(c.expected.size());
        EXPECT_EQ(leds, c.expected);
    }
}

// The elements whose intensity was set to 255 on this frame (decayed once to 215).
std::vector<int> Relit(const CUsbDeviceCore& core, int elements) {
    std::vector<int> lit;
    for (int e = 0; e < elements; ++e)
        if (core.TrailIntensity(static_cast<std::size_t>(e)) == 215) lit.push_back(e);
    return lit;
}

TEST(TrailRenderer, MouseRelightsGroupsInTurnThenNoneForFourteenFrames) {
    TestFrame f(6);
    LightRendererState state;
    ResetTrail(f.core, state);
    std::vector<std::vector<int>> relit;
    for (int frame = 1; frame <= 24; ++frame) {
        RenderTrail(f.core, state, Light(4, 1, 0, {255, 255, 255}), TrailShape::kMouseGroups);
        relit.push_back(Relit(f.core, 9));
        if (frame == 2) {
            // Group 0 fades (215 → 175), group 1 is lit; groups 7 and 8 hold only LEDs past the count.
            EXPECT_EQ(Leds(f.core), (std::vector<Led>{{255, 255, 255, 174},
                                                      {255, 255, 255, 214},
                                                      {255, 255, 255, 0},
                                                      {255, 255, 255, 0},
                                                      {255, 255, 255, 0},
                                                      {255, 255, 255, 0}}));
        }
    }
    std::vector<std::vector<int>> expected;
    for (int g = 0; g <= 8; ++g) expected.push_back({g});
    for (int i = 0; i < 14; ++i) expected.push_back({});
    expected.push_back({0});
    EXPECT_EQ(relit, expected);
}

TEST(TrailRenderer, PadAndHeadsetMoveOnEverySecondFrameWithinTheirLeds) {
    TestFrame f(13);
    LightRendererState state;
    ResetTrail(f.core, state);
    std::vector<int> litFrames;  // frames on which an element was lit, and which
    std::vector<int> elements;
    for (int frame = 1; frame <= 49; ++frame) {
        RenderTrail(f.core, state, Light(4, 1, 0), TrailShape::kPerLed);
        for (const int e : Relit(f.core, 13)) {
            litFrames.push_back(frame);
            elements.push_back(e);
        }
        if (frame == 5) {
            // LED 1 lit on frame 3 has faded twice (215, 175, 135), LED 2 is lit now.
            EXPECT_EQ(LedAt(f.core, 1), (Led{10, 20, 30, 134}));
            EXPECT_EQ(LedAt(f.core, 2), (Led{10, 20, 30, 214}));
            EXPECT_EQ(LedAt(f.core, 0)[3], 0);
        }
    }
    // Elements 1..12 on frames 3, 5, … 25; the ring's other eleven positions
    // light nothing; element 1 again on frame 49.
    std::vector<int> expectedFrames, expectedElements;
    for (int e = 1; e <= 12; ++e) {
        expectedFrames.push_back(2 * e + 1);
        expectedElements.push_back(e);
    }
    expectedFrames.push_back(49);
    expectedElements.push_back(1);
    EXPECT_EQ(litFrames, expectedFrames);
    EXPECT_EQ(elements, expectedElements);
    EXPECT_EQ(f.core.TrailIntensity(13), 0);  // never beyond the LED count
}

TEST(TrailRenderer, PairTrailTravelsRoundItsRingOfEight) {
    for (const std::uint8_t direction : {1, 0}) {
        SCOPED_TRACE(static_cast<int>(direction));
        TestFrame f(15);
        LightRendererState state;
        ResetTrail(f.core, state);
        std::vector<int> order;
        for (int frame = 1; frame <= 19; ++frame) {
            RenderTrail(f.core, state, Light(4, direction, 0), TrailShape::kLedPairs);
            const std::vector<int> lit = Relit(f.core, 8);
            if (frame % 2 == 0) {
                EXPECT_TRUE(lit.empty());
            }
            if (frame % 2 == 1) order.push_back(lit.empty() ? 0 : lit.front());
            if (frame == 3) {
                // Pair (1, 14) going up, pair (7, 8) going down; LED 0 belongs to no pair.
                const int a = direction != 0 ? 1 : 7;
                EXPECT_EQ(LedAt(f.core, a)[3], 214);
                EXPECT_EQ(LedAt(f.core, 15 - a)[3], 214);
                EXPECT_EQ(LedAt(f.core, 0)[3], 0);
            }
        }
        const std::vector<int> up{0, 1, 2, 3, 4, 5, 6, 7, 0, 1};
        const std::vector<int> down{0, 7, 6, 5, 4, 3, 2, 1, 0, 7};
        EXPECT_EQ(order, direction != 0 ? up : down);
    }
}

TEST(TrailRenderer, MulticolourPadHeadHoldsItsColourWhileTheMouseTakesTheSpectrum) {
    TestFrame pad(15);
    LightRendererState padState;
    ResetTrail(pad.core, padState);
    for (int frame = 1; frame <= 2; ++frame)
        RenderTrail(pad.core, padState, Light(4, 1, 1), TrailShape::kPerLed);
    const Led before = LedAt(pad.core, 1);  // the spectrum colour, dark
    RenderTrail(pad.core, padState, Light(4, 1, 1), TrailShape::kPerLed);
    EXPECT_EQ(LedAt(pad.core, 1), (Led{before[0], before[1], before[2], 214}));
    // Element 2 (not the entering one) follows the spectrum: phase 3 + 3 × 12 = entry 39.
    EXPECT_EQ(LedAt(pad.core, 2), (Led{158, 255, 0, 0}));

    TestFrame mouse(6);
    LightRendererState mouseState;
    ResetTrail(mouse.core, mouseState);
    RenderTrail(mouse.core, mouseState, Light(4, 1, 1), TrailShape::kMouseGroups);
    EXPECT_EQ(LedAt(mouse.core, 0), (Led{255, 57, 0, 214}));  // entry phase 1 + 12 = 13
}

}  // namespace
}  // namespace r88
