// The light thread's schedule: sleeping until the next frame is due must
// render every frame on the same tick as a thread that wakes every
// millisecond and counts ticks as it goes.
#include "lighting/light_pass.h"

#include <gtest/gtest.h>

#include <vector>

namespace r88 {
namespace {

using namespace std::chrono_literals;
using Clock = CLightTicker::Clock;

struct RecordingRenderer : ILightRenderer {
    LightSchedule schedule;
    Clock::time_point now{};
    std::vector<Clock::duration> frames;  // render times since the start
    int passes = 0;
    Clock::time_point start{};
    virtual ~RecordingRenderer() = default;

    LightSchedule CurrentLightSchedule() override { return schedule; }
    void RenderLightFrame() override { frames.push_back(now - start); }
    void EndLightPass() override { ++passes; }
};

// The reference: a thread that wakes every millisecond, counts a tick as the
// kind counts it (the clock moved on by more than 1 ms, or one per 1 ms
// sleep), and renders when the counter has reached the period.
std::vector<Clock::duration> PollingFrames(LightTickStyle style, int period, Clock::duration span) {
    std::vector<Clock::duration> frames;
    int counter = 0;
    Clock::duration lastCount{0};
    for (Clock::duration t = 1ms; t <= span; t += 1ms) {
        if (style == LightTickStyle::kSleep) {
            ++counter;
        } else if (t - lastCount > 1ms) {
            ++counter;
            lastCount = t;
        }
        if (counter >= period) {
            counter = 0;
            frames.push_back(t);
        }
    }
    return frames;
}

// The thread under test: it sleeps until the time each pass names.
RecordingRenderer SleepingFrames(LightTickStyle style, LightSchedule schedule, Clock::duration span,
                                 int* wakeUps = nullptr) {
    RecordingRenderer r;
    r.schedule = schedule;
    r.start = Clock::time_point{} + 1h;
    CLightTicker ticker(style, r.start);
    r.now = r.start + 1ms;  // the first pass follows the 1 ms wait
    int wakes = 0;
    while (r.now - r.start <= span) {
        ++wakes;
        const Clock::time_point due = RunLightPass(ticker, r, true, false, r.now);
        EXPECT_GT(due, r.now);
        r.now = due;
    }
    if (wakeUps != nullptr) *wakeUps = wakes;
    return r;
}

TEST(LightPassTest, SleepingUntilDueRendersOnTheTicksOfAPollingThread) {
    const LightSchedule::Kind periodic = LightSchedule::Kind::kPeriodic;
    struct Case {
        LightTickStyle style;
        int period;
    };
    // The frame periods of the effect tables: 1..5 ticks of 2 ms for the
    // mouse and keyboard, 7..28 ticks of 1 ms for the pad and headset.
    for (const Case c : {Case{LightTickStyle::kClock, 1}, Case{LightTickStyle::kClock, 3},
                         Case{LightTickStyle::kClock, 5}, Case{LightTickStyle::kSleep, 7},
                         Case{LightTickStyle::kSleep, 13}, Case{LightTickStyle::kSleep, 28}}) {
        SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(c.style) << " period " << c.period);
        int wakeUps = 0;
        const RecordingRenderer r = SleepingFrames(c.style, {periodic, c.period, false}, 500ms, &wakeUps);
        EXPECT_EQ(r.frames, PollingFrames(c.style, c.period, 500ms));
        // One wake-up per frame, not one per millisecond.
        EXPECT_LE(wakeUps, static_cast<int>(r.frames.size()) + 1);
    }
}

TEST(LightPassTest, ALightListOrAUserSequenceKeepsOnePassPerTick) {
    struct Case {
        LightTickStyle style;
        LightSchedule schedule;
        int framesIn100ms;
    };
    for (const Case& c : {
             Case{LightTickStyle::kSleep, {LightSchedule::Kind::kEveryPass, 0, false}, 100},
             Case{LightTickStyle::kClock, {LightSchedule::Kind::kEveryPass, 0, false}, 51},  // and the first pass
             // A static effect with a light list: frames by the period, passes by the tick.
             Case{LightTickStyle::kSleep, {LightSchedule::Kind::kPeriodic, 28, true}, 3},
             Case{LightTickStyle::kSleep, {LightSchedule::Kind::kIdle, 0, true}, 0},
         }) {
        SCOPED_TRACE(static_cast<int>(c.schedule.kind));
        const RecordingRenderer r = SleepingFrames(c.style, c.schedule, 100ms);
        EXPECT_EQ(static_cast<int>(r.frames.size()), c.framesIn100ms);
        const int ticks = c.style == LightTickStyle::kSleep ? 100 : 50;
        EXPECT_NEAR(r.passes, ticks, 1);
    }
}

TEST(LightPassTest, NothingToDrawSleepsLongAndCountsNoTicks) {
    RecordingRenderer r;
    r.schedule = {LightSchedule::Kind::kPeriodic, 1, false};
    const Clock::time_point t0 = Clock::time_point{} + 1h;
    CLightTicker ticker(LightTickStyle::kClock, t0);
    // No channel, then synchronised lighting: no frame, no end-of-pass work.
    EXPECT_EQ(RunLightPass(ticker, r, false, false, t0 + 1ms), t0 + 1ms + kLightIdleWait);
    EXPECT_EQ(RunLightPass(ticker, r, true, true, t0 + 500ms), t0 + 500ms + kLightIdleWait);
    EXPECT_TRUE(r.frames.empty());
    EXPECT_EQ(r.passes, 0);
    EXPECT_EQ(ticker.Count(), 0);
    // The effect switched off with an empty light list: one pass, then a long wait.
    r.schedule = {};
    EXPECT_EQ(RunLightPass(ticker, r, true, false, t0 + 600ms), t0 + 600ms + kLightIdleWait);
    EXPECT_EQ(r.passes, 1);
}

TEST(LightPassTest, APeriodOfZeroRendersOnEveryMillisecondPass) {
    RecordingRenderer r;
    r.schedule = {LightSchedule::Kind::kPeriodic, 0, false};
    const Clock::time_point t0 = Clock::time_point{} + 1h;
    CLightTicker ticker(LightTickStyle::kClock, t0);
    EXPECT_EQ(RunLightPass(ticker, r, true, false, t0 + 1ms), t0 + 2ms);
    EXPECT_EQ(r.frames.size(), 1u);
}

}  // namespace
}  // namespace r88
