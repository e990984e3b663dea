#include <gtest/gtest.h>

#include <thread>

#include "platform/trace.h"

namespace r88 {
namespace {

TEST(Trace, CaptureCollectsFormattedLinesFromAnyThreadAndRestoresThePreviousSink) {
    std::string outer;
    TraceSink before = SetTraceSink([&outer](std::string_view l) { outer.append(l); });
    {
        TraceCapture capture;
        TraceF("软件标示：%d", 49321);
        std::thread([] { Trace("线程退出：：对象处于激发状态\n"); }).join();
        EXPECT_EQ(capture.Text(), "软件标示：49321\n线程退出：：对象处于激发状态\n");
    }
    Trace("after");
    EXPECT_EQ(outer, "after");
    SetTraceSink(std::move(before));
}

}  // namespace
}  // namespace r88
