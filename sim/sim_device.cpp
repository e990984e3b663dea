#include "sim/sim_device.h"

#include <chrono>

#include "platform/trace.h"
#include "sim/sim_connection.h"

namespace r88::sim {

SimDevice::SimDevice(SimDeviceModel model, std::shared_ptr<ISimFirmware> firmware)
    : model_(std::move(model)), firmware_(std::move(firmware)) {
    for (const SimInterfaceModel& m : model_.interfaces) {
        auto descriptor = std::make_shared<HidReportDescriptor>();
        const HidParseError e = ParseHidReportDescriptor(m.reportDescriptor, *descriptor);
        if (e != HidParseError::kNone) {
            // Like a real device with a broken interface: the interface is not offered.
            TraceF("HID: emulated %s, interface %u skipped, report descriptor refused (%s)",
                   model_.name.c_str(), static_cast<unsigned>(m.number), HidParseErrorText(e));
            continue;
        }
        interfaces_.push_back({m.number, std::move(descriptor), 0});
    }
}

SimDevice::~SimDevice() = default;

bool SimDevice::Plugged() const {
    std::lock_guard lock(mutex_);
    return plugged_;
}

void SimDevice::AttachToBus(unsigned firstNode) {
    std::lock_guard lock(mutex_);
    for (Interface& i : interfaces_) i.node = firstNode++;
    plugged_ = true;
}

void SimDevice::Disconnect() {
    std::vector<std::shared_ptr<SimConnection>> open;
    {
        std::lock_guard lock(mutex_);
        plugged_ = false;
        controlPipeReleased_.notify_all();
        for (auto& weak : connections_)
            if (auto c = weak.lock()) open.push_back(std::move(c));
        connections_.clear();
    }
    for (auto& c : open) c->MarkGone();
}

void SimDevice::HoldControlPipe(bool hold) {
    {
        std::lock_guard lock(mutex_);
        holdControlPipe_ = hold;
    }
    controlPipeReleased_.notify_all();
}

size_t SimDevice::HeldControlReports() const {
    std::lock_guard lock(mutex_);
    return heldControlReports_;
}

void SimDevice::RefuseWriteOpens(bool refuse) {
    std::lock_guard lock(mutex_);
    refuseWriteOpens_ = refuse;
}

std::shared_ptr<SimConnection> SimDevice::Connect(size_t interfaceIndex, size_t collectionIndex,
                                                  HidOpenMode mode) {
    std::lock_guard lock(mutex_);
    if (!plugged_ || (mode.write && refuseWriteOpens_) || interfaceIndex >= interfaces_.size() ||
        collectionIndex >= interfaces_[interfaceIndex].descriptor->collections.size())
        return nullptr;
    auto connection =
        std::make_shared<SimConnection>(shared_from_this(), interfaceIndex, collectionIndex, mode);
    // Forget connections the host has closed.
    std::erase_if(connections_, [](const std::weak_ptr<SimConnection>& w) { return w.expired(); });
    connections_.push_back(connection);
    return connection;
}

bool SimDevice::SendInputReport(uint16_t interfaceNumber, std::span<const uint8_t> report, unsigned delayMs) {
    if (report.empty()) return false;
    std::vector<std::shared_ptr<SimConnection>> targets;
    {
        std::lock_guard lock(mutex_);
        if (!plugged_) return false;
        size_t index = 0;
        while (index < interfaces_.size() && interfaces_[index].number != interfaceNumber) ++index;
        if (index == interfaces_.size()) return false;
        const HidReportDescriptor& d = *interfaces_[index].descriptor;
        size_t owner = d.collections.size();
        for (size_t c = 0; c < d.collections.size(); ++c)
            if (!d.usesReportIds || d.collections[c].HasReportId(report[0])) {
                owner = c;
                break;
            }
        if (owner == d.collections.size() || (!d.usesReportIds && report[0] != 0)) return false;
        for (auto& weak : connections_) {
            auto c = weak.lock();
            if (c && c->InterfaceIndex() == index && c->CollectionIndex() == owner && c->Reads())
                targets.push_back(std::move(c));
        }
    }
    log_.Append({SimPacket::Direction::kToHost, interfaceNumber, false, {report.begin(), report.end()}});
    const auto due = std::chrono::steady_clock::now() + std::chrono::milliseconds(delayMs);
    for (auto& c : targets) c->Push(report, due);
    return true;
}

SimDevice::Delivery SimDevice::DeliverOutput(size_t interfaceIndex, std::span<const uint8_t> report,
                                             bool controlPipe) {
    if (controlPipe) {
        std::unique_lock lock(mutex_);
        ++heldControlReports_;
        controlPipeReleased_.wait(lock, [&] { return !holdControlPipe_ || !plugged_; });
        --heldControlReports_;
    }
    if (!Plugged() || interfaceIndex >= interfaces_.size()) return Delivery::kGone;
    const uint16_t number = interfaces_[interfaceIndex].number;
    if (firmware_ && !firmware_->TakesOutput(number, report)) return Delivery::kStalled;
    log_.Append({SimPacket::Direction::kToDevice, number, controlPipe, {report.begin(), report.end()}});
    if (firmware_) firmware_->OnOutputReport(*this, number, report, controlPipe);
    return Plugged() ? Delivery::kTaken : Delivery::kGone;
}

}  // namespace r88::sim
