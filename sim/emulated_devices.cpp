#include "sim/emulated_devices.h"

#include "sim/factory_memories.h"
#include "sim/report_descriptors.h"

namespace r88::sim {
namespace {

std::vector<uint8_t> Bytes(std::span<const uint8_t> s) {
    return {s.begin(), s.end()};
}

constexpr uint16_t kGamingInterface = 1;
constexpr uint16_t kHeadsetInterface = 3;

}  // namespace

std::string_view SimDeviceKindName(SimDeviceKind kind) {
    switch (kind) {
        case SimDeviceKind::kKeyboard:
            return "keyboard";
        case SimDeviceKind::kMouse:
            return "mouse";
        case SimDeviceKind::kMousePad:
            return "mouse pad";
        case SimDeviceKind::kHeadset:
            return "headset";
    }
    return "device";
}

EmulatedDevice::EmulatedDevice(SimDeviceKind kind, SimDeviceModel model,
                               std::shared_ptr<EmulatedFirmware> firmware,
                               std::optional<uint16_t> notificationInterface)
    : SimDevice(std::move(model), firmware),
      kind_(kind),
      firmware_(std::move(firmware)),
      notificationInterface_(notificationInterface) {}

bool EmulatedDevice::Notify(uint16_t code) {
    if (!notificationInterface_) return false;
    const uint8_t report[] = {kNotificationReportId, static_cast<uint8_t>(code & 0xFF),
                              static_cast<uint8_t>(code >> 8)};
    return SendInputReport(*notificationInterface_, report);
}

std::shared_ptr<EmulatedDevice> MakeEmulatedKeyboard() {
    SimDeviceModel model{
        "keyboard",
        0x320F,
        0x502B,
        0x0107,
        {{0, Bytes(BootKeyboardDescriptor())}, {kGamingInterface, Bytes(GamingInterfaceDescriptor())}}};
    auto firmware = std::make_shared<EmulatedFirmware>(KeyboardFactoryMemories(), kGamingInterface);
    return std::make_shared<EmulatedDevice>(SimDeviceKind::kKeyboard, std::move(model), std::move(firmware),
                                            kGamingInterface);
}

std::shared_ptr<EmulatedDevice> MakeEmulatedMouse(uint16_t vendorId, uint16_t productId) {
    SimDeviceModel model{
        "mouse",
        vendorId,
        productId,
        0x0107,
        {{0, Bytes(BootMouseDescriptor())}, {kGamingInterface, Bytes(GamingInterfaceDescriptor())}}};
    auto firmware = std::make_shared<EmulatedFirmware>(MouseFactoryMemories(), kGamingInterface);
    return std::make_shared<EmulatedDevice>(SimDeviceKind::kMouse, std::move(model), std::move(firmware),
                                            kGamingInterface);
}

std::shared_ptr<EmulatedDevice> MakeEmulatedMousePad() {
    SimDeviceModel model{
        "mouse pad", 0x0C45, 0x6627, 0x0107, {{kGamingInterface, Bytes(GamingInterfaceDescriptor())}}};
    auto firmware = std::make_shared<EmulatedFirmware>(MousePadFactoryMemories(), kGamingInterface);
    return std::make_shared<EmulatedDevice>(SimDeviceKind::kMousePad, std::move(model), std::move(firmware),
                                            kGamingInterface);
}

std::shared_ptr<EmulatedDevice> MakeEmulatedHeadset() {
    SimDeviceModel model{
        "headset", 0x0D8C, 0x01DA, 0x0100, {{kHeadsetInterface, Bytes(HeadsetDescriptor())}}};
    auto firmware = std::make_shared<EmulatedFirmware>(HeadsetFactoryMemories(), kHeadsetInterface);
    return std::make_shared<EmulatedDevice>(SimDeviceKind::kHeadset, std::move(model), std::move(firmware),
                                            std::nullopt);
}

std::shared_ptr<EmulatedDevice> MakeEmulatedDevice(SimDeviceKind kind) {
    switch (kind) {
        case SimDeviceKind::kKeyboard:
            return MakeEmulatedKeyboard();
        case SimDeviceKind::kMouse:
            return MakeEmulatedMouse();
        case SimDeviceKind::kMousePad:
            return MakeEmulatedMousePad();
        case SimDeviceKind::kHeadset:
            return MakeEmulatedHeadset();
    }
    return nullptr;
}

}  // namespace r88::sim
