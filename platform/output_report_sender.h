#pragma once
// Sends batches of output reports (a headset's light frame: twelve reports)
// on a small thread of the connection's own, so that the caller never waits
// for the device. A full-speed device takes each output report as a control
// transfer and cannot keep up with a frame every few milliseconds; frames it
// cannot take are dropped whole, never sent in part and never queued up.
//
// One batch is on its way at a time and one more may wait. A newer batch
// replaces the waiting one, so the device always gets the newest frame next.
// Submit copies into buffers the sender holds from the start: no frame
// allocates. The thread owns what it touches (the send function and its
// buffers, shared with the sender), so the sender's destructor returns at
// once even while the device holds a report; the thread then ends after that
// report and drops the rest.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

#include "platform/hid_backend.h"

namespace r88 {

class OutputReportSender {
public:
    // Sends one output report (report id at byte 0) and returns when the
    // device took it; runs on the sender's thread only.
    using SendReport = std::function<bool(std::span<const uint8_t>)>;

    explicit OutputReportSender(SendReport send);
    ~OutputReportSender();
    OutputReportSender(const OutputReportSender&) = delete;
    OutputReportSender& operator=(const OutputReportSender&) = delete;

    // `reports`: whole reports of `reportSize` bytes each, back to back, at
    // most kHidMaxBatchBytes. Returns at once.
    HidBatchResult Submit(std::span<const uint8_t> reports, size_t reportSize);

    // Nothing waits and nothing is on its way.
    bool Idle() const;
    // Batches sent to the end, and batches dropped unsent for a newer one.
    uint64_t BatchesSent() const;
    uint64_t BatchesDropped() const;

private:
    struct State;
    static void Run(std::shared_ptr<State> state);

    std::shared_ptr<State> state_;
};

}  // namespace r88
