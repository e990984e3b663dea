#include "sim/sim_connection.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

#include "sim/sim_device.h"

namespace r88::sim {
namespace {

using Clock = std::chrono::steady_clock;
constexpr size_t kQueueLimit = 64;

long long MillisUntil(Clock::time_point now, Clock::time_point then) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(then - now).count();
    return left <= 0 ? 0 : std::min<long long>(left, 1 << 30);
}

bool CancelSet(int cancelFd) {
    if (cancelFd < 0) return false;
    pollfd p{cancelFd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & POLLIN);
}

}  // namespace

SimConnection::SimConnection(std::shared_ptr<SimDevice> device, size_t interfaceIndex, size_t collectionIndex,
                             HidOpenMode mode)
    : device_(std::move(device)),
      interfaceIndex_(interfaceIndex),
      collectionIndex_(collectionIndex),
      mode_(mode) {
    if (mode_.write) {
        batches_ = std::make_unique<OutputReportSender>(
            [device = device_, index = interfaceIndex_, closed = closed_](std::span<const uint8_t> report) {
                return !closed->load() &&
                       device->DeliverOutput(index, report, true) == SimDevice::Delivery::kTaken;
            });
    }
}

SimConnection::~SimConnection() {
    closed_->store(true);
}

HidAttributes SimConnection::Attributes() const {
    const SimDeviceModel& m = device_->Model();
    return {m.vendorId, m.productId, m.version};
}

std::shared_ptr<const HidReportDescriptor> SimConnection::Descriptor() const {
    return device_->Interfaces()[interfaceIndex_].descriptor;
}

void SimConnection::Push(std::span<const uint8_t> report, Clock::time_point due) {
    std::lock_guard lock(mutex_);
    if (gone_) return;
    if (queue_.size() == kQueueLimit) queue_.pop_front();
    if (!queue_.empty()) due = std::max(due, queue_.back().due);
    queue_.push_back({{report.begin(), report.end()}, due});
    ready_.Set();
}

void SimConnection::MarkGone() {
    std::lock_guard lock(mutex_);
    gone_ = true;
    closed_->store(true);
    queue_.clear();
    ready_.Set();
}

HidTransferResult SimConnection::Read(std::span<uint8_t> buffer, int timeoutMs, int cancelFd,
                                      size_t& transferred) {
    transferred = 0;
    if (!mode_.read) return HidTransferResult::kFailed;
    const bool infinite = timeoutMs < 0;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);
    for (;;) {
        std::optional<Clock::time_point> frontDue;
        {
            std::lock_guard lock(mutex_);
            if (gone_) return HidTransferResult::kFailed;
            if (!queue_.empty()) {
                if (queue_.front().due <= Clock::now() && !CancelSet(cancelFd)) {
                    const std::vector<uint8_t> report = std::move(queue_.front().bytes);
                    queue_.pop_front();
                    if (queue_.empty()) ready_.Reset();
                    const size_t n = std::min(report.size(), buffer.size());
                    if (n > 0) std::memcpy(buffer.data(), report.data(), n);
                    transferred = n;
                    return HidTransferResult::kCompleted;
                }
                frontDue = queue_.front().due;
            }
        }
        const Clock::time_point now = Clock::now();
        if (!infinite && now >= deadline && !CancelSet(cancelFd)) return HidTransferResult::kTimedOut;
        long long wait = infinite ? -1 : MillisUntil(now, deadline);
        if (frontDue) {
            // The next report is not due yet: wait for it (or the cancel event) only.
            const long long untilDue = std::max(1LL, MillisUntil(now, *frontDue));
            wait = wait < 0 ? untilDue : std::min(wait, untilDue);
        }
        pollfd fds[2] = {{cancelFd, POLLIN, 0}, {frontDue ? -1 : ready_.Fd(), POLLIN, 0}};
        const int r = poll(fds, 2, static_cast<int>(wait));
        if (r < 0) {
            if (errno == EINTR) continue;
            return HidTransferResult::kFailed;
        }
        if (cancelFd >= 0 && (fds[0].revents & POLLIN)) return HidTransferResult::kCancelled;
    }
}

bool SimConnection::OutputAllowed(std::span<const uint8_t> report) const {
    const HidReportDescriptor& d = *Descriptor();
    const HidCollection& c = d.collections[collectionIndex_];
    const size_t longest = c.Kind(HidReportKind::kOutput).reportByteLength;
    if (report.empty() || report.size() > longest) return false;
    return d.usesReportIds ? c.HasReportId(report[0]) : report[0] == 0;
}

HidTransferResult SimConnection::Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                                       size_t& transferred) {
    transferred = 0;
    if (CancelSet(cancelFd)) return HidTransferResult::kCancelled;
    if (!mode_.write || !OutputAllowed(report)) return HidTransferResult::kFailed;
    {
        std::lock_guard lock(mutex_);
        if (gone_) return HidTransferResult::kFailed;
    }
    switch (device_->DeliverOutput(interfaceIndex_, report, false)) {
        case SimDevice::Delivery::kTaken:
            transferred = report.size();
            return HidTransferResult::kCompleted;
        case SimDevice::Delivery::kGone:
            return HidTransferResult::kFailed;
        case SimDevice::Delivery::kStalled: {
            // The device does not take it: the write waits out its time-out (or the cancel event).
            pollfd p{cancelFd, POLLIN, 0};
            for (;;) {
                const int r = poll(&p, 1, timeoutMs);
                if (r < 0 && errno == EINTR) continue;
                return r > 0 ? HidTransferResult::kCancelled : HidTransferResult::kTimedOut;
            }
        }
    }
    return HidTransferResult::kFailed;
}

bool SimConnection::SetOutputReport(std::span<const uint8_t> report) {
    if (!mode_.write || !OutputAllowed(report)) return false;
    {
        std::lock_guard lock(mutex_);
        if (gone_) return false;
    }
    return device_->DeliverOutput(interfaceIndex_, report, true) == SimDevice::Delivery::kTaken;
}

}  // namespace r88::sim

namespace r88::sim {

HidBatchResult SimConnection::SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) {
    if (!batches_ || reportSize == 0 || reports.size() % reportSize != 0) return HidBatchResult::kRefused;
    for (size_t at = 0; at < reports.size(); at += reportSize)
        if (!OutputAllowed(reports.subspan(at, reportSize))) return HidBatchResult::kRefused;
    {
        std::lock_guard lock(mutex_);
        if (gone_) return HidBatchResult::kRefused;
    }
    return batches_->Submit(reports, reportSize);
}

}  // namespace r88::sim
