#include "sim/sim_bus.h"

#include <algorithm>
#include <cstdlib>

#include "device/hid_path.h"
#include "sim/sim_connection.h"

namespace r88::sim {
namespace {

std::string NodeName(unsigned node) {
    return kSimNodePrefix + std::to_string(node);
}

class SimInterfaceSet : public IHidInterfaceSet {
public:
    SimInterfaceSet(std::vector<std::string> paths, std::vector<EnumerationFault> faults)
        : paths_(std::move(paths)), faults_(std::move(faults)) {}

    HidEnumItem Item(size_t index, std::string& path) override {
        for (const EnumerationFault& f : faults_) {
            if (f.index != index) continue;
            if (f.kind == EnumerationFault::Kind::kSkipIndex) return HidEnumItem::kSkipped;
            if (f.kind == EnumerationFault::Kind::kFailIndex) return HidEnumItem::kFailed;
        }
        if (index >= paths_.size()) return HidEnumItem::kNoMoreItems;
        path = paths_[index];
        return HidEnumItem::kPresent;
    }

private:
    std::vector<std::string> paths_;
    std::vector<EnumerationFault> faults_;
};

}  // namespace

void SimHidBus::Plug(const std::shared_ptr<SimDevice>& device) {
    if (!device) return;
    std::lock_guard lock(mutex_);
    std::erase(devices_, device);
    device->AttachToBus(nextNode_);
    nextNode_ += static_cast<unsigned>(device->Interfaces().size());
    devices_.push_back(device);
}

void SimHidBus::Unplug(const std::shared_ptr<SimDevice>& device) {
    if (!device) return;
    {
        std::lock_guard lock(mutex_);
        std::erase(devices_, device);
    }
    device->Disconnect();
}

void SimHidBus::UnplugAll() {
    std::vector<std::shared_ptr<SimDevice>> all;
    {
        std::lock_guard lock(mutex_);
        all.swap(devices_);
    }
    for (auto& d : all) d->Disconnect();
}

std::vector<std::shared_ptr<SimDevice>> SimHidBus::PluggedLocked() const {
    std::vector<std::shared_ptr<SimDevice>> out;
    // A device that left by itself (unplugged during a transfer) is gone from the bus too.
    for (const auto& d : devices_)
        if (d->Plugged()) out.push_back(d);
    return out;
}

std::vector<std::shared_ptr<SimDevice>> SimHidBus::Devices() const {
    std::lock_guard lock(mutex_);
    return PluggedLocked();
}

std::vector<std::string> SimHidBus::Paths() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    for (const auto& d : PluggedLocked()) {
        const SimDeviceModel& m = d->Model();
        for (const SimDevice::Interface& i : d->Interfaces()) {
            const size_t count = i.descriptor->collections.size();
            for (size_t c = 0; c < count; ++c)
                paths.push_back(FormatHidPath(NodeName(i.node), m.vendorId, m.productId, i.number, c, count));
        }
    }
    return paths;
}

void SimHidBus::InjectEnumerationFault(const EnumerationFault& fault) {
    std::lock_guard lock(mutex_);
    faults_.push_back(fault);
}

std::unique_ptr<IHidInterfaceSet> SimHidBus::OpenInterfaceSet() {
    std::vector<EnumerationFault> faults;
    {
        std::lock_guard lock(mutex_);
        faults.swap(faults_);
    }
    for (const EnumerationFault& f : faults)
        if (f.kind == EnumerationFault::Kind::kSetUnavailable) return nullptr;
    return std::make_unique<SimInterfaceSet>(Paths(), std::move(faults));
}

std::optional<SimHidBus::Located> SimHidBus::Locate(const std::string& path) const {
    const std::string node = HidPathNode(path);
    const std::string prefix = kSimNodePrefix;
    if (node.size() <= prefix.size() || node.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::string digits = node.substr(prefix.size());
    if (digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return std::nullopt;
    const unsigned number = static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 10));

    std::lock_guard lock(mutex_);
    for (const auto& d : PluggedLocked()) {
        const auto& interfaces = d->Interfaces();
        for (size_t i = 0; i < interfaces.size(); ++i) {
            if (interfaces[i].node != number) continue;
            const SimDeviceModel& m = d->Model();
            if (ParseVendorId(path) != m.vendorId || ParseProductId(path) != m.productId) return std::nullopt;
            const auto c = HidPathCollectionIndex(path, interfaces[i].descriptor->collections.size());
            if (!c) return std::nullopt;
            return Located{d, i, *c};
        }
    }
    return std::nullopt;
}

std::unique_ptr<IHidConnection> SimHidBus::Open(const std::string& path, HidOpenMode mode) {
    const auto at = Locate(path);
    if (!at) return nullptr;
    std::shared_ptr<SimConnection> c = at->device->Connect(at->interfaceIndex, at->collectionIndex, mode);
    if (!c) return nullptr;
    // The device keeps a weak reference; the host owns the connection.
    struct Owner : IHidConnection {
        explicit Owner(std::shared_ptr<SimConnection> inner) : c(std::move(inner)) {}
        HidAttributes Attributes() const override { return c->Attributes(); }
        std::shared_ptr<const HidReportDescriptor> Descriptor() const override { return c->Descriptor(); }
        size_t CollectionIndex() const override { return c->CollectionIndex(); }
        HidTransferResult Read(std::span<uint8_t> b, int t, int fd, size_t& n) override {
            return c->Read(b, t, fd, n);
        }
        HidTransferResult Write(std::span<const uint8_t> r, int t, int fd, size_t& n) override {
            return c->Write(r, t, fd, n);
        }
        bool SetOutputReport(std::span<const uint8_t> r) override { return c->SetOutputReport(r); }
        HidBatchResult SubmitOutputReports(std::span<const uint8_t> r, size_t size) override {
            return c->SubmitOutputReports(r, size);
        }
        std::shared_ptr<SimConnection> c;
    };
    return std::make_unique<Owner>(std::move(c));
}

bool SimHidBus::IsPresent(const std::string& path) {
    return Locate(path).has_value();
}

}  // namespace r88::sim
