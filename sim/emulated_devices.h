#pragma once
// The emulated keyboard, mouse, mouse pad and headset: a SimDevice with its
// real report descriptors and an EmulatedFirmware with factory memories.
//
//   auto bus = std::make_shared<r88::sim::SimHidBus>();
//   auto keyboard = r88::sim::MakeEmulatedKeyboard();
//   bus->Plug(keyboard);                                   // hot-plug
//   keyboard->Faults().Arm({.kind = FaultKind::kStatus, .command = kCmdWriteData, .chunk = 1, .status =
//   0xFE}); keyboard->PressKey(12);                                // notification 0x050C
//   keyboard->Memory(SimMemory::kKeyBlock);                // what the device holds now
//   keyboard->Log().Received();                            // what the host sent
//   bus->Unplug(keyboard);
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "sim/emulated_firmware.h"
#include "sim/sim_device.h"

namespace r88::sim {

enum class SimDeviceKind { kKeyboard, kMouse, kMousePad, kHeadset };

std::string_view SimDeviceKindName(SimDeviceKind kind);

class EmulatedDevice : public SimDevice {
public:
    EmulatedDevice(SimDeviceKind kind, SimDeviceModel model, std::shared_ptr<EmulatedFirmware> firmware,
                   std::optional<uint16_t> notificationInterface);

    SimDeviceKind Kind() const { return kind_; }
    CommandFirmware& Firmware() { return firmware_->Commands(); }
    FaultInjector& Faults() { return firmware_->Commands().Faults(); }
    HeadsetLights& Lights() { return firmware_->Lights(); }
    LightFrameStats& FrameStats() { return firmware_->FrameStats(); }
    std::vector<uint8_t> Memory(SimMemory memory) const { return firmware_->Commands().Memory(memory); }
    uint16_t CommandInterface() const { return firmware_->CommandInterface(); }

    // Notifications on the consumer collection; false when the device has
    // none or is not plugged in.
    bool Notify(uint16_t code);
    bool RequestSync() { return Notify(kNotifySyncRequest); }
    bool PressKey(uint8_t slot) { return Notify(static_cast<uint16_t>(kNotifyKeyDown + slot)); }
    bool ReleaseKey(uint8_t slot) { return Notify(static_cast<uint16_t>(kNotifyKeyUp + slot)); }

private:
    SimDeviceKind kind_;
    std::shared_ptr<EmulatedFirmware> firmware_;
    std::optional<uint16_t> notificationInterface_;
};

std::shared_ptr<EmulatedDevice> MakeEmulatedKeyboard();
// The mouse's ids are 0 in this configuration; a test may give others.
std::shared_ptr<EmulatedDevice> MakeEmulatedMouse(uint16_t vendorId = 0, uint16_t productId = 0);
std::shared_ptr<EmulatedDevice> MakeEmulatedMousePad();
std::shared_ptr<EmulatedDevice> MakeEmulatedHeadset();
std::shared_ptr<EmulatedDevice> MakeEmulatedDevice(SimDeviceKind kind);

}  // namespace r88::sim
