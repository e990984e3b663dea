#include "platform/output_report_sender.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace r88 {

struct OutputReportSender::State {
    explicit State(SendReport fn) : send(std::move(fn)) {}

    const SendReport send;
    mutable std::mutex mutex;
    std::condition_variable work;
    bool started = false;
    bool stopping = false;
    bool inFlight = false;
    bool waiting = false;
    // The waiting batch and the one on its way; the thread owns `sending`
    // while inFlight is set.
    std::array<uint8_t, kHidMaxBatchBytes> waitingBytes{};
    size_t waitingLength = 0;
    size_t waitingReportSize = 0;
    std::array<uint8_t, kHidMaxBatchBytes> sending{};
    uint64_t sent = 0;
    uint64_t dropped = 0;
};

OutputReportSender::OutputReportSender(SendReport send) : state_(std::make_shared<State>(std::move(send))) {}

OutputReportSender::~OutputReportSender() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
        if (state_->waiting) ++state_->dropped;
        state_->waiting = false;
    }
    state_->work.notify_all();
}

void OutputReportSender::Run(std::shared_ptr<State> s) {
    // Signals belong to the other threads (a device whose other end is gone
    // must give an error here, not end the process).
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);

    std::unique_lock lock(s->mutex);
    for (;;) {
        s->work.wait(lock, [&] { return s->waiting || s->stopping; });
        if (s->stopping) return;
        const size_t length = s->waitingLength;
        const size_t reportSize = s->waitingReportSize;
        std::copy_n(s->waitingBytes.begin(), length, s->sending.begin());
        s->waiting = false;
        s->inFlight = true;
        lock.unlock();
        bool whole = true;
        for (size_t at = 0; at + reportSize <= length; at += reportSize) {
            {
                std::lock_guard check(s->mutex);
                if (s->stopping) {
                    whole = false;
                    break;
                }
            }
            // Each report's result is the device's business; the frame goes on.
            s->send(std::span<const uint8_t>(s->sending.data() + at, reportSize));
        }
        lock.lock();
        s->inFlight = false;
        if (whole) ++s->sent;
        s->work.notify_all();
    }
}

HidBatchResult OutputReportSender::Submit(std::span<const uint8_t> reports, size_t reportSize) {
    if (reports.empty() || reportSize == 0 || reports.size() % reportSize != 0 ||
        reports.size() > kHidMaxBatchBytes)
        return HidBatchResult::kRefused;
    State& s = *state_;
    bool replaced = false;
    {
        std::lock_guard lock(s.mutex);
        if (s.stopping) return HidBatchResult::kRefused;
        if (!s.started) {
            try {
                std::thread(Run, state_).detach();
            } catch (const std::system_error&) {
                return HidBatchResult::kRefused;
            }
            s.started = true;
        }
        if (s.waiting) {
            replaced = true;
            ++s.dropped;
        }
        std::copy(reports.begin(), reports.end(), s.waitingBytes.begin());
        s.waitingLength = reports.size();
        s.waitingReportSize = reportSize;
        s.waiting = true;
    }
    s.work.notify_all();
    return replaced ? HidBatchResult::kReplacedWaiting : HidBatchResult::kAccepted;
}

bool OutputReportSender::Idle() const {
    std::lock_guard lock(state_->mutex);
    return !state_->waiting && !state_->inFlight;
}

uint64_t OutputReportSender::BatchesSent() const {
    std::lock_guard lock(state_->mutex);
    return state_->sent;
}

uint64_t OutputReportSender::BatchesDropped() const {
    std::lock_guard lock(state_->mutex);
    return state_->dropped;
}

}  // namespace r88
