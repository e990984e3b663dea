#include "lighting/light_ticker.h"

#include <algorithm>
#include <limits>

namespace r88 {

namespace {
// The counter never needs to go past the longest frame period; it is only
// kept from overflowing after a long pause.
constexpr int kCountLimit = std::numeric_limits<int>::max() / 2;
}  // namespace

CLightTicker::CLightTicker(LightTickStyle style, Clock::time_point start) : style_(style), last_(start) {}

CLightTicker::Clock::duration CLightTicker::TickLength() const {
    return style_ == LightTickStyle::kClock ? std::chrono::milliseconds(2) : std::chrono::milliseconds(1);
}

void CLightTicker::Advance(Clock::time_point now) {
    if (now <= last_) return;
    const Clock::duration tick = TickLength();
    const auto ticks = (now - last_) / tick;
    if (ticks <= 0) return;
    // Ticks keep their phase: the time after the last whole tick counts
    // towards the next one.
    last_ += ticks * tick;
    count_ = static_cast<int>(std::min<decltype(ticks)>(count_ + ticks, kCountLimit));
}

CLightTicker::Clock::time_point CLightTicker::When(int count) const {
    if (count <= count_) return last_;
    return last_ + (count - count_) * TickLength();
}

}  // namespace r88
