#include "device/device_tables.h"

#include <gtest/gtest.h>

namespace r88 {
namespace {

static_assert(kDeviceDescriptions.size() == kDevicePages.size());

TEST(DeviceTablesTest, EveryDescriptionRowHasItsCommandSlot) {
    const auto slots = MakeSlotList();
    struct Case {
        const char* deviceName;
        int slot;
    };
    const Case cases[] = {{"mouse", 2}, {"keyboard", 0}, {"MousePad", 4}, {"HD", 6}, {"keyboard5284", 7}};
    for (size_t row = 0; row < kDeviceDescriptions.size(); ++row) {
        const DeviceDescription& d = kDeviceDescriptions[row];
        SCOPED_TRACE(d.deviceName);
        EXPECT_EQ(d.deviceName, cases[row].deviceName);
        // The second keyboard kind has zero ids: its slot is not the keyboard's.
        const int slot = FindSlot(slots, d.vendorId, d.productId, d.type, d.subType);
        EXPECT_EQ(slot, cases[row].slot);
        ASSERT_GE(slot, 0);
        const DeviceInterfaceSlot& s = slots[static_cast<size_t>(slot)];
        EXPECT_EQ(FindDescriptionRow(s.vendorId, s.productId, s.type, s.subType), static_cast<int>(row));
        EXPECT_TRUE(s.Free());
    }
    EXPECT_EQ(FindDescriptionRow(0x320F, 0x502B, 1, 0xFF), -1);
    EXPECT_EQ(FindSlot(slots, 0x1234, 0x5678, 1, 0), -1);
    EXPECT_EQ(kDevicePages[1].keyCount, 126);
    EXPECT_EQ(kDevicePages[2].lightCount, 15);
}

TEST(DeviceTablesTest, SameInterfaceComparesTheIdentityNotTheState) {
    const DeviceInterfaceSlot a = MakeSlot(kSupportedInterfaces[0]);
    DeviceInterfaceSlot b = a;
    b.connected = 1;
    b.path = "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04";
    b.partnerFlag = 1;
    EXPECT_TRUE(SameInterface(a, b));
    b.usagePage = 0xFF1D;
    EXPECT_FALSE(SameInterface(a, b));
    EXPECT_FALSE(SameInterface(a, MakeSlot(kSupportedInterfaces[1])));
    EXPECT_FALSE(SameInterface(MakeSlot(kSupportedInterfaces[0]), MakeSlot(kSupportedInterfaces[7])));
}

}  // namespace
}  // namespace r88
