#include "lighting/light_effect_tables.h"

#include "lighting/light_tables.h"

namespace r88 {
namespace {

using E = LightEffect;
constexpr const FramePeriodTable* kFast = &FramePeriodFast;
constexpr const FramePeriodTable* kShifted = &FramePeriodShifted;
constexpr const FramePeriodTable* kSlow = &FramePeriodSlow;

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
    Own(0, kFast),  Own(1, kFast),  Own(2, kFast),
    {E::kSpectrumCycle, kFast},     {E::kBreathing, kFast},      {E::kStatic, kFast},
    Own(6, kShifted), Own(7, kFast), Own(8, kFast), Own(9, kFast), Own(10, kFast), Own(11, kFast),
    Own(12, kFast), Own(13, kFast), Own(14, kFast), Own(15, kFast),
    {E::kStatic, kFast},            Own(17, kFast),
    kKeyboardSequence, kKeyboardSequence, kKeyboardSequence, kKeyboardSequence,  // 18-21
    kKeyboardSequence, kKeyboardSequence, kKeyboardSequence,                     // 22-24
    Own(25, kShifted), kKeyboardSequence, Own(27, kShifted), Own(28, kShifted), kKeyboardSequence,
    {E::kFlash, kShifted},          Own(31, kShifted), Own(32, kShifted), kKeyboardSequence,
    {E::kOff, kShifted},            {E::kFourColorBreathing, kFast}, {E::kFourColorFlash, kShifted},
}};

const LightEffectEntry kPastTable{E::kSequence, nullptr};

}  // namespace

const LightKindTable kMouseLightKind{kMouseEffects, LightTickStyle::kClock, 2, WaveConstants{7, true, 1, 1, 7},
                                     false};
const LightKindTable kMousePadLightKind{kPadEffects, LightTickStyle::kSleep, 1, WaveConstants{7, false, 1, 1, 7},
                                        true};
const LightKindTable kHeadsetLightKind{kPadEffects, LightTickStyle::kSleep, 1, WaveConstants{16, false, 3, 0, 10},
                                       true};
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
