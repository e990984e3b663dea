#include "sim/light_frame_stats.h"

namespace r88::sim {

void LightFrameStats::OnFrame(Clock::time_point at) {
    std::lock_guard lock(mutex_);
    ++counts_.frames;
    if (last_) {
        const auto gapUs = std::chrono::duration_cast<std::chrono::microseconds>(at - *last_).count();
        std::size_t bucket = 0;
        while (bucket < kGapLimitsUs.size() && gapUs >= kGapLimitsUs[bucket]) ++bucket;
        ++counts_.gaps[bucket];
    }
    last_ = at;
}

LightFrameStats::Snapshot LightFrameStats::Take() const {
    std::lock_guard lock(mutex_);
    return counts_;
}

}  // namespace r88::sim
