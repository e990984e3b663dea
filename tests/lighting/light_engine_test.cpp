// The kinds' effect tables and what they ask of the light thread.
#include "lighting/light_engine.h"

#include <gtest/gtest.h>

#include "lighting/light_effect_runner.h"
#include "lighting/light_tables.h"
#include "tests/lighting/light_test_frame.h"

namespace r88 {
namespace {

TEST(LightEffectTables, IdsPickTheirRendererPeriodAndSequence) {
    struct Case {
        const LightKindTable* kind;
        std::uint8_t id;
        std::uint8_t speed;
        LightEffect effect;
        int period;
        int sequenceEntry;  // only for sequences
    };
    const Case cases[] = {
        {&kMouseLightKind, 0, 0, LightEffect::kWave, 5, 0},
        {&kMouseLightKind, 8, 4, LightEffect::kTrail, 1, 0},
        {&kMouseLightKind, 9, 2, LightEffect::kSequence, 0, 0},
        {&kMouseLightKind, 12, 2, LightEffect::kSequence, 0, 3},
        {&kMousePadLightKind, 2, 9, LightEffect::kBreathing, 7, 0},  // speed above 4 reads as 4
        {&kMousePadLightKind, 5, 0, LightEffect::kSequence, 0, 0},
        {&kMousePadLightKind, 8, 1, LightEffect::kOff, 23, 0},
        {&kHeadsetLightKind, 10, 0, LightEffect::kSequence, 0, 1},
        {&kKeyboardLightKind, 6, 0, LightEffect::kKindOwn, 0, 0},  // shifted period
        {&kKeyboardLightKind, 26, 0, LightEffect::kSequence, 0, 0},
        {&kKeyboardLightKind, 36, 1, LightEffect::kFourColorFlash, 5, 0},
        {&kKeyboardLightKind, 40, 0, LightEffect::kSequence, 0, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.id));
        const LightEffectEntry& entry = EffectEntry(*c.kind, c.id);
        EXPECT_EQ(entry.effect, c.effect);
        EXPECT_EQ(FramePeriod(entry, c.speed), c.period);
        if (entry.effect == LightEffect::kSequence) {
            EXPECT_EQ(SequenceEntry(*c.kind, c.id), c.sequenceEntry);
        }
    }
    EXPECT_EQ(EffectEntry(kMousePadLightKind, 6).trail, TrailShape::kPerLed);
    EXPECT_EQ(EffectEntry(kMousePadLightKind, 7).trail, TrailShape::kLedPairs);
}

TEST(LightEngine, ScheduleRestsOnceOffHasDrawnItsDarkFrame) {
    CLightEngine pad(&kMousePadLightKind);
    LightState light;
    light.effect = 8;  // off
    light.speed = 4;
    EXPECT_EQ(pad.Schedule(light).kind, LightSchedule::Kind::kPeriodic);
    test::TestFrame f(15);
    f.core.SetLedValue(3, 0xFFFFFFFF);
    CLightEffectRunner runner(f.core, pad);
    runner.SetLight(light);
    runner.RenderFrame(7);
    EXPECT_EQ(f.core.GetLedValue(3), 0u);
    EXPECT_EQ(pad.Schedule(light).kind, LightSchedule::Kind::kIdle);
    pad.Invalidate();
    EXPECT_EQ(pad.Schedule(light).kind, LightSchedule::Kind::kPeriodic);

    light.effect = 12;
    EXPECT_EQ(pad.Schedule(light).kind, LightSchedule::Kind::kEveryPass);
    light.effect = 1;
    EXPECT_EQ(pad.Schedule(light).period, 7);
    EXPECT_FALSE(pad.Schedule(light).lightList);

    // A set entry makes the list animate on every pass; the mouse applies its list only with the lighting.
    std::vector<LedLightEntry> entries(2);
    entries[1].set = 1;
    pad.LightList().Load(entries);
    EXPECT_TRUE(pad.Schedule(light).lightList);
    CLightEngine mouse(&kMouseLightKind);
    mouse.LightList().Load(entries);
    EXPECT_FALSE(mouse.Schedule(light).lightList);
    EXPECT_EQ(CLightEngine().Schedule(light).kind, LightSchedule::Kind::kIdle);
}

}  // namespace
}  // namespace r88
