#pragma once
// When an emulated device received its light frames: how many, and how far
// apart, in buckets of the gap to the frame before. Frames 5 ms apart are the
// host's cadence; frames under 1 ms apart waited somewhere and came in a
// burst; long gaps are frames that never came. For benchmarks and tests.
#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>

namespace r88::sim {

class LightFrameStats {
public:
    using Clock = std::chrono::steady_clock;
    // Upper ends of the gap buckets, in microseconds; the last bucket is open.
    static constexpr std::array<std::int64_t, 5> kGapLimitsUs = {1000, 4000, 6000, 10000, 20000};
    static constexpr std::size_t kBuckets = kGapLimitsUs.size() + 1;

    struct Snapshot {
        std::uint64_t frames = 0;
        std::array<std::uint64_t, kBuckets> gaps{};  // frames after the first, by gap
    };

    void OnFrame(Clock::time_point at);
    Snapshot Take() const;

private:
    mutable std::mutex mutex_;
    Snapshot counts_;
    std::optional<Clock::time_point> last_;
};

}  // namespace r88::sim
