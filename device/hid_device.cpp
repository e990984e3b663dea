#include "device/hid_device.h"

#include "platform/trace.h"

namespace r88 {

namespace {
// Usage lists of all button slots together; a descriptor that asks for more
// (thousands of button fields) is not a device we talk to.
constexpr size_t kMaxSlotUsages = 1u << 16;
}  // namespace

CHidDevice::CHidDevice() : CHidDevice(CurrentHidBackend()) {}

CHidDevice::CHidDevice(std::shared_ptr<IHidBackend> backend) : backend_(std::move(backend)) {}

CHidDevice::~CHidDevice() {
    Close();
}

bool CHidDevice::IsOpen() const {
    std::lock_guard lock(mutex_);
    return connection_ != nullptr;
}

bool CHidDevice::ReadPending() const {
    std::lock_guard lock(mutex_);
    return readPending_;
}

bool CHidDevice::WritePending() const {
    std::lock_guard lock(mutex_);
    return writePending_;
}

void CHidDevice::CloseLocked(std::unique_lock<std::mutex>& lock) {
    if (readPending_ || writePending_) {
        // Cut the waiting transfers short and let them return before their
        // connection and buffers go away.
        cancelEvent_.Set();
        idle_.wait(lock, [this] { return !readPending_ && !writePending_; });
    }
    if (!cancelled_) cancelEvent_.Reset();
    for (KindState& k : kinds_) k = KindState{};
    collection_ = nullptr;
    descriptor_.reset();
    caps_ = HidCaps{};
    attributes_ = HidAttributes{};
    connection_.reset();
}

void CHidDevice::Close() {
    std::unique_lock lock(mutex_);
    CloseLocked(lock);
}

void CHidDevice::CancelTransfers() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    cancelEvent_.Set();
}

bool CHidDevice::Open(const std::string& path, bool forRead, bool forWrite, bool overlapped, bool exclusive) {
    std::unique_lock lock(mutex_);
    forRead_ = forRead;
    forWrite_ = forWrite;
    overlapped_ = overlapped;
    exclusive_ = exclusive;
    CloseLocked(lock);
    cancelled_ = false;
    cancelEvent_.Reset();
    if (path.size() > kHidMaxPathChars || !backend_ || !cancelEvent_.Valid()) return false;
    path_ = path;
    std::unique_ptr<IHidConnection> connection =
        backend_->Open(path, HidOpenMode{forRead, forWrite, exclusive});
    if (!connection) return false;
    connection_ = std::move(connection);
    if (!LoadCaps()) {
        CloseLocked(lock);
        return false;
    }
    return true;
}

bool CHidDevice::LoadCaps() {
    if (!connection_) return false;
    descriptor_ = connection_->Descriptor();
    const size_t index = connection_->CollectionIndex();
    if (!descriptor_ || index >= descriptor_->collections.size()) return false;
    collection_ = &descriptor_->collections[index];
    attributes_ = connection_->Attributes();

    const HidCollection& c = *collection_;
    caps_.usage = c.usage;
    caps_.usagePage = c.usagePage;
    caps_.inputReportByteLength = c.Kind(HidReportKind::kInput).reportByteLength;
    caps_.outputReportByteLength = c.Kind(HidReportKind::kOutput).reportByteLength;
    caps_.featureReportByteLength = c.Kind(HidReportKind::kFeature).reportByteLength;
    uint16_t* counts[kHidReportKinds][2] = {
        {&caps_.numberInputButtonCaps, &caps_.numberInputValueCaps},
        {&caps_.numberOutputButtonCaps, &caps_.numberOutputValueCaps},
        {&caps_.numberFeatureButtonCaps, &caps_.numberFeatureValueCaps},
    };

    size_t slotUsages = 0;
    for (size_t k = 0; k < kHidReportKinds; ++k) {
        const auto kind = static_cast<HidReportKind>(k);
        const HidReportKindInfo& info = c.Kind(kind);
        KindState& state = kinds_[k];
        state.report.assign(info.reportByteLength, 0);
        state.buttonCaps = info.buttonCaps;
        state.valueCaps = info.valueCaps;
        *counts[k][0] = static_cast<uint16_t>(info.buttonCaps.size());
        *counts[k][1] = static_cast<uint16_t>(info.valueCaps.size());

        for (const HidCapability& cap : info.buttonCaps) {
            HidDataItem item;
            item.isButton = true;
            item.usagePage = cap.usagePage;
            item.reportId = cap.reportId;
            item.usageMin = cap.usageMin;
            item.usageMax = cap.usageMax;
            item.maxUsages = HidMaxUsageListLength(c, kind, cap.usagePage);
            slotUsages += item.maxUsages;
            if (slotUsages > kMaxSlotUsages) {
                TraceF("HID: %s refused, its buttons need too many decoding slots", path_.c_str());
                return false;
            }
            item.usages.assign(item.maxUsages, 0);
            state.items.push_back(std::move(item));
        }
        for (const HidCapability& cap : info.valueCaps) {
            for (uint32_t u = cap.usageMin; u <= cap.usageMax; ++u) {
                HidDataItem item;
                item.usagePage = cap.usagePage;
                item.reportId = cap.reportId;
                item.usage = static_cast<uint16_t>(u);
                state.items.push_back(std::move(item));
            }
        }
    }
    return true;
}

bool CHidDevice::Read(uint8_t* buffer, size_t length, int timeoutMs, size_t* transferred) {
    if (transferred) *transferred = 0;
    std::shared_ptr<IHidConnection> connection;
    {
        std::lock_guard lock(mutex_);
        if (!connection_ || !overlapped_ || !forRead_ || buffer == nullptr || readPending_) return false;
        connection = connection_;
        readPending_ = true;
    }
    size_t moved = 0;
    const HidTransferResult r = connection->Read({buffer, length}, timeoutMs, cancelEvent_.Fd(), moved);
    {
        std::lock_guard lock(mutex_);
        readPending_ = false;
    }
    idle_.notify_all();
    if (r != HidTransferResult::kCompleted) return false;
    if (transferred) *transferred = moved;
    return true;
}

bool CHidDevice::Write(const uint8_t* buffer, size_t length, int timeoutMs, size_t* transferred) {
    bool busy = false;
    return WriteReport(buffer, length, timeoutMs, false, busy, transferred);
}

bool CHidDevice::TryWrite(const uint8_t* buffer, size_t length, int timeoutMs, bool& busy,
                          size_t* transferred) {
    return WriteReport(buffer, length, timeoutMs, true, busy, transferred);
}

bool CHidDevice::WriteReport(const uint8_t* buffer, size_t length, int timeoutMs, bool ifIdle, bool& busy,
                             size_t* transferred) {
    busy = false;
    if (transferred) *transferred = 0;
    std::shared_ptr<IHidConnection> connection;
    {
        std::lock_guard lock(mutex_);
        if (!connection_ || !overlapped_ || !forWrite_ || buffer == nullptr || length == 0) return false;
        if (writePending_) {
            busy = ifIdle;
            return false;
        }
        connection = connection_;
        writePending_ = true;
    }
    size_t moved = 0;
    const HidTransferResult r =
        ifIdle ? connection->TryWrite({buffer, length}, timeoutMs, cancelEvent_.Fd(), moved)
               : connection->Write({buffer, length}, timeoutMs, cancelEvent_.Fd(), moved);
    {
        std::lock_guard lock(mutex_);
        writePending_ = false;
    }
    idle_.notify_all();
    busy = r == HidTransferResult::kBusy;
    if (r != HidTransferResult::kCompleted) return false;
    if (transferred) *transferred = moved;
    return true;
}

bool CHidDevice::SetOutputReport(const uint8_t* buffer, size_t length) {
    std::shared_ptr<IHidConnection> connection;
    {
        std::lock_guard lock(mutex_);
        if (!connection_ || !forWrite_ || buffer == nullptr || length == 0) return false;
        connection = connection_;
    }
    return connection->SetOutputReport({buffer, length});
}

HidBatchResult CHidDevice::SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) {
    std::shared_ptr<IHidConnection> connection;
    {
        std::lock_guard lock(mutex_);
        if (!connection_ || !forWrite_) return HidBatchResult::kRefused;
        connection = connection_;
    }
    return connection->SubmitOutputReports(reports, reportSize);
}

bool CHidDevice::UnpackInputReport(std::span<HidDataItem> items, std::span<const uint8_t> report) const {
    std::lock_guard lock(mutex_);
    if (collection_ == nullptr || report.empty()) return false;
    const uint8_t reportId = report[0];
    std::vector<uint16_t> on;
    for (HidDataItem& item : items) {
        if (item.reportId != reportId) continue;
        if (item.isButton) {
            item.status =
                GetHidUsages(*collection_, HidReportKind::kInput, item.usagePage, report, item.maxUsages, on);
            if (item.usages.size() < item.maxUsages) item.usages.resize(item.maxUsages, 0);
            size_t n = 0;
            for (uint16_t u : on) {
                if (u >= item.usageMin && u <= item.usageMax && n < item.maxUsages) item.usages[n++] = u;
            }
            if (n < item.maxUsages) item.usages[n] = 0;
        } else {
            uint32_t raw = 0;
            const uint32_t status = GetHidUsageValue(*collection_, HidReportKind::kInput, item.usagePage,
                                                     item.usage, report, raw);
            if (status != kHidStatusSuccess) {
                item.status = status;
                return false;
            }
            item.value = raw;
            int32_t scaled = 0;
            item.status = GetHidScaledUsageValue(*collection_, HidReportKind::kInput, item.usagePage,
                                                 item.usage, report, scaled);
            item.scaledValue = scaled;
        }
        item.isSet = true;
    }
    return true;
}

}  // namespace r88
