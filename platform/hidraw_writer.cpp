#include "platform/hidraw_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/hid_event.h"

namespace r88 {
namespace {

using Clock = std::chrono::steady_clock;

bool IsReadable(int fd) {
    if (fd < 0) return false;
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN) != 0;
}

}  // namespace

struct HidrawWriter::State {
    explicit State(int duplicate) : fd(duplicate) {}
    ~State() {
        if (fd >= 0) ::close(fd);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    const int fd;  // the thread's own duplicate of the node's fd
    std::mutex mutex;
    std::condition_variable work;
    HidEvent done;  // set each time the kernel let a write go
    bool started = false;
    bool stopping = false;
    bool busy = false;  // a report is handed over and not yet let go
    std::vector<uint8_t> report;
    uint64_t posted = 0;    // number of the last report handed over
    uint64_t finished = 0;  // number of the last report the kernel let go
    ssize_t result = 0;
};

HidrawWriter::HidrawWriter(int fd)
    : state_(std::make_shared<State>(fd >= 0 ? fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1)) {}

HidrawWriter::~HidrawWriter() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
    }
    state_->work.notify_all();
}

bool HidrawWriter::Busy() const {
    std::lock_guard lock(state_->mutex);
    return state_->busy;
}

void HidrawWriter::Run(std::shared_ptr<State> s) {
    // Signals belong to the other threads; a write on a node whose other end
    // is gone must give an error here, not end the process.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);

    std::unique_lock lock(s->mutex);
    for (;;) {
        s->work.wait(lock, [&] { return s->busy || s->stopping; });
        if (s->stopping) return;  // a report not yet begun is not sent once its connection has gone
        lock.unlock();
        // The report buffer is the thread's until `busy` is cleared.
        ssize_t n = -1;
        for (;;) {
            n = ::write(s->fd, s->report.data(), s->report.size());
            if (n >= 0) break;
            if (errno == EINTR) continue;
            if (errno != EAGAIN) break;
            // A non-blocking fd that is full (hidraw's never is): wait all the
            // same, and back off so a fd that claims room it lacks cannot spin us.
            pollfd p{s->fd, POLLOUT, 0};
            if (poll(&p, 1, -1) < 0 && errno != EINTR) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        lock.lock();
        s->result = n;
        s->finished = s->posted;
        s->busy = false;
        s->done.Set();
    }
}

HidTransferResult HidrawWriter::Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                                      bool ifIdle, size_t& transferred) {
    transferred = 0;
    State& s = *state_;
    if (s.fd < 0 || !s.done.Valid() || report.empty()) return HidTransferResult::kFailed;
    if (IsReadable(cancelFd)) return HidTransferResult::kCancelled;
    const bool infinite = timeoutMs < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);

    // Waits until `ready` holds (checked under the lock), the deadline passes or the cancel event is set.
    auto waitUntil = [&](auto ready) -> HidTransferResult {
        for (;;) {
            {
                std::lock_guard lock(s.mutex);
                if (ready()) return HidTransferResult::kCompleted;
            }
            int waitMs = -1;
            if (!infinite) {
                const auto left =
                    std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
                if (left <= 0) return HidTransferResult::kTimedOut;
                waitMs = static_cast<int>(std::min<long long>(left, 1 << 30));
            }
            pollfd fds[2] = {{s.done.Fd(), POLLIN, 0}, {cancelFd, POLLIN, 0}};
            const int r = poll(fds, cancelFd >= 0 ? 2 : 1, waitMs);
            if (r < 0 && errno != EINTR) return HidTransferResult::kFailed;
            if (cancelFd >= 0 && (fds[1].revents & POLLIN)) return HidTransferResult::kCancelled;
            if (r > 0 && (fds[0].revents & POLLIN)) s.done.Reset();
        }
    };

    uint64_t ticket = 0;
    {
        std::unique_lock lock(s.mutex);
        while (s.busy) {
            // The device has not taken the previous report yet.
            if (ifIdle) return HidTransferResult::kBusy;
            lock.unlock();
            const HidTransferResult idle = waitUntil([&] { return !s.busy; });
            if (idle != HidTransferResult::kCompleted) return idle;
            lock.lock();
        }
        if (!s.started) {
            try {
                std::thread(Run, state_).detach();
            } catch (const std::system_error&) {
                return HidTransferResult::kFailed;
            }
            s.started = true;
        }
        s.report.assign(report.begin(), report.end());
        ticket = ++s.posted;
        s.busy = true;
    }
    s.work.notify_one();

    // The report may still land after this gives up: the kernel cannot be told to drop it.
    const HidTransferResult r = waitUntil([&] { return s.finished >= ticket; });
    if (r != HidTransferResult::kCompleted) return r;
    std::lock_guard lock(s.mutex);
    if (s.result < 0) return HidTransferResult::kFailed;
    transferred = static_cast<size_t>(s.result);
    return HidTransferResult::kCompleted;
}

}  // namespace r88
