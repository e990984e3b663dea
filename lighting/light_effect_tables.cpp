#include "lighting/light_effect_tables.h"

#include "lighting/light_tables.h"

namespace r88 {
namespace {

using E = LightEffect;
constexpr const FramePeriodTable* kFast = &FramePeriodFast;
constexpr const FramePeriodTable* kShifted = &FramePeriodShifted;
constexpr const FramePeriodTable* kSlow = &FramePeriodSlow;

// clang-format off
constexpr std::array<LightEffectEntry, 9> kMouseEffects = {{
    {E::kWave, kFast},
    {E::kSpectrumCycle, kFast},
    {E::kFourColorBreathing, kFast},
    {E::kFlash, kFast},
    {E::kStatic, kFast},
    {E::kFourColorFlash, kFast},
    {E::kBreathing, kFast},
    {E::kOff, kFast},
    {E::kTrail, kFast, TrailShape::kMouseGroups},
}};

// The mouse pad and the headset share their ids.
constexpr std::array<LightEffectEntry, 9> kPadEffects = {{
    {E::kWave, kSlow},
    {E::kSpectrumCycle, kSlow},
    {E::kBreathing, kSlow},
    {E::kStatic, kSlow},
    {E::kFlash, kSlow},
    {E::kSequence, nullptr},
    {E::kTrail, kSlow, TrailShape::kPerLed},
    {E::kTrail, kSlow, TrailShape::kLedPairs},
    {E::kOff, kSlow},
}};

constexpr LightEffectEntry Own(std::uint8_t id, const FramePeriodTable* period) {
    return {E::kKindOwn, period, TrailShape::kMouseGroups, id};
}
constexpr LightEffectEntry kKeyboardSequence{E::kSequence, nullptr};

constexpr std::array<LightEffectEntry, 37> kKeyboardEffects = {{
    /*  0 */ Own(0, kFast),
    /*  1 */ Own(1, kFast),
    /*  2 */ Own(2, kFast),
    /*  3 */ {E::kSpectrumCycle, kFast},
    /*  4 */ {E::kBreathing, kFast},
    /*  5 */ {E::kStatic, kFast},
    /*  6 */ Own(6, kShifted),
    /*  7 */ Own(7, kFast),
    /*  8 */ Own(8, kFast),
    /*  9 */ Own(9, kFast),
    /* 10 */ Own(10, kFast),
    /* 11 */ Own(11, kFast),
    /* 12 */ Own(12, kFast),
    /* 13 */ Own(13, kFast),
    /* 14 */ Own(14, kFast),
    /* 15 */ Own(15, kFast),
    /* 16 */ {E::kStatic, kFast},
    /* 17 */ Own(17, kFast),
    /* 18 */ kKeyboardSequence,
    /* 19 */ kKeyboardSequence,
    /* 20 */ kKeyboardSequence,
    /* 21 */ kKeyboardSequence,
    /* 22 */ kKeyboardSequence,
    /* 23 */ kKeyboardSequence,
    /* 24 */ kKeyboardSequence,
    /* 25 */ Own(25, kShifted),
    /* 26 */ kKeyboardSequence,
    /* 27 */ Own(27, kShifted),
    /* 28 */ Own(28, kShifted),
    /* 29 */ kKeyboardSequence,
    /* 30 */ {E::kFlash, kShifted},
    /* 31 */ Own(31, kShifted),
    /* 32 */ Own(32, kShifted),
    /* 33 */ kKeyboardSequence,
    /* 34 */ {E::kOff, kShifted},
    /* 35 */ {E::kFourColorBreathing, kFast},
    /* 36 */ {E::kFourColorFlash, kShifted},
}};

// clang-format on

const LightEffectEntry kPastTable{E::kSequence, nullptr};

}  // namespace

const LightKindTable kMouseLightKind{kMouseEffects, LightTickStyle::kClock, 2,
                                     WaveConstants{7, true, 1, 1, 7}, false};
const LightKindTable kMousePadLightKind{kPadEffects, LightTickStyle::kSleep, 1,
                                        WaveConstants{7, false, 1, 1, 7}, true};
const LightKindTable kHeadsetLightKind{kPadEffects, LightTickStyle::kSleep, 1,
                                       WaveConstants{16, false, 3, 0, 10}, true};
const LightKindTable kKeyboardLightKind{kKeyboardEffects, LightTickStyle::kClock, 2, WaveConstants{}, true};

const LightEffectEntry& EffectEntry(const LightKindTable& kind, std::uint8_t effect) {
    return effect < kind.effects.size() ? kind.effects[effect] : kPastTable;
}

int FramePeriod(const LightEffectEntry& entry, std::uint8_t speed) {
    return entry.period != nullptr ? (*entry.period)[LevelIndex(speed)] : 0;
}

int SequenceEntry(const LightKindTable& kind, std::uint8_t effect) {
    const auto size = static_cast<int>(kind.effects.size());
    return effect >= size ? effect - size : 0;
}

}  // namespace r88
