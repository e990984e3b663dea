#pragma once
// The step engine of the synchronised lighting: one colour and alpha per
// step for every LED of every device taking part. Its clock is the light
// thread's (a tick each time the millisecond clock moved on by more than
// 1 ms), counted from the time that passed, so the thread can sleep until
// the next step is due and still step on the same tick as a polling loop.
// "Now" comes from the caller.
#include <chrono>
#include <cstdint>
#include <optional>

#include "lighting/light_tables.h"
#include "lighting/light_ticker.h"
#include "lighting/sync_light_kinds.h"

namespace r88 {

// Step periods in ticks by speed level: breathing, and every other kind.
inline constexpr std::array<std::uint8_t, 5> SyncBreathingPeriod = {5, 4, 3, 2, 1};
inline constexpr std::array<std::uint8_t, 5> SyncStepPeriod = {28, 23, 18, 13, 7};
// Flash on/off interval by speed level, in units of 100 ms.
inline constexpr std::array<std::uint8_t, 5> SyncFlashInterval = {5, 4, 3, 2, 1};
inline constexpr std::uint32_t kSyncFlashIntervalUnitMs = 100;

struct SyncLightOutput {
    Rgb colour;
    std::uint8_t alpha = 0;
    constexpr bool operator==(const SyncLightOutput&) const = default;
};

class CSyncLightEngine {
public:
    using Clock = std::chrono::steady_clock;

    explicit CSyncLightEngine(Clock::time_point start);

    static int StepPeriod(const CommonLightParams& p);

    // Counts the ticks up to `now`; once the counter reaches the step period
    // it starts again from 0 and one step runs, whose output is returned.
    std::optional<SyncLightOutput> Advance(const CommonLightParams& p, Clock::time_point now);
    // When the next step will be due (after `now`).
    Clock::time_point NextDue(const CommonLightParams& p, Clock::time_point now) const;
    // While no device takes part: that time counts no ticks.
    void Rebase(Clock::time_point now) { ticker_.Rebase(now); }

    // One step of the current kind at `now`.
    SyncLightOutput Step(const CommonLightParams& p, Clock::time_point now);

    int Ticks() const { return ticker_.Count(); }
    std::uint8_t Phase() const { return phase_; }
    std::uint8_t ColourIndex() const { return colourIndex_; }
    bool FlashOn() const { return flashOn_; }
    std::uint8_t FlashColourIndex() const { return flashColourIndex_; }

private:
    CLightTicker ticker_;
    std::uint8_t phase_ = 0;
    std::uint8_t colourIndex_ = 0;
    bool flashOn_ = false;
    std::uint8_t flashColourIndex_ = 0;
    // None before the first flash, so the first flash step toggles at once.
    std::optional<Clock::time_point> lastFlash_;
};

}  // namespace r88
