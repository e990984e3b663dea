#pragma once
// The HID layer that CHidDevice and CHidDeviceList run on. Two implementations:
// the kernel's hidraw nodes (platform/hidraw_backend.h) and the emulated bus
// (sim/sim_bus.h). Paths name one top-level collection of one interface and
// carry the tags "vid_", "pid_", "&mi_" and "&col" (device/hid_path.h).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/hid_report_descriptor.h"

namespace r88 {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HidOpenMode {
    bool read = false;
    bool write = false;
    bool exclusive = false;
};

// kBusy: TryWrite only; an earlier report is still inside the device and nothing was sent.
enum class HidTransferResult { kCompleted, kTimedOut, kCancelled, kFailed, kBusy };

inline constexpr int kHidInfinite = -1;

// What became of a batch of output reports handed to SubmitOutputReports.
enum class HidBatchResult {
    kAccepted,         // it goes out next
    kReplacedWaiting,  // it goes out next; an older batch that still waited was dropped whole
    kRefused,          // not sent at all (closed, not writable, malformed or too long)
};
// The longest batch a connection takes at once.
inline constexpr size_t kHidMaxBatchBytes = 1024;

// One opened top-level collection.
class IHidConnection {
public:
    virtual ~IHidConnection() = default;

    virtual HidAttributes Attributes() const = 0;
    // The interface's whole descriptor, parsed, and which of its collections this is.
    virtual std::shared_ptr<const HidReportDescriptor> Descriptor() const = 0;
    virtual size_t CollectionIndex() const = 0;

    // Waits for the next input report of this collection (report id at byte 0)
    // and copies at most buffer.size() bytes of it. The wait ends early, with
    // kCancelled, when `cancelFd` becomes readable. timeoutMs < 0: no limit.
    virtual HidTransferResult Read(std::span<uint8_t> buffer, int timeoutMs, int cancelFd,
                                   size_t& transferred) = 0;
    // Sends one output report; byte 0 is its report id (0 when the device has none).
    virtual HidTransferResult Write(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                                    size_t& transferred) = 0;
    // Write for light frames, which never wait for the device: kBusy at once,
    // sending nothing, while an earlier report is still on its way (a write
    // that was given up on may still be inside the kernel). Where a write
    // never outlives its call this is Write.
    virtual HidTransferResult TryWrite(std::span<const uint8_t> report, int timeoutMs, int cancelFd,
                                       size_t& transferred) {
        return Write(report, timeoutMs, cancelFd, transferred);
    }
    // Sends one output report on the control pipe and returns when it was taken.
    virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;
    // Light frames of devices that take them as output reports: whole
    // reports of `reportSize` bytes, back to back, sent in order with the
    // output-report call without the caller waiting for the device. While a
    // batch is on its way the new one waits in its place, replacing one that
    // waited already. Where SetOutputReport never blocks, the reports are
    // simply sent here.
    virtual HidBatchResult SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize);
};

enum class HidEnumItem { kPresent, kNoMoreItems, kSkipped, kFailed };

// A snapshot of the present interfaces, asked one index at a time.
class IHidInterfaceSet {
public:
    virtual ~IHidInterfaceSet() = default;
    // kPresent fills `path`; kSkipped: nothing usable at this index; kFailed:
    // the interface could not be described (the enumeration as a whole fails).
    virtual HidEnumItem Item(size_t index, std::string& path) = 0;
};

class IHidBackend {
public:
    virtual ~IHidBackend() = default;
    // Null when the set of present interfaces cannot be had.
    virtual std::unique_ptr<IHidInterfaceSet> OpenInterfaceSet() = 0;
    // Null when the path names nothing present, cannot be opened with `mode`,
    // or its descriptor is refused. An open with neither read nor write gives
    // attributes and descriptor only (its transfers fail).
    virtual std::unique_ptr<IHidConnection> Open(const std::string& path, HidOpenMode mode) = 0;
    // Whether the path still names a present interface.
    virtual bool IsPresent(const std::string& path) = 0;
};

// The process-wide backend that a default-constructed CHidDevice and
// CHidDeviceList use: the hidraw backend unless the application installed another.
std::shared_ptr<IHidBackend> CurrentHidBackend();
void SetCurrentHidBackend(std::shared_ptr<IHidBackend> backend);

}  // namespace r88
