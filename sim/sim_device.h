#pragma once
// One emulated USB device on the emulated bus: its HID interfaces with their
// report descriptors, the connections the host opened on them, and the
// firmware that receives what the host sends. Input reports the device sends
// go to every open connection of the collection that owns the report id.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "sim/packet_log.h"

namespace r88::sim {

class SimDevice;
class SimConnection;

struct SimInterfaceModel {
    uint16_t number = 0;
    std::vector<uint8_t> reportDescriptor;
};

struct SimDeviceModel {
    std::string name;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    std::vector<SimInterfaceModel> interfaces;
};

// What receives the host's output reports (report id at byte 0). Runs on the
// writing thread; it answers through SimDevice::SendInputReport.
class ISimFirmware {
public:
    virtual ~ISimFirmware() = default;
    // Asked before a report is handed over; false: the device does not take it (a stalled write).
    virtual bool TakesOutput(uint16_t interfaceNumber, std::span<const uint8_t> report) {
        (void)interfaceNumber;
        (void)report;
        return true;
    }
    virtual void OnOutputReport(SimDevice& device, uint16_t interfaceNumber, std::span<const uint8_t> report,
                                bool controlPipe) = 0;
};

class SimDevice : public std::enable_shared_from_this<SimDevice> {
public:
    // An interface whose descriptor does not parse is left out, with a trace line.
    SimDevice(SimDeviceModel model, std::shared_ptr<ISimFirmware> firmware);
    virtual ~SimDevice();
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    const SimDeviceModel& Model() const { return model_; }
    bool Plugged() const;
    PacketLog& Log() { return log_; }

    // Device side: sends one input report (report id at byte 0) on an interface,
    // readable by the host after `delayMs`. False when the device is unplugged
    // or no collection of the interface owns the id.
    bool SendInputReport(uint16_t interfaceNumber, std::span<const uint8_t> report, unsigned delayMs = 0);
    // The device goes away: every open connection fails from now on.
    void Disconnect();
    // Opens for writing fail while set, as on a node the user may read but
    // not write; opens for reading only (the discovery's probe) still work.
    void RefuseWriteOpens(bool refuse);
    // While held, output reports on the control pipe wait until the hold is
    // let go or the device goes away: a device that takes its reports slowly.
    void HoldControlPipe(bool hold);
    // Output reports waiting at that hold now.
    size_t HeldControlReports() const;

    // ---- used by the bus and the connections ----
    struct Interface {
        uint16_t number = 0;
        std::shared_ptr<const HidReportDescriptor> descriptor;
        unsigned node = 0;  // bus-wide node number, set when plugged
    };
    const std::vector<Interface>& Interfaces() const { return interfaces_; }
    void AttachToBus(unsigned firstNode);
    std::shared_ptr<SimConnection> Connect(size_t interfaceIndex, size_t collectionIndex, HidOpenMode mode);
    enum class Delivery { kTaken, kStalled, kGone };
    // Hands an output report to the firmware; kGone when the device was gone before or after it.
    Delivery DeliverOutput(size_t interfaceIndex, std::span<const uint8_t> report, bool controlPipe);

private:
    SimDeviceModel model_;
    std::shared_ptr<ISimFirmware> firmware_;
    std::vector<Interface> interfaces_;
    PacketLog log_;
    mutable std::mutex mutex_;
    bool plugged_ = true;
    bool refuseWriteOpens_ = false;
    bool holdControlPipe_ = false;
    size_t heldControlReports_ = 0;
    std::condition_variable controlPipeReleased_;
    std::vector<std::weak_ptr<SimConnection>> connections_;
};

}  // namespace r88::sim
