#pragma once
// One HID interface (one top-level collection of it), opened or closed, on a
// backend (hidraw or the emulated bus). Transfers wait with a time-out that
// another thread can cut short by closing the device.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "platform/hid_event.h"
#include "platform/hid_report_descriptor.h"

namespace r88 {

// Top-level usage, report lengths (report id byte included) and numbers of
// capabilities per report kind of the opened collection.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
};

// One decoding slot: a button capability (list of pressed usages) or one usage of a value capability.
struct HidDataItem {
    bool isButton = false;
    uint16_t usagePage = 0;
    uint32_t status = kHidStatusSuccess;
    uint32_t reportId = 0;
    bool isSet = false;
    // buttons
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsages = 0;
    std::vector<uint16_t> usages;  // maxUsages entries; zero after the last decoded one
    // values
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

inline constexpr size_t kHidMaxPathChars = 259;  // without the terminator

class CHidDevice {
public:
    CHidDevice();  // on CurrentHidBackend()
    explicit CHidDevice(std::shared_ptr<IHidBackend> backend);
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    bool Open(const std::string& path, bool forRead, bool forWrite, bool overlapped, bool exclusive);
    void Close();
    bool IsOpen() const;

    // Both need an interface opened with `overlapped`. timeoutMs: milliseconds
    // or kHidInfinite. `transferred` is 0 unless the call succeeds.
    bool Read(uint8_t* buffer, size_t length, int timeoutMs, size_t* transferred = nullptr);
    // A write that gives up (time-out, cancel, Close) returns at once, but on
    // hidraw the report may still reach the device later; a write while that
    // one is still inside the kernel waits for it within its own time-out.
    bool Write(const uint8_t* buffer, size_t length, int timeoutMs, size_t* transferred = nullptr);
    // Write for light frames: false with `busy` set, at once and sending
    // nothing, while an earlier write is still on its way.
    bool TryWrite(const uint8_t* buffer, size_t length, int timeoutMs, bool& busy,
                  size_t* transferred = nullptr);
    // The synchronous output-report call (report id at byte 0).
    bool SetOutputReport(const uint8_t* buffer, size_t length);
    // Light frames as output reports (IHidConnection::SubmitOutputReports):
    // returns at once; a frame the device cannot take now is dropped whole.
    HidBatchResult SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize);

    // Ends a waiting transfer at once and makes every further one fail at once
    // until the next Open; lets a reader thread be stopped before Close.
    void CancelTransfers();

    // Decodes one input report into `items` (normally InputItems()). A report
    // whose id matches no slot changes nothing and gives true.
    bool UnpackInputReport(std::span<HidDataItem> items, std::span<const uint8_t> report) const;

    bool forRead() const { return forRead_; }
    bool forWrite() const { return forWrite_; }
    bool overlapped() const { return overlapped_; }
    bool exclusive() const { return exclusive_; }
    const std::string& Path() const { return path_; }
    const HidCaps& Caps() const { return caps_; }
    const HidAttributes& Attributes() const { return attributes_; }
    bool ReadPending() const;
    bool WritePending() const;

    std::vector<uint8_t>& InputReport() { return kinds_[0].report; }
    std::vector<uint8_t>& OutputReport() { return kinds_[1].report; }
    std::vector<uint8_t>& FeatureReport() { return kinds_[2].report; }
    std::span<HidDataItem> InputItems() { return kinds_[0].items; }
    std::span<HidDataItem> OutputItems() { return kinds_[1].items; }
    std::span<HidDataItem> FeatureItems() { return kinds_[2].items; }
    const std::vector<HidCapability>& ButtonCaps(HidReportKind k) const { return Kind(k).buttonCaps; }
    const std::vector<HidCapability>& ValueCaps(HidReportKind k) const { return Kind(k).valueCaps; }

private:
    struct KindState {
        std::vector<uint8_t> report;
        std::vector<HidDataItem> items;
        std::vector<HidCapability> buttonCaps;
        std::vector<HidCapability> valueCaps;
    };
    const KindState& Kind(HidReportKind k) const { return kinds_[static_cast<size_t>(k)]; }
    bool LoadCaps();
    bool WriteReport(const uint8_t* buffer, size_t length, int timeoutMs, bool ifIdle, bool& busy,
                     size_t* transferred);
    void CloseLocked(std::unique_lock<std::mutex>& lock);

    std::shared_ptr<IHidBackend> backend_;
    bool forRead_ = false;
    bool forWrite_ = false;
    bool overlapped_ = false;
    bool exclusive_ = false;
    std::shared_ptr<IHidConnection> connection_;  // the open handle; null when closed
    std::string path_;
    std::shared_ptr<const HidReportDescriptor> descriptor_;
    const HidCollection* collection_ = nullptr;
    HidCaps caps_;
    HidAttributes attributes_;
    KindState kinds_[kHidReportKinds];
    HidEvent cancelEvent_;
    bool cancelled_ = false;
    bool readPending_ = false;
    bool writePending_ = false;
    mutable std::mutex mutex_;
    std::condition_variable idle_;
};

}  // namespace r88
