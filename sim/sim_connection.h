#pragma once
// One collection of an emulated interface, opened by the host. Input reports
// wait in a queue (the oldest are dropped beyond 64, as the kernel does);
// reads wait on an eventfd together with the caller's cancel event.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/hid_backend.h"
#include "platform/hid_event.h"
#include "platform/output_report_sender.h"

namespace r88::sim {

class SimDevice;

class SimConnection : public IHidConnection {
public:
    SimConnection(std::shared_ptr<SimDevice> device, size_t interfaceIndex, size_t collectionIndex,
                  HidOpenMode mode);
    ~SimConnection() override;

    HidAttributes Attributes() const override;
    std::shared_ptr<const HidReportDescriptor> Descriptor() const override;
    size_t CollectionIndex() const override { return collectionIndex_; }
    HidTransferResult Read(std::span<uint8_t> buffer, int timeoutMs, int cancelFd,
                           size_t& transferred) override;
    HidTransferResult Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                            size_t& transferred) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    // As on hidraw: the reports go out on a thread of the connection's own.
    HidBatchResult SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) override;
    const OutputReportSender* Batches() const { return batches_.get(); }

    // ---- device side ----
    size_t InterfaceIndex() const { return interfaceIndex_; }
    bool Reads() const { return mode_.read; }
    // `due`: not handed out before then (a late reply); reports stay in order.
    void Push(std::span<const uint8_t> report, std::chrono::steady_clock::time_point due);
    void MarkGone();

private:
    bool OutputAllowed(std::span<const uint8_t> report) const;

    std::shared_ptr<SimDevice> device_;
    size_t interfaceIndex_;
    size_t collectionIndex_;
    HidOpenMode mode_;
    std::mutex mutex_;
    struct Queued {
        std::vector<uint8_t> bytes;
        std::chrono::steady_clock::time_point due;
    };
    std::deque<Queued> queue_;
    bool gone_ = false;
    HidEvent ready_;  // set while the queue is not empty or the device is gone
    // Set when the host closed the connection or the device went away; the
    // batch sender's thread may still hold a report then.
    std::shared_ptr<std::atomic<bool>> closed_ = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<OutputReportSender> batches_;  // connections opened for writing
};

}  // namespace r88::sim
