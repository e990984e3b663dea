// The keyboard's own effects: set-ups, wavefronts, key reactions and the
// renderers that walk only part of the board.
#include "lighting/keyboard_effects.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "lighting/led_value.h"
#include "lighting/light_tables.h"
#include "tests/lighting/light_test_frame.h"

namespace r88 {
namespace {

using test::Led;
using test::LedAt;
using test::Light;
using test::TestFrame;

struct KeyboardFixture {
    explicit KeyboardFixture(std::uint8_t effect, LightState start = Light(4, 1, 1, {200, 100, 50}))
        : light(start) {
        light.effect = effect;
        shared.Seed(7);
        effects.ApplyLight(light);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) effects.Render(light.effect, light);
    }
    void Press(std::size_t led, std::uint8_t action) { effects.DispatchKeyReaction(led, action, light); }
    // The LEDs whose level is exactly `level`.
    std::set<int> KeysAt(std::uint8_t level) const {
        std::set<int> keys;
        for (std::size_t k = 0; k < kKeyboardLeds; ++k)
            if (effects.KeyLevel(k) == level) keys.insert(static_cast<int>(k));
        return keys;
    }

    TestFrame frame{126};
    LightRendererState state;
    CKeyboardEffectShared shared;
    CKeyboardEffects effects{frame.core, state, shared};
    LightState light;
};

// A key the front reached this frame: 255, and one fine decay step in the same frame.
constexpr std::uint8_t kFresh = 215;

// The matrix LEDs at `distance` steps (columns plus rows) from a cell.
std::set<int> DiamondFront(int column, int row, int distance) {
    std::set<int> keys;
    for (int c = 0; c < static_cast<int>(kMatrixColumns); ++c)
        for (int r = 0; r < static_cast<int>(kMatrixRows); ++r)
            if (std::abs(c - column) + std::abs(r - row) == distance && KeyMatrix[c][r] != kNoKey)
                keys.insert(KeyMatrix[c][r]);
    return keys;
}

TEST(KeyboardEffects, RainbowKeysStartFromTheStaggeredHues) {
    KeyboardFixture f(10, Light(2, 1, 0));  // the spectrum whatever the multicolour flag
    const std::uint8_t expected[] = {33, 66, 99, 132, 165, 6, 39, 72};
    for (std::size_t k = 0; k < std::size(expected); ++k) EXPECT_EQ(f.effects.KeyHue(k), expected[k]) << k;
    f.Frames(1);
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        const Rgb c = SpectrumTable[expected[k] + 1];
        EXPECT_EQ(LedAt(f.frame.core, static_cast<int>(k)), (Led{c.red, c.green, c.blue, 135})) << k;
    }
}

TEST(KeyboardEffects, WaveFamilyFirstFrames) {
    struct Case {
        const char* what;
        std::uint8_t effect;
        LightState light;
        std::vector<std::pair<int, Led>> leds;  // LED, expected record
    };
    const Rgb e2 = SpectrumTable[2], e9 = SpectrumTable[9], e1 = SpectrumTable[1], e3 = SpectrumTable[3];
    const Case cases[] = {
        {"column wave: column 0 entry 2, column 1 entry 9",
         0,
         Light(4, 1, 1),
         {{120, {e2.red, e2.green, e2.blue, 255}}, {21, {e9.red, e9.green, e9.blue, 255}}}},
        {"column wave in one colour: wave curve entries 4 and 11",
         0,
         Light(4, 1, 0, {10, 20, 30}),
         {{120, {10, 20, 30, ScaleByAlpha(255, WaveCurve[4])}},
          {21, {10, 20, 30, ScaleByAlpha(255, WaveCurve[11])}}}},
        {"row wave: row 0 entry 2, row 1 entry 9",
         11,
         Light(4, 1, 1),
         {{0, {e2.red, e2.green, e2.blue, 255}}, {120, {e9.red, e9.green, e9.blue, 255}}}},
        {"column sweep: entries 1 and 3",
         1,
         Light(4, 1, 1),
         {{120, {e1.red, e1.green, e1.blue, 255}}, {21, {e3.red, e3.green, e3.blue, 255}}}},
        {"snake wave in one colour: LEDs 15 and 14 at curve entries 3 and 8",
         2,
         Light(4, 1, 0, {10, 20, 30}),
         {{15, {10, 20, 30, ScaleByAlpha(255, WaveCurve[3])}},
          {14, {10, 20, 30, ScaleByAlpha(255, WaveCurve[8])}}}},
    };
    for (const Case& c : cases) {
        KeyboardFixture f(c.effect, c.light);
        f.Frames(1);
        for (const auto& [led, record] : c.leds)
            EXPECT_EQ(LedAt(f.frame.core, led), record) << c.what << " LED " << led;
    }
}

TEST(KeyboardEffects, ReactiveFadeHoldsWhilePressedAndFadesAfterRelease) {
    KeyboardFixture f(6, Light(4, 1, 0, {255, 255, 255}));
    f.Press(30, 1);
    EXPECT_EQ(f.effects.KeyLevel(30), 255);
    f.Frames(5);  // held
    EXPECT_EQ(f.effects.KeyLevel(30), 255);
    EXPECT_EQ(LedAt(f.frame.core, 30)[3], 254);
    f.Press(30, 2);
    f.Frames(1);
    EXPECT_EQ(f.effects.KeyLevel(30), 250);
    f.Frames(49);
    EXPECT_EQ(f.effects.KeyLevel(30), 5);
    f.Frames(3);
    EXPECT_EQ(f.effects.KeyLevel(30), 0);
    EXPECT_EQ(f.KeysAt(0).size(), kKeyboardLeds);  // the others never lit
    EXPECT_EQ(LedAt(f.frame.core, 31)[3], 0);

    // A key still held when the effect changes does not come back lit.
    f.Press(40, 1);
    f.light.effect = 7;
    f.effects.ApplyLight(f.light);
    f.light.effect = 6;
    f.effects.ApplyLight(f.light);
    f.Frames(3);
    EXPECT_EQ(f.effects.KeyLevel(40), 0);
}

TEST(KeyboardEffects, RippleGrowsADiamondFront) {
    KeyboardFixture f(7);
    f.Press(51, 2);  // a release starts nothing
    f.Frames(1);
    EXPECT_EQ(f.KeysAt(0).size(), kKeyboardLeds);

    f.Press(51, 1);  // column 10, row 2
    for (int n = 0; n < 6; ++n) {
        f.Frames(1);
        EXPECT_EQ(f.KeysAt(kFresh), DiamondFront(10, 2, n)) << "frame " << n;
    }
    // What the front passed fades behind it.
    EXPECT_GT(f.effects.KeyLevel(51), 0);
    EXPECT_LT(f.effects.KeyLevel(51), kFresh);

    // A key outside the matrix starts nothing.
    KeyboardFixture outside(7);
    outside.Press(16, 1);
    outside.Frames(4);
    EXPECT_EQ(outside.KeysAt(0).size(), kKeyboardLeds);
}

TEST(KeyboardEffects, RowSplashLightsOnlyThePressedRowOutwards) {
    KeyboardFixture f(8);
    f.Press(51, 1);  // column 10, row 2
    for (int n = 0; n < 12; ++n) {
        f.Frames(1);
        std::set<int> front;
        for (const int c : {10 - n, 10 + n})
            if (c >= 0 && c < 23 && KeyMatrix[c][2] != kNoKey) front.insert(KeyMatrix[c][2]);
        EXPECT_EQ(f.KeysAt(kFresh), front) << "frame " << n;
    }
    for (std::size_t k = 0; k < kKeyboardLeds; ++k)
        if (f.effects.KeyLevel(k) != 0) {
            EXPECT_EQ(CellOfLed[k].row, 2) << "LED " << k;
        }
}

TEST(KeyboardEffects, SnakeRenderersLeaveKeysOutsideTheSnake) {
    const std::uint32_t untouched = PackLed({1, 2, 3}, 4);
    std::vector<int> outside;
    for (int k = 0; k < 126; ++k)
        if (SnakeFilter(static_cast<std::uint8_t>(k)) == kNoKey) outside.push_back(k);
    ASSERT_EQ(outside.size(), 21u);
    for (const std::uint8_t effect : {2, 14, 15, 17, 25, 28})
        for (const std::uint8_t multi : {0, 1})
            for (const std::uint8_t direction : {0, 1}) {
                KeyboardFixture f(effect, Light(3, direction, multi));
                for (const int k : outside) f.frame.core.SetLedValue(k, untouched);
                f.Frames(200);
                for (const int k : outside)
                    EXPECT_EQ(f.frame.core.GetLedValue(k), untouched)
                        << "effect " << int(effect) << " multi " << int(multi) << " LED " << k;
            }
}

TEST(KeyboardEffects, OnlyANewEffectIdRestartsTheAnimation) {
    KeyboardFixture f(7);
    f.Press(51, 1);
    f.Frames(3);
    const std::set<int> front = f.KeysAt(kFresh);
    const std::uint8_t phase = f.state.phase;
    f.light.speed = 4;
    f.light.brightness = 1;
    f.light.direction = 0;
    f.effects.ApplyLight(f.light);
    EXPECT_EQ(f.KeysAt(kFresh), front);
    EXPECT_EQ(f.state.phase, phase);
    f.Frames(1);
    EXPECT_EQ(f.KeysAt(kFresh), DiamondFront(10, 2, 3));

    f.light.effect = 8;
    f.effects.ApplyLight(f.light);
    EXPECT_EQ(f.KeysAt(0).size(), kKeyboardLeds);
    for (std::size_t c = 0; c < kMatrixColumns; ++c) EXPECT_EQ(f.effects.Planes().AnyPlane(c), 0);
}

TEST(KeyboardEffects, SetUpsOfTheSweepsAndTheBloom) {
    KeyboardFixture centre(12);
    EXPECT_EQ(centre.effects.Planes().AnyPlane(9), 64);
    KeyboardFixture edge(15);
    EXPECT_EQ(edge.effects.Planes().AnyPlane(1), 1);

    // Column 0: a = 192; row 0 b = 157 (empty cell), then 122 for LED 120, 87, 52, 17, 175.
    KeyboardFixture bloom(25);
    EXPECT_EQ(bloom.effects.KeyPhase(120), 122);
    EXPECT_EQ(bloom.effects.KeyPhase(123), 17);
    EXPECT_EQ(bloom.effects.KeyPhase(124), 175);  // 17 − 35 wraps past 192: 17 − 98
    EXPECT_EQ(bloom.effects.KeyHue(21), 7);
}

TEST(KeyboardEffects, LoopingEffectsKeepGoing) {
    // The showcase runs its five stages and starts over.
    KeyboardFixture show(13);
    std::set<int> stages;
    bool restarted = false;
    for (int n = 0; n < 3000 && !restarted; ++n) {
        show.Frames(1);
        stages.insert(show.effects.FrameCounter());
        restarted = stages.size() == 5 && show.effects.FrameCounter() == 0;
    }
    EXPECT_TRUE(restarted) << stages.size();

    // The sweeps seed themselves again: keys are still being lit long after the start.
    for (const std::uint8_t effect : {12, 15}) {
        KeyboardFixture f(effect);
        f.Frames(1000);
        std::size_t lit = 0;
        for (int n = 0; n < 50; ++n) {
            f.Frames(1);
            lit += f.KeysAt(kFresh).size();
        }
        EXPECT_GT(lit, 0u) << int(effect);
    }
}

TEST(KeyboardEffects, KeyEventsFindTheKeyBySlot) {
    KeyboardFixture f(6);
    std::vector<std::uint8_t> slots(126, 0xFF);
    slots[30] = 0x44;
    slots[31] = 0x44;  // the first key of a slot reacts
    f.effects.OnKeyEvent(slots, 0x44, 1, f.light);
    f.effects.OnKeyEvent(slots, 0x45, 1, f.light);  // no key
    f.effects.OnKeyEvent(slots, 0x44, 3, f.light);  // no such action
    EXPECT_EQ(f.KeysAt(255), std::set<int>{30});
    EXPECT_EQ(f.effects.KeyPress(30), 1);
}

}  // namespace
}  // namespace r88
