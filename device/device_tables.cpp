#include "device/device_tables.h"

namespace r88 {

DeviceInterfaceSlot MakeSlot(const SupportedInterface& row) {
    DeviceInterfaceSlot slot;
    slot.vendorId = row.vendorId;
    slot.productId = row.productId;
    slot.interfaceNumber = row.interfaceNumber;
    slot.collectionNumber = row.collectionNumber;
    slot.type = row.type;
    slot.subType = row.subType;
    slot.usagePage = row.usagePage;
    slot.usage = row.usage;
    slot.partnerFlag = row.partnerFlag;
    slot.partnerIndex = row.partnerIndex;
    return slot;
}

std::array<DeviceInterfaceSlot, kSupportedInterfaces.size()> MakeSlotList() {
    std::array<DeviceInterfaceSlot, kSupportedInterfaces.size()> slots;
    for (size_t i = 0; i < slots.size(); ++i) slots[i] = MakeSlot(kSupportedInterfaces[i]);
    return slots;
}

int FindDescriptionRow(uint16_t vendorId, uint16_t productId, uint16_t type, uint16_t subType) {
    for (size_t i = 0; i < kDeviceDescriptions.size(); ++i) {
        const DeviceDescription& d = kDeviceDescriptions[i];
        if (d.vendorId == vendorId && d.productId == productId && d.type == type && d.subType == subType)
            return static_cast<int>(i);
    }
    return -1;
}

int FindSlot(std::span<const DeviceInterfaceSlot> slots, uint16_t vendorId, uint16_t productId, uint16_t type,
             uint16_t subType) {
    for (size_t i = 0; i < slots.size(); ++i) {
        const DeviceInterfaceSlot& s = slots[i];
        if (s.vendorId == vendorId && s.productId == productId && s.type == type && s.subType == subType)
            return static_cast<int>(i);
    }
    return -1;
}

bool SameInterface(const DeviceInterfaceSlot& a, const DeviceInterfaceSlot& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.interfaceNumber == b.interfaceNumber &&
           a.collectionNumber == b.collectionNumber && a.type == b.type && a.subType == b.subType &&
           a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace r88
