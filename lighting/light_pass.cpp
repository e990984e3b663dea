#include "lighting/light_pass.h"

namespace r88 {

CLightTicker::Clock::time_point RunLightPass(CLightTicker& ticker, ILightRenderer& renderer, bool channelOpen,
                                             bool syncLighting, CLightTicker::Clock::time_point now) {
    if (!channelOpen || syncLighting) {
        // The frame belongs to nobody now: no ticks, no rendering.
        ticker.Rebase(now);
        return now + kLightIdleWait;
    }
    ticker.Advance(now);
    const LightSchedule schedule = renderer.CurrentLightSchedule();
    switch (schedule.kind) {
        case LightSchedule::Kind::kEveryPass:
            renderer.RenderLightFrame();
            break;
        case LightSchedule::Kind::kPeriodic:
            if (ticker.Count() >= schedule.period) {
                ticker.Reset();
                renderer.RenderLightFrame();
            }
            break;
        case LightSchedule::Kind::kIdle:
            break;
    }
    renderer.EndLightPass();

    const auto nextTick = ticker.When(ticker.Count() + 1);
    if (schedule.kind == LightSchedule::Kind::kEveryPass || schedule.lightList) return nextTick;
    if (schedule.kind == LightSchedule::Kind::kPeriodic) {
        // A period of 0 renders on every pass of the 1 ms loop.
        if (schedule.period <= 0) return now + std::chrono::milliseconds(1);
        const auto due = ticker.When(schedule.period);
        return due > now ? due : nextTick;
    }
    return now + kLightIdleWait;
}

}  // namespace r88
