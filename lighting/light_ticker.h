#pragma once
// The light thread's clock. A light thread renders a frame once its tick
// counter reaches the effect's frame period; how a tick is counted depends on
// the device kind. Counting ticks from the time that passed, instead of
// counting loop passes, lets the thread sleep until its next frame is due and
// still render every frame on the same tick as a thread that polls.
#include <chrono>

namespace r88 {

enum class LightTickStyle {
    kClock,  // mouse, keyboard: a tick each time the millisecond clock moved on by more than 1 ms
    kSleep,  // mouse pad, headset: a tick per 1 ms sleep
};

class CLightTicker {
public:
    using Clock = std::chrono::steady_clock;

    CLightTicker(LightTickStyle style, Clock::time_point start);

    // The time one tick takes: 2 ms on a 1 ms clock, or the 1 ms sleep.
    Clock::duration TickLength() const;
    // Counts the ticks that have passed up to `now`.
    void Advance(Clock::time_point now);
    int Count() const { return count_; }
    // After a frame: the counter starts again from 0.
    void Reset() { count_ = 0; }
    // While the thread renders nothing (no channel, synchronised lighting):
    // no ticks are counted for that time.
    void Rebase(Clock::time_point now) { last_ = now; }
    // When the counter will have reached `count` (now, if it has already).
    Clock::time_point When(int count) const;

private:
    LightTickStyle style_;
    Clock::time_point last_;  // when the last counted tick fell
    int count_ = 0;
};

}  // namespace r88
