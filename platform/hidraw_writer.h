#pragma once
// The output side of one hidraw connection. A hidraw write() blocks in the
// kernel until the device has taken the report, or until the USB time-out
// seconds later, whatever poll() said before; so the blocking write runs on a
// small thread of the connection's own, and the caller waits for it with its
// time-out and its cancel event instead.
//
// When the caller gives up (time-out, cancel, the connection closes) the
// report may still be inside the kernel and may still reach the device later.
// The thread owns everything it touches (a duplicate of the node's fd, its copy
// of the report, its state, shared with the writer), so it may outlive the
// connection: it ends by itself when the kernel lets its write go. While idle
// it sleeps on a condition variable.
//
// One caller at a time (CHidDevice serialises its writes).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "platform/hid_backend.h"

namespace r88 {

class HidrawWriter {
public:
    // Writes go to a duplicate of `fd`; the caller keeps its own fd.
    explicit HidrawWriter(int fd);
    // Returns at once, even while a write is inside the kernel.
    ~HidrawWriter();
    HidrawWriter(const HidrawWriter&) = delete;
    HidrawWriter& operator=(const HidrawWriter&) = delete;

    // Hands `report` over and waits until the kernel let the write go, the
    // time-out passed (kTimedOut) or `cancelFd` became readable (kCancelled).
    // While an earlier report is still inside the kernel the call first waits
    // for it within the same time-out; with `ifIdle` it gives kBusy instead, at
    // once, and sends nothing.
    HidTransferResult Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd, bool ifIdle,
                            size_t& transferred);

    // True while a report is handed over and the kernel has not let it go.
    bool Busy() const;

private:
    struct State;
    static void Run(std::shared_ptr<State> state);

    std::shared_ptr<State> state_;
};

}  // namespace r88
