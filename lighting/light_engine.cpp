#include "lighting/light_engine.h"

#include "lighting/trail_renderer.h"

namespace r88 {

LightSchedule CLightEngine::Schedule(const LightState& light) const {
    LightSchedule schedule;
    if (kind_ == nullptr) return schedule;
    const LightEffectEntry& entry = EffectEntry(*kind_, light.effect);
    schedule.lightList = kind_->lightListEveryPass && lightList_.HasEntries();
    if (entry.effect == LightEffect::kSequence || entry.period == nullptr) {
        schedule.kind = LightSchedule::Kind::kEveryPass;
    } else if (entry.effect == LightEffect::kOff && offDrawn_.load(std::memory_order_relaxed)) {
        schedule.kind = LightSchedule::Kind::kIdle;
    } else {
        schedule.kind = LightSchedule::Kind::kPeriodic;
        schedule.period = FramePeriod(entry, light.speed);
    }
    return schedule;
}

void CLightEngine::ResetTrail(CUsbDeviceCore& frame) {
    r88::ResetTrail(frame, state_);
}

}  // namespace r88
