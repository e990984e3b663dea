#pragma once
// Which renderer each effect id of a device kind runs and how often. A kind
// is one table; a kind with renderers of its own (the keyboard) names them in
// its entries as kKindOwn with its own renderer number.
#include <array>
#include <cstdint>
#include <span>

#include "lighting/light_ticker.h"

namespace r88 {

enum class LightEffect : std::uint8_t {
    kWave,
    kSpectrumCycle,
    kBreathing,
    kFourColorBreathing,
    kStatic,
    kFlash,
    kFourColorFlash,
    kOff,
    kTrail,
    kSequence,  // plays a user light sequence
    kKindOwn,   // a renderer of the device kind itself (`kindRenderer`)
};

// The elements a trail walks and how its marker ring maps onto them.
enum class TrailShape : std::uint8_t {
    kMouseGroups,  // nine groups of up to three LEDs, ring of 23, moves every frame
    kPerLed,       // one element per LED, ring of 23, moves every second frame
    kLedPairs,     // seven LED pairs, ring of 8, moves every second frame
};

// Wave constants of a kind.
struct WaveConstants {
    std::uint8_t multiStep = 7;          // spectrum entries between neighbouring LEDs
    bool reduceMultiStart = true;        // whether phase + 1 is reduced by 192 (else entry 192 is used)
    std::uint8_t singlePhaseStep = 1;    // phase step of the single-colour wave
    std::uint8_t singleStartOffset = 1;  // wave-curve offset of LED 0
    std::uint8_t singleStep = 7;         // wave-curve entries between neighbouring LEDs
};

using FramePeriodTable = std::array<std::uint8_t, 5>;

struct LightEffectEntry {
    LightEffect effect = LightEffect::kSequence;
    const FramePeriodTable* period = nullptr;  // none: runs on every pass (sequences)
    TrailShape trail = TrailShape::kMouseGroups;
    std::uint8_t kindRenderer = 0;
};

struct LightKindTable {
    std::span<const LightEffectEntry> effects;  // by effect id; ids past the end play a sequence
    LightTickStyle ticks = LightTickStyle::kClock;
    int tickMs = 2;  // the length of one tick, as r88ctl's clock counts it
    WaveConstants wave;
    // Whether the light thread applies the per-LED light list after every
    // pass (the mouse applies it only when the lighting is applied).
    bool lightListEveryPass = true;
};

extern const LightKindTable kMouseLightKind;
extern const LightKindTable kMousePadLightKind;
extern const LightKindTable kHeadsetLightKind;
// The keyboard's ids with the shared renderers in place; its own renderers
// are kKindOwn entries numbered by effect id, drawn by the keyboard.
extern const LightKindTable kKeyboardLightKind;

// The entry of an effect id; ids past the table play a sequence.
const LightEffectEntry& EffectEntry(const LightKindTable& kind, std::uint8_t effect);
// The entry's frame period for a speed level (levels above 4 count as 4);
// 0 for an entry without one.
int FramePeriod(const LightEffectEntry& entry, std::uint8_t speed);
// The `LightInfo` entry a sequence id plays: ids past the table count from
// the table's end (mouse, pad, headset: id − 9), a sequence id inside the
// table (pad and headset id 5) plays entry 0.
int SequenceEntry(const LightKindTable& kind, std::uint8_t effect);

}  // namespace r88
