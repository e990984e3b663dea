// What an emulated device tells a benchmark about the light frames it got.
#include "sim/light_frame_stats.h"

#include <gtest/gtest.h>

#include "sim/light_stats_file.h"

namespace r88::sim {
namespace {

using namespace std::chrono_literals;

TEST(LightFrameStats, GapsFallIntoTheirBucketsAndTheLineSaysSo) {
    LightFrameStats stats;
    LightFrameStats::Clock::time_point t{};
    stats.OnFrame(t);
    // Back to back, on the cadence, at the bucket edges, missed frames.
    for (std::chrono::microseconds gap :
         {500us, 5000us, 5000us, 999us, 1000us, 4000us, 6000us, 9000us, 12000us, 20000us, 300000us}) {
        t += gap;
        stats.OnFrame(t);
    }
    const LightFrameStats::Snapshot s = stats.Take();
    EXPECT_EQ(s.frames, 12u);
    EXPECT_EQ(s.gaps, (std::array<std::uint64_t, 6>{2, 1, 3, 2, 1, 2}));
    EXPECT_EQ(LightStatsFile::Format("mousepad", 42, s), "mousepad now_us=42 frames=12 gaps=2,1,3,2,1,2\n");
}

}  // namespace
}  // namespace r88::sim
