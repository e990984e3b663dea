// The synchronised lighting's kinds and its step engine: which effect every
// kind shows, when a step falls, and what each step gives every LED.
#include "lighting/sync_light_engine.h"

#include <gtest/gtest.h>

#include <vector>

#include "device/device_tables.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;
using Clock = CSyncLightEngine::Clock;

TEST(SyncLightKinds, EveryKindMapsBothWaysAndOwnEffectsHaveNoCommonKind) {
    struct Row {
        int type;
        std::array<std::uint8_t, 5> ids;  // breathing, static, flash, spectrum, off
    };
    for (const Row& r : {Row{kDeviceKeyboard, {4, 5, 30, 3, 34}}, Row{kDeviceMouse, {6, 4, 3, 1, 7}},
                         Row{kDeviceMouseReceiver, {6, 4, 3, 1, 7}}, Row{kDeviceMousePad, {2, 3, 4, 1, 8}},
                         Row{kDeviceHeadset, {2, 3, 4, 1, 8}}}) {
        SCOPED_TRACE(r.type);
        for (std::size_t k = 0; k < 5; ++k) {
            const auto kind = static_cast<CommonLightKind>(k);
            EXPECT_EQ(EffectIdOf(r.type, kind), r.ids[k]);
            EXPECT_EQ(CommonKindOf(r.type, r.ids[k]), kind);
        }
    }
    // Wave, trail, per-key and user effects are a kind's own.
    EXPECT_EQ(CommonKindOf(kDeviceKeyboard, 0), std::nullopt);
    EXPECT_EQ(CommonKindOf(kDeviceKeyboard, 1), std::nullopt);
    EXPECT_EQ(CommonKindOf(kDeviceMousePad, 0), std::nullopt);
    EXPECT_EQ(CommonKindOf(kDeviceHeadset, 6), std::nullopt);
    EXPECT_EQ(CommonKindOf(kDeviceMouse, 8), std::nullopt);
    EXPECT_EQ(CommonKindOf(0, 3), std::nullopt);
    EXPECT_EQ(EffectIdOf(5, CommonLightKind::kStatic), std::nullopt);
}

CommonLightParams Params(CommonLightKind kind, std::uint8_t speed, std::uint8_t brightness = 4) {
    CommonLightParams p;
    p.kind = kind;
    p.speed = speed;
    p.brightness = brightness;
    p.direction = 1;
    p.red = 10;
    p.green = 20;
    p.blue = 30;
    return p;
}

struct Stepped {
    Clock::duration at;
    SyncLightOutput out;
    bool operator==(const Stepped&) const = default;
};

// The reference loop: a pass every millisecond.
std::vector<Stepped> Polling(const CommonLightParams& p, Clock::duration span) {
    const Clock::time_point start{};
    CSyncLightEngine engine(start);
    std::vector<Stepped> steps;
    for (Clock::duration t = 1ms; t <= span; t += 1ms)
        if (auto out = engine.Advance(p, start + t)) steps.push_back({t, *out});
    return steps;
}

// The thread as built: it wakes only when the engine says the next step is due.
std::vector<Stepped> Sleeping(const CommonLightParams& p, Clock::duration span, int* wakes) {
    const Clock::time_point start{};
    CSyncLightEngine engine(start);
    std::vector<Stepped> steps;
    *wakes = 0;
    for (Clock::time_point now = start + 1ms; now - start <= span; now = engine.NextDue(p, now)) {
        ++*wakes;
        if (auto out = engine.Advance(p, now)) steps.push_back({now - start, *out});
    }
    return steps;
}

TEST(SyncLightEngine, StepsFallEveryPeriodAndSleepingGivesThePollingLoopsSteps) {
    struct Case {
        CommonLightKind kind;
        std::uint8_t speed;
        Clock::duration every;  // a tick is 2 ms: the clock moved on by more than 1 ms
    };
    for (const Case& c : {Case{CommonLightKind::kBreathing, 4, 2ms},
                          Case{CommonLightKind::kBreathing, 0, 10ms}, Case{CommonLightKind::kStatic, 0, 56ms},
                          Case{CommonLightKind::kStatic, 4, 14ms}, Case{CommonLightKind::kSpectrum, 2, 36ms},
                          Case{CommonLightKind::kFlash, 1, 46ms}, Case{CommonLightKind::kOff, 3, 26ms}}) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.speed);
        const CommonLightParams p = Params(c.kind, c.speed);
        const auto polled = Polling(p, 2s);
        ASSERT_GE(polled.size(), 10u);
        for (std::size_t i = 0; i < polled.size(); ++i) EXPECT_EQ(polled[i].at, c.every * (i + 1)) << i;
        int wakes = 0;
        EXPECT_EQ(Sleeping(p, 2s, &wakes), polled);
        EXPECT_LE(static_cast<std::size_t>(wakes), polled.size() + 1);
    }
}

TEST(SyncLightEngine, ATimeWithoutDevicesCountsNoTicks) {
    const Clock::time_point start{};
    CSyncLightEngine engine(start);
    const CommonLightParams p = Params(CommonLightKind::kStatic, 0);  // 28 ticks
    EXPECT_FALSE(engine.Advance(p, start + 20ms));                    // 10 ticks
    // Ten seconds nobody took part: the ticks before stay, none are added.
    engine.Rebase(start + 10s);
    EXPECT_FALSE(engine.Advance(p, start + 10s + 10ms));
    EXPECT_EQ(engine.Ticks(), 15);
    EXPECT_EQ(engine.NextDue(p, start + 10s + 10ms), start + 10s + 36ms);
    EXPECT_FALSE(engine.Advance(p, start + 10s + 35ms));
    EXPECT_TRUE(engine.Advance(p, start + 10s + 36ms));
    EXPECT_EQ(engine.Ticks(), 0);
}

TEST(SyncLightEngine, BreathingRunsThePhaseAndTheMulticolourIndexAtTheStartOfABreath) {
    const Clock::time_point t{};
    CSyncLightEngine engine(t);
    CommonLightParams p = Params(CommonLightKind::kBreathing, 4, 0);
    SyncLightOutput out = engine.Step(p, t);
    EXPECT_EQ(engine.Phase(), 1);
    EXPECT_EQ(out, (SyncLightOutput{{10, 20, 30}, static_cast<std::uint8_t>(30 * BreathCurve[1] >> 8)}));
    for (int i = 0; i < 62; ++i) out = engine.Step(p, t);
    EXPECT_EQ(engine.Phase(), 63);
    EXPECT_EQ(out.alpha, 29);            // brightness 0 at the top of the curve: 30 × 255 / 256
    EXPECT_EQ(engine.ColourIndex(), 0);  // single colour: the index stays

    // Multicolour: the colour moves on 16 entries at phases 0 and 1 of each breath.
    p.multiColor = 1;
    p.brightness = 4;
    std::vector<std::uint8_t> indexes;
    for (int i = 0; i < 2 * 128; ++i) {
        out = engine.Step(p, t);
        if (engine.Phase() <= 1) indexes.push_back(engine.ColourIndex());
        EXPECT_EQ(out.colour, SpectrumTable[engine.ColourIndex()]);
        EXPECT_EQ(out.alpha, 255 * BreathCurve[engine.Phase()] >> 8);
    }
    EXPECT_EQ(indexes, (std::vector<std::uint8_t>{16, 32, 48, 64}));
    // Twelve colours: past 176 the index wraps to 0.
    indexes.clear();
    for (int i = 0; i < 5 * 128; ++i) {
        engine.Step(p, t);
        if (engine.Phase() <= 1) indexes.push_back(engine.ColourIndex());
    }
    EXPECT_EQ(indexes, (std::vector<std::uint8_t>{80, 96, 112, 128, 144, 160, 176, 0, 16, 32}));
    // Backwards the phase runs down and wraps to 127.
    p.direction = 0;
    p.multiColor = 0;
    while (engine.Phase() != 0) engine.Step(p, t);
    engine.Step(p, t);
    EXPECT_EQ(engine.Phase(), 127);
}

TEST(SyncLightEngine, FlashTogglesOnItsIntervalWithItsOwnColourIndex) {
    const Clock::time_point t0{};
    CSyncLightEngine engine(t0);
    CommonLightParams p = Params(CommonLightKind::kFlash, 0, 2);  // 500 ms on, 500 ms off
    // The first step lights at once.
    EXPECT_EQ(engine.Step(p, t0), (SyncLightOutput{{10, 20, 30}, 135}));
    EXPECT_EQ(engine.FlashColourIndex(), 14);
    EXPECT_EQ(engine.Step(p, t0 + 499ms), (SyncLightOutput{{10, 20, 30}, 135}));
    EXPECT_EQ(engine.Step(p, t0 + 500ms), SyncLightOutput{});
    EXPECT_FALSE(engine.FlashOn());
    EXPECT_EQ(engine.Step(p, t0 + 900ms), SyncLightOutput{});
    // Multicolour shows the flash's own index; speed 4 flashes every 100 ms.
    p.multiColor = 1;
    p.speed = 4;
    EXPECT_EQ(engine.Step(p, t0 + 1000ms), (SyncLightOutput{SpectrumTable[42], 135}));
    EXPECT_EQ(engine.Step(p, t0 + 1099ms).alpha, 135);
    EXPECT_EQ(engine.Step(p, t0 + 1100ms).alpha, 0);
    // 14 at a time, and 0 once it reaches 192.
    Clock::time_point t = t0 + 1100ms;
    std::vector<std::uint8_t> indexes;
    for (int i = 0; i < 12; ++i) {
        t += 100ms;
        engine.Step(p, t);
        indexes.push_back(engine.FlashColourIndex());
    }
    EXPECT_EQ(indexes, (std::vector<std::uint8_t>{70, 84, 98, 112, 126, 140, 154, 168, 182, 0, 14, 28}));
    // The flash's index leaves the breathing and spectrum one alone.
    EXPECT_EQ(engine.ColourIndex(), 0);
}

TEST(SyncLightEngine, StaticSpectrumAndOff) {
    const Clock::time_point t{};
    CSyncLightEngine engine(t);
    EXPECT_EQ(engine.Step(Params(CommonLightKind::kStatic, 0, 1), t), (SyncLightOutput{{10, 20, 30}, 80}));
    for (int i = 1; i <= 191; ++i)
        ASSERT_EQ(engine.Step(Params(CommonLightKind::kSpectrum, 0, 3), t),
                  (SyncLightOutput{SpectrumTable[i], 195}));
    EXPECT_EQ(engine.Step(Params(CommonLightKind::kSpectrum, 0, 3), t),
              (SyncLightOutput{SpectrumTable[0], 195}));
    EXPECT_EQ(engine.Step(Params(CommonLightKind::kOff, 0, 4), t), SyncLightOutput{});
}

}  // namespace
}  // namespace r88
