#include "device/usb_device_core.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "device/device_discovery.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

TEST(UsbDeviceCoreTest, TrailStepsFollowTheBands) {
    struct Case {
        uint8_t v;
        uint8_t decayFine, decayCoarse, raiseFine, raiseCoarse;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},           {2, 1, 254, 3, 6},          {8, 7, 4, 9, 12},
        {9, 8, 5, 11, 13},         {16, 15, 12, 18, 20},       {17, 9, 9, 20, 25},
        {32, 22, 22, 36, 42},      {64, 34, 34, 69, 94},       {128, 88, 88, 134, 168},
        {252, 212, 212, 255, 36},  {220, 180, 180, 226, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.v));
        EXPECT_EQ(CUsbDeviceCore::DecayStep(c.v, true), c.decayFine);
        EXPECT_EQ(CUsbDeviceCore::DecayStep(c.v, false), c.decayCoarse);
        EXPECT_EQ(CUsbDeviceCore::RaiseStep(c.v, true), c.raiseFine);
        EXPECT_EQ(CUsbDeviceCore::RaiseStep(c.v, false), c.raiseCoarse);
    }
}

TEST(UsbDeviceCoreTest, TrailRingRotatesAndMarksLight) {
    CUsbDeviceCore core(nullptr);
    core.SetTrailRing(22, 1);
    core.RotateTrailRing(1);
    EXPECT_EQ(core.TrailRing(0), 1);
    EXPECT_EQ(core.TrailRing(22), 0);
    core.RotateTrailRing(0);
    EXPECT_EQ(core.TrailRing(22), 1);
    EXPECT_EQ(core.TrailRing(0), 0);

    core.ClearTrail();
    core.SetTrailRing(3, 1);
    core.SetTrailRing(12, 1);
    core.LightMarkedTrail();
    EXPECT_EQ(core.TrailIntensity(3), 255);
    EXPECT_EQ(core.TrailIntensity(12), 0);  // the base lights elements 0..8 only
    core.SetLightCount(15);
    core.LightMarkedTrail(true);
    EXPECT_EQ(core.TrailIntensity(12), 255);

    // Indexes outside the state are ignored.
    core.SetTrailIntensity(500, 9);
    core.RaiseTrail(126, true);
    core.SetTrailRing(23, 1);
    EXPECT_EQ(core.TrailIntensity(500), 0);
    EXPECT_EQ(core.TrailRing(23), 0);
}

TEST(UsbDeviceCoreTest, LedFrameAndCountsAreBounded) {
    CUsbDeviceCore core(nullptr);
    core.SetLightCount(15);
    core.SetLedValue(14, 0xFF102030);
    core.SetLedValue(15, 0xFFFFFFFF);
    core.SetLedValue(-1, 0xFFFFFFFF);
    EXPECT_EQ(core.GetLedValue(14), 0xFF102030u);
    EXPECT_EQ(core.GetLedValue(15), 0u);
    EXPECT_EQ(core.GetLedValue(-1), 0u);
    core.SetLightCount(15);  // the same count still clears the frame
    EXPECT_EQ(core.GetLedValue(14), 0u);

    core.SetLightCount(1000);
    core.SetKeyCount(-4);
    EXPECT_EQ(core.LightCount(), 126);
    EXPECT_EQ(core.KeyCount(), 0);

    core.SetKeyCount(126);
    EXPECT_FALSE(core.PrepareBinding());  // no layout: no picture
    EXPECT_EQ(core.KeyCount(), 0);
    EXPECT_EQ(core.LightCount(), 0);
    core.SetLayoutPath("XML/DeviceXml/keyboarddevice.xml");
    EXPECT_TRUE(core.PrepareBinding());
}

TEST(UsbDeviceCoreTest, PictureButtonNames) {
    struct Case {
        const char* text;
        const char* prefix;
        std::optional<size_t> index;
    };
    const Case cases[] = {
        {"key_12", "key_", 12},      {"KEY_3", "key_", 3},         {"light_40", "light_", 40},
        {"key3", "key_", {}},        {"key_", "key_", {}},         {"key_126", "key_", {}},
        {"key_1x", "key_", {}},      {"key_-1", "key_", {}},       {"my_key_5", "key_", {}},
        {"light_99999999999999999999", "light_", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(PictureIndex(c.text, c.prefix, 126), c.index);
    }
}

TEST(UsbDeviceCoreTest, ConnectionFollowsTheSlot) {
    auto bus = std::make_shared<sim::SimHidBus>();
    auto keyboard = sim::MakeEmulatedKeyboard();
    bus->Plug(keyboard);
    CUsbDeviceCore core(bus);
    core.SetKeyCount(126);
    DeviceInterfaceSlot slot = MakeSlot(kSupportedInterfaces[0]);
    for (const std::string& p : bus->Paths())
        if (p.find("mi_01&col04") != std::string::npos) slot.path = p;
    slot.connected = 1;
    slot.type = kDeviceMouseReceiver;  // a mouse on its receiver answers slowly

    ASSERT_TRUE(core.ConnectCommand(slot));
    EXPECT_TRUE(core.Command().IsSlow());
    EXPECT_EQ(core.Identity().path, slot.path);
    EXPECT_EQ(core.Type(), kDeviceMouseReceiver);
    EXPECT_FALSE(core.ConnectCommand(slot));  // open already
    EXPECT_EQ(core.Command().CMD_BEGIN(), kResultOk);
    core.DisconnectCommand();
    EXPECT_EQ(core.Command().CMD_BEGIN(), kResultNoReply);

    slot.path = "/sim/hid99#vid_320f&pid_502b&mi_01&col04";
    EXPECT_FALSE(core.ConnectCommand(slot));
    EXPECT_FALSE(core.Command().IsOpen());
}

// The discovery's probe may read the node, the connection may not write it
// (a node without write permission): the slot is claimed, the channel stays
// closed and every command gives 0 without sending anything.
TEST(UsbDeviceCoreTest, ACommandInterfaceThatCannotBeOpenedLeavesTheChannelClosed) {
    class NoWindow : public IMessageSink {
    public:
        void PostMessage(unsigned, uintptr_t, intptr_t) override {}
        intptr_t SendMessage(unsigned, uintptr_t, intptr_t) override { return 0; }
    } window;
    auto bus = std::make_shared<sim::SimHidBus>();
    auto keyboard = sim::MakeEmulatedKeyboard();
    keyboard->RefuseWriteOpens(true);
    bus->Plug(keyboard);
    CDeviceDiscovery discovery(window, bus);
    ASSERT_TRUE(discovery.RunOnce());
    const std::optional<DeviceInterfaceSlot> slot = discovery.Slot(0);
    ASSERT_TRUE(slot && slot->connected == 1);

    CUsbDeviceCore core(bus);
    core.SetIdentity(MakeSlot(kSupportedInterfaces[0]));
    EXPECT_FALSE(core.ConnectCommand(*slot));
    EXPECT_FALSE(core.Command().IsOpen());
    EXPECT_TRUE(core.Identity().path.empty());
    std::array<uint8_t, kInfoBlockSize> info{};
    EXPECT_EQ(core.Command().CMD_BEGIN(), kResultNoReply);
    EXPECT_EQ(core.Command().CMD_READ_INFO(info), kResultNoReply);
    EXPECT_EQ(core.Command().CMD_STREAM_LIGHT(info), kResultNoReply);
    EXPECT_TRUE(keyboard->Log().Received().empty());
    core.DisconnectCommand();  // the gone message still comes and must be harmless

    keyboard->RefuseWriteOpens(false);
    ASSERT_TRUE(core.ConnectCommand(*slot));
    EXPECT_EQ(core.Command().CMD_BEGIN(), kResultOk);
}

// Key codes reach the handler for keyboards only; every kind gets the sync request.
TEST(UsbDeviceCoreTest, NotificationsCarryKeysForKeyboardsOnly) {
    auto bus = std::make_shared<sim::SimHidBus>();
    auto keyboard = sim::MakeEmulatedKeyboard();
    bus->Plug(keyboard);
    std::string consumerPath;
    for (const std::string& p : bus->Paths())
        if (p.find("mi_01&col03") != std::string::npos) consumerPath = p;

    for (const uint16_t type : {kDeviceKeyboard, kDeviceMousePad}) {
        SCOPED_TRACE(type);
        CUsbDeviceCore core(bus);
        core.SetKeyCount(126);
        DeviceInterfaceSlot identity = MakeSlot(kSupportedInterfaces[0]);
        identity.type = type;
        core.SetIdentity(identity);
        std::atomic<int> keys{0}, syncs{0};
        core.Notifications().SetHandler([&](const NotificationEvent& e) {
            if (e.kind == NotificationEvent::Kind::kSyncRequest) ++syncs;
            else ++keys;
        });
        ASSERT_TRUE(core.OpenNotifications(consumerPath));
        ASSERT_TRUE(keyboard->PressKey(5));
        ASSERT_TRUE(keyboard->RequestSync());
        for (int i = 0; i < 2000 && syncs == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        core.CloseNotifications();
        EXPECT_EQ(syncs, 1);
        EXPECT_EQ(keys, type == kDeviceKeyboard ? 1 : 0);
    }
}

}  // namespace
}  // namespace r88
