#include "device/device_discovery.h"

#include "device/hid_device.h"
#include "device/hid_path.h"
#include "platform/trace.h"

namespace r88 {
namespace {

// Rows with vendor id 0 stand for kinds that never connect: no interface
// claims them, whatever ids it reports, and they do not keep the scan going.
bool Claimable(const DeviceInterfaceSlot& s) {
    return s.vendorId != 0;
}

}  // namespace

CDeviceDiscovery::CDeviceDiscovery(IMessageSink& window) : CDeviceDiscovery(window, CurrentHidBackend()) {}

CDeviceDiscovery::CDeviceDiscovery(IMessageSink& window, std::shared_ptr<IHidBackend> backend)
    : window_(window), backend_(std::move(backend)), slots_(MakeSlotList()) {}

CDeviceDiscovery::~CDeviceDiscovery() {
    Stop();
}

void CDeviceDiscovery::Start() {
    worker_.Start(
        [this](CWorkerThread& self) {
            if (!RunOnce()) return false;
            return !self.WaitForStop(kDiscoveryPeriodMs);
        },
        kTraceDiscoveryExit);
}

WorkerStopResult CDeviceDiscovery::Stop(int budgetMs) {
    return worker_.Stop(budgetMs);
}

std::optional<DeviceInterfaceSlot> CDeviceDiscovery::Slot(size_t index) const {
    std::lock_guard lock(slotsMutex_);
    if (index >= slots_.size()) return std::nullopt;
    return slots_[index];
}

std::vector<DeviceInterfaceSlot> CDeviceDiscovery::Slots() const {
    std::lock_guard lock(slotsMutex_);
    return {slots_.begin(), slots_.end()};
}

bool CDeviceDiscovery::RunOnce() {
    bool anyFree = false;
    {
        std::lock_guard lock(slotsMutex_);
        for (const DeviceInterfaceSlot& s : slots_) anyFree = anyFree || (Claimable(s) && s.Free());
    }
    if (anyFree && !Scan()) return false;
    CheckPresence();
    return true;
}

bool CDeviceDiscovery::Scan() {
    std::unique_ptr<IHidInterfaceSet> set = backend_ ? backend_->OpenInterfaceSet() : nullptr;
    if (!set) return false;
    CHidDevice probe(backend_);
    std::string path;
    for (size_t index = 0;; ++index) {
        const HidEnumItem item = set->Item(index, path);
        if (item == HidEnumItem::kNoMoreItems) break;
        if (item == HidEnumItem::kFailed) return false;
        if (item != HidEnumItem::kPresent) continue;

        DeviceInterfaceSlot found;
        found.vendorId = ParseVendorId(path);
        found.productId = ParseProductId(path);
        found.interfaceNumber = ParseInterfaceNumber(path);
        found.collectionNumber = ParseCollectionNumber(path);
        auto sameNumbers = [&](const DeviceInterfaceSlot& s) {
            return Claimable(s) && s.vendorId == found.vendorId && s.productId == found.productId &&
                   s.interfaceNumber == found.interfaceNumber && s.collectionNumber == found.collectionNumber;
        };
        bool candidate = false;
        {
            std::lock_guard lock(slotsMutex_);
            for (const DeviceInterfaceSlot& s : slots_) candidate = candidate || (sameNumbers(s) && s.Free());
        }
        if (!candidate) continue;

        // The usages tell the collections of one interface apart: open and look.
        if (!probe.Open(path, true, false, true, false)) continue;
        found.vendorId = probe.Attributes().vendorId;
        found.productId = probe.Attributes().productId;
        found.usagePage = probe.Caps().usagePage;
        found.usage = probe.Caps().usage;
        probe.Close();

        int claimed = -1;
        {
            std::lock_guard lock(slotsMutex_);
            for (size_t i = 0; i < slots_.size(); ++i) {
                DeviceInterfaceSlot& s = slots_[i];
                if (sameNumbers(s) && s.usagePage == found.usagePage && s.usage == found.usage && s.Free()) {
                    s.connected = 1;
                    s.path = path;
                    claimed = static_cast<int>(i);
                    break;
                }
            }
        }
        if (claimed >= 0) window_.SendMessage(kMsgDeviceFound, static_cast<uintptr_t>(claimed), 0);
    }
    if (!firstScanDone_) {
        firstScanDone_ = true;
        window_.PostMessage(kMsgApplication, 0, 0);
    }
    return true;
}

void CDeviceDiscovery::CheckPresence() {
    std::vector<std::pair<size_t, std::string>> claimed;
    {
        std::lock_guard lock(slotsMutex_);
        for (size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i].connected != 0) claimed.emplace_back(i, slots_[i].path);
    }
    for (const auto& [index, path] : claimed) {
        if (backend_->IsPresent(path)) continue;
        {
            std::lock_guard lock(slotsMutex_);
            slots_[index].connected = 0;
            slots_[index].path.clear();
        }
        window_.SendMessage(kMsgDeviceGone, index, 0);
    }
}

}  // namespace r88
