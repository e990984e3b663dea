#include "device/worker_thread.h"

#include <pthread.h>

#include <chrono>

#include "platform/trace.h"

namespace r88 {

void CStopEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void CStopEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
    woken_ = false;
}

bool CStopEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

bool CStopEvent::Wait(int timeoutMs) const {
    std::unique_lock lock(mutex_);
    if (timeoutMs < 0) {
        changed_.wait(lock, [this] { return set_; });
        return true;
    }
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
}

bool CStopEvent::WaitUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [this] { return set_ || woken_; });
    woken_ = false;
    return set_;
}

void CStopEvent::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
}

CWorkerThread::CWorkerThread(StopTraceStyle style, std::string name)
    : style_(style), name_(name.substr(0, 15)) {}

CWorkerThread::~CWorkerThread() {
    Stop();
    if (thread_.joinable()) thread_.join();  // an overrun one: wait for it, never leave it dangling
}

bool CWorkerThread::Running() const {
    std::lock_guard lock(mutex_);
    return !finished_;
}

void CWorkerThread::Start(Unit unit, std::string exitTrace, Canceller cancel) {
    Stop();
    if (thread_.joinable()) thread_.join();
    stop_.Reset();
    cancel_ = std::move(cancel);
    {
        std::lock_guard lock(mutex_);
        finished_ = false;
    }
    hasNextDue_ = false;
    thread_ = std::thread(&CWorkerThread::Loop, this, std::move(unit), std::move(exitTrace));
    pthread_setname_np(thread_.native_handle(), name_.c_str());
}

void CWorkerThread::Loop(Unit unit, std::string exitTrace) {
    for (;;) {
        const auto due = hasNextDue_ ? nextDue_
                                     : std::chrono::steady_clock::now() + std::chrono::milliseconds(kWorkerIdleWaitMs);
        hasNextDue_ = false;
        if (stop_.WaitUntil(due)) break;
        if (!unit(*this)) break;
    }
    if (!exitTrace.empty()) Trace(exitTrace);
    {
        std::lock_guard lock(mutex_);
        finished_ = true;
    }
    finishedChanged_.notify_all();
}

WorkerStopResult CWorkerThread::Stop(int budgetMs) {
    if (!thread_.joinable()) return WorkerStopResult::kNotRunning;
    stop_.Set();
    if (cancel_) cancel_();
    bool ended = false;
    {
        std::unique_lock lock(mutex_);
        ended = finishedChanged_.wait_for(lock, std::chrono::milliseconds(budgetMs < 0 ? 0 : budgetMs),
                                          [this] { return finished_; });
    }
    if (!ended) {
        // Never killed: it is joined by the next Start, Stop or the destructor.
        if (style_ == StopTraceStyle::kDevice) Trace("线程退出：：对象处于非激发状态，超时\n");
        if (style_ == StopTraceStyle::kWindow) Trace("所有对象处于非激发状态，超时\n");
        return WorkerStopResult::kOverran;
    }
    thread_.join();
    if (style_ == StopTraceStyle::kDevice) Trace("线程退出：：对象处于激发状态\n");
    if (style_ == StopTraceStyle::kWindow) Trace("所有对象处于激发状态\n");
    return WorkerStopResult::kStopped;
}

WorkerStopResult CWorkerThread::StopAndWait(int budgetMs) {
    const WorkerStopResult result = Stop(budgetMs);
    if (result == WorkerStopResult::kOverran) Join();
    return result;
}

void CWorkerThread::Join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace r88
