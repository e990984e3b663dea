#include "device/worker_thread.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/trace.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;

TEST(WorkerThreadTest, RunsUnitsUntilStoppedAndTracesTheEnd) {
    TraceCapture trace;
    std::atomic<int> units{0};
    CWorkerThread worker;
    EXPECT_EQ(worker.Stop(), WorkerStopResult::kNotRunning);
    worker.Start(
        [&](CWorkerThread& self) {
            ++units;
            return !self.WaitForStop(10'000);  // a long sleep that the stop cuts short
        },
        "KB灯光线程设定退出");
    while (units == 0) std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(worker.Running());
    EXPECT_EQ(worker.Stop(), WorkerStopResult::kStopped);
    EXPECT_FALSE(worker.Running());
    EXPECT_EQ(trace.Text(), "KB灯光线程设定退出\n线程退出：：对象处于激发状态\n");

    // Started again, it runs again; a unit that says it is done ends the loop.
    worker.Start([&](CWorkerThread&) { return ++units < 5; }, "");
    while (worker.Running()) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(units, 5);
}

TEST(WorkerThreadTest, AnOverrunningWorkerIsLoggedAndJoinedLaterNeverKilled) {
    TraceCapture trace;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    {
        CWorkerThread worker(StopTraceStyle::kWindow);
        worker.Start(
            [&](CWorkerThread&) {
                started = true;
                std::this_thread::sleep_for(200ms);  // does not look at the stop event
                finished = true;
                return false;
            },
            "");
        while (!started) std::this_thread::sleep_for(1ms);
        EXPECT_EQ(worker.Stop(50), WorkerStopResult::kOverran);
        EXPECT_TRUE(trace.Contains("所有对象处于非激发状态，超时\n"));
        EXPECT_FALSE(finished);
    }
    EXPECT_TRUE(finished);  // the destructor waited for it
}

TEST(WorkerThreadTest, AUnitSleepsUntilItsDueTimeAndAWakeOrTheStopCutsThatShort) {
    std::atomic<int> units{0};
    CWorkerThread worker;
    worker.Start(
        [&](CWorkerThread& self) {
            ++units;
            self.WaitUntil(std::chrono::steady_clock::now() + 10s);
            return true;
        },
        "");
    while (units == 0) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(units, 1);  // not the 1 ms default: the unit named its next time

    const auto woken = std::chrono::steady_clock::now();
    worker.Wake();
    while (units == 1) std::this_thread::sleep_for(1ms);
    EXPECT_LT(std::chrono::steady_clock::now() - woken, 1s);
    EXPECT_EQ(units, 2);

    const auto stopping = std::chrono::steady_clock::now();
    EXPECT_EQ(worker.Stop(), WorkerStopResult::kStopped);
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, 1s);
}

TEST(WorkerThreadTest, StopAndWaitWaitsForAnOverrunningWorkerBeforeItReturns) {
    TraceCapture trace;
    std::atomic<bool> started{false};
    std::atomic<bool> finished{false};
    CWorkerThread worker;
    worker.Start(
        [&](CWorkerThread&) {
            started = true;
            std::this_thread::sleep_for(400ms);  // does not look at the stop event
            finished = true;
            return false;
        },
        "");
    while (!started) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(worker.StopAndWait(20), WorkerStopResult::kOverran);
    EXPECT_TRUE(trace.Contains("线程退出：：对象处于非激发状态，超时\n"));
    // The owner may now let its members go: the worker has really ended.
    EXPECT_TRUE(finished);
    EXPECT_FALSE(worker.Running());
}

// The name tools show for each thread of this process.
std::vector<std::string> ThreadNames() {
    std::vector<std::string> names;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (std::getline(comm, name)) names.push_back(name);
    }
    return names;
}

TEST(WorkerThreadTest, TheThreadCarriesItsNameCutToWhatLinuxKeeps) {
    CWorkerThread worker(StopTraceStyle::kNone, "r88-a-name-longer-than-fifteen");
    worker.Start([](CWorkerThread& self) { return !self.WaitForStop(10'000); }, "");
    const std::vector<std::string> names = ThreadNames();
    worker.Stop();
    EXPECT_NE(std::find(names.begin(), names.end(), "r88-a-name-long"), names.end());
}

}  // namespace
}  // namespace r88
