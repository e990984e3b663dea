#pragma once
// The one worker helper every background thread of the application uses
// (discovery, synchronised lighting, a device's light thread and notification
// reader, the update check, pointer-setting helpers).
//
// A worker runs units of work until its manual-reset stop event is set,
// waiting 1 ms on the event before each unit, or until the time the unit
// named with WaitUntil (a light thread sleeps until its next frame is due);
// Wake cuts that wait short without stopping the worker. Stopping sets the event, lets
// the owner cut a blocking wait short (a read on a device: CHidDevice::
// CancelTransfers), and waits for the thread at most the budget (1000 ms).
// Nothing is ever killed: a worker that overruns is logged and joined later
// (by the next Start, Stop, StopAndWait or the destructor), so the objects it
// uses stay alive until it has really ended. Units of work must therefore make every
// blocking wait cancellable: sleep with WaitForStop, read with a cancel event.
//
//   CWorkerThread worker(StopTraceStyle::kDevice);
//   worker.Start([&](CWorkerThread& self) { return DoOneUnit(); }, "MS设备同步线程设定退出",
//                [&] { channel.Hid().CancelTransfers(); });
//   ...
//   worker.Stop();  // trace "线程退出：：对象处于激发状态\n" when it ended in time
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace r88 {

inline constexpr int kWorkerStopBudgetMs = 1000;
inline constexpr int kWorkerIdleWaitMs = 1;

// Which trace lines Stop writes.
enum class StopTraceStyle {
    kDevice,  // a device object's threads: "线程退出：：对象处于激发状态\n", "线程退出：：对象处于非激发状态，超时\n"
    kWindow,  // the main window's workers: "所有对象处于激发状态\n", "所有对象处于非激发状态，超时\n"
    kNone,
};

enum class WorkerStopResult {
    kNotRunning,  // never started, or already stopped and joined
    kStopped,     // ended within the budget and joined
    kOverran,     // still running after the budget: logged, joined later
};

// A manual-reset event: set until reset, waits cut short by Set.
class CStopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until set or `timeoutMs` passed (negative: no limit); true when set.
    bool Wait(int timeoutMs) const;
    // Waits until set, woken or `deadline`; true when set. A wake is used up
    // by the wait it ends (or the next one, when nobody waits).
    bool WaitUntil(std::chrono::steady_clock::time_point deadline);
    void Wake();

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
    bool woken_ = false;
};

class CWorkerThread {
public:
    // One unit of work; false ends the loop (as a set stop event does).
    using Unit = std::function<bool(CWorkerThread& self)>;
    // Called by Stop after the event is set, on the stopping thread: cut the
    // worker's blocking wait short.
    using Canceller = std::function<void()>;

    // `name` is the thread's name as tools show it (/proc/<pid>/task/*/comm,
    // top -H); at most 15 characters are kept.
    explicit CWorkerThread(StopTraceStyle style = StopTraceStyle::kDevice, std::string name = "r88-worker");
    // Stops (with the traces) and joins, however long that takes.
    ~CWorkerThread();
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Stops a running worker first, resets the stop event and starts the loop.
    // `exitTrace` is written by the thread when it leaves its loop.
    void Start(Unit unit, std::string exitTrace, Canceller cancel = {});
    // Sets the event, cancels, waits at most `budgetMs` and writes the trace
    // line of the result (not for kNotRunning).
    WorkerStopResult Stop(int budgetMs = kWorkerStopBudgetMs);
    // Stop, and when the worker overran its budget, wait for it all the same:
    // for an owner whose members the worker uses and which is about to go.
    WorkerStopResult StopAndWait(int budgetMs = kWorkerStopBudgetMs);
    // Waits for a worker that was stopped but overran, however long it takes.
    void Join();

    // For the unit of work: waits `ms` on the stop event; true when it was set
    // (the unit should return at once).
    bool WaitForStop(int ms) const { return stop_.Wait(ms); }
    // For the unit of work: the next unit runs at `due` (or when woken)
    // instead of 1 ms after this one.
    void WaitUntil(std::chrono::steady_clock::time_point due) { nextDue_ = due; hasNextDue_ = true; }
    // From any thread: the worker's wait before its next unit ends now.
    void Wake() { stop_.Wake(); }
    // True from Start until the thread has left its loop.
    bool Running() const;

private:
    void Loop(Unit unit, std::string exitTrace);
    void JoinIfDone();

    StopTraceStyle style_;
    std::string name_;
    CStopEvent stop_;
    Canceller cancel_;
    std::thread thread_;
    // Only touched by the worker thread.
    std::chrono::steady_clock::time_point nextDue_{};
    bool hasNextDue_ = false;
    mutable std::mutex mutex_;
    std::condition_variable finishedChanged_;
    bool finished_ = true;
};

}  // namespace r88
