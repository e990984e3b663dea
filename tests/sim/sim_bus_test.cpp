#include "sim/sim_bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "device/hid_command_set.h"
#include "device/hid_device.h"
#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/headset_lights.h"
#include "sim/simulated_setup.h"

namespace r88::sim {
namespace {

using namespace std::chrono_literals;

CommandPacket Request(uint8_t command, uint8_t length = 0, uint16_t offset = 0) {
    CommandPacket p{};
    p[kPacketReportId] = kCommandReportId;
    p[kPacketCommand] = command;
    p[kPacketLength] = length;
    p[kPacketOffset] = static_cast<uint8_t>(offset & 0xFF);
    p[kPacketOffset + 1] = static_cast<uint8_t>(offset >> 8);
    SealCommandPacket(p);
    return p;
}

std::string PathWith(const SimHidBus& bus, const std::string& fragment) {
    for (const std::string& p : bus.Paths())
        if (p.find(fragment) != std::string::npos) return p;
    return {};
}

class SimBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(channel_.Open(PathWith(*setup_.bus, "pid_502b&mi_01&col04"), true, true, true, false));
    }
    bool Send(const CommandPacket& p) { return channel_.Write(p.data(), p.size(), 1000); }
    bool Receive(CommandPacket& reply, int timeoutMs) {
        size_t n = 0;
        return channel_.Read(reply.data(), reply.size(), timeoutMs, &n) && n == reply.size();
    }

    SimulatedSetup setup_ = MakeSimulatedSetup();
    CHidDevice channel_{setup_.bus};
};

TEST_F(SimBusTest, TheSimulatedSetupShowsTheSupportedInterfaces) {
    const std::vector<std::string> paths = setup_.bus->Paths();
    for (const char* expected : {"#vid_320f&pid_502b&mi_01&col03", "#vid_320f&pid_502b&mi_01&col04",
                                 "#vid_0c45&pid_6627&mi_01&col03", "#vid_0c45&pid_6627&mi_01&col04"}) {
        EXPECT_FALSE(PathWith(*setup_.bus, expected).empty()) << expected;
    }
    const std::string headset = PathWith(*setup_.bus, "pid_01da");
    EXPECT_EQ(headset.substr(headset.find('#')), "#vid_0d8c&pid_01da&mi_03");
    CHidDevice probe(setup_.bus);
    ASSERT_TRUE(probe.Open(headset, false, false, true, false));
    EXPECT_EQ(probe.Caps().usagePage, 0x0C);
    EXPECT_EQ(probe.Caps().usage, 0x01);
    EXPECT_EQ(probe.Caps().outputReportByteLength, 64);
}

TEST_F(SimBusTest, ACommandIsAnsweredAndLogged) {
    ASSERT_TRUE(Send(Request(kCmdReadInfo, 34)));
    CommandPacket reply{};
    ASSERT_TRUE(Receive(reply, 1000));
    EXPECT_EQ(reply[kPacketCommand], kCmdReadInfo);
    EXPECT_EQ(reply[kPacketPayload + 5], 126);
    const auto received = setup_.keyboard->Log().Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].interfaceNumber, 1);
    EXPECT_EQ(received[0].bytes[kPacketCommand], kCmdReadInfo);
    EXPECT_EQ(setup_.keyboard->Log().Size(), 2u);  // the request and its reply
}

TEST_F(SimBusTest, ALateReplyMissesAShortReadAndArrivesLater) {
    setup_.keyboard->Faults().Arm({.kind = FaultKind::kLateReply, .delayMs = 400});
    ASSERT_TRUE(Send(Request(kCmdBegin)));
    CommandPacket reply{};
    EXPECT_FALSE(Receive(reply, 20));
    EXPECT_TRUE(Receive(reply, 3000));
    EXPECT_EQ(reply[kPacketCommand], kCmdBegin);
}

TEST_F(SimBusTest, AStalledWriteTimesOutAndTheDeviceNeverSeesThePacket) {
    setup_.keyboard->Faults().Arm({.kind = FaultKind::kStallWrite, .command = kCmdWriteData});
    const CommandPacket request = Request(kCmdWriteData, 1, 0);
    size_t n = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(channel_.Write(request.data(), request.size(), 50, &n));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
    EXPECT_EQ(n, 0u);
    EXPECT_TRUE(setup_.keyboard->Log().Received().empty());
    EXPECT_TRUE(Send(Request(kCmdWriteData, 1, 0)));  // spent
}

TEST_F(SimBusTest, NotificationsCarryTheirCodeAsTheFirstUsage) {
    CHidDevice notifications(setup_.bus);
    ASSERT_TRUE(notifications.Open(PathWith(*setup_.bus, "pid_502b&mi_01&col03"), true, false, true, false));
    const std::span<HidDataItem> items = notifications.InputItems();
    const std::pair<std::function<bool()>, uint16_t> cases[] = {
        {[&] { return setup_.keyboard->RequestSync(); }, kNotifySyncRequest},
        {[&] { return setup_.keyboard->PressKey(12); }, 0x050C},
        {[&] { return setup_.keyboard->ReleaseKey(12); }, 0x060C},
    };
    for (const auto& [send, code] : cases) {
        ASSERT_TRUE(send());
        uint8_t report[3];
        ASSERT_TRUE(notifications.Read(report, sizeof report, 1000));
        ASSERT_TRUE(notifications.UnpackInputReport(items, report));
        EXPECT_EQ(items[0].usages[0], code);
    }
}

TEST_F(SimBusTest, UnplugDuringATransferFailsItAndTheDeviceLeavesTheBus) {
    const std::string path = channel_.Path();
    setup_.keyboard->Faults().Arm({.kind = FaultKind::kUnplug, .command = kCmdWriteKeymap, .chunk = 1});
    ASSERT_TRUE(Send(Request(kCmdWriteKeymap, 1, 0)));
    CommandPacket reply{};
    ASSERT_TRUE(Receive(reply, 1000));
    EXPECT_FALSE(Send(Request(kCmdWriteKeymap, 1, 56)));
    EXPECT_FALSE(Receive(reply, kHidInfinite));  // fails at once, does not wait
    EXPECT_FALSE(setup_.bus->IsPresent(path));
    EXPECT_TRUE(PathWith(*setup_.bus, "pid_502b").empty());
    EXPECT_FALSE(setup_.keyboard->RequestSync());

    // Plugged back in, it is found again under new nodes.
    setup_.bus->Plug(setup_.keyboard);
    const std::string again = PathWith(*setup_.bus, "pid_502b&mi_01&col04");
    ASSERT_FALSE(again.empty());
    EXPECT_NE(again, path);
    ASSERT_TRUE(channel_.Open(again, true, true, true, false));
    EXPECT_TRUE(Send(Request(kCmdEnd)));
}

TEST_F(SimBusTest, HotPlugAddsAndRemovesPaths) {
    const size_t before = setup_.bus->Paths().size();
    auto second = MakeEmulatedMousePad();
    setup_.bus->Plug(second);
    EXPECT_EQ(setup_.bus->Paths().size(), before + 4);
    setup_.bus->Unplug(second);
    EXPECT_EQ(setup_.bus->Paths().size(), before);
    setup_.bus->Unplug(setup_.keyboard);
    uint8_t buffer[64];
    EXPECT_FALSE(channel_.Read(buffer, sizeof buffer, 10));
    EXPECT_FALSE(channel_.Open(channel_.Path(), true, true, true, false));
}

TEST_F(SimBusTest, HeadsetLightReportsSetItsRegisters) {
    CHidDevice headset(setup_.bus);
    ASSERT_TRUE(headset.Open(PathWith(*setup_.bus, "pid_01da"), true, true, true, false));
    uint8_t report[kHeadsetLightReportSize] = {
        kHeadsetLightReportId, 0x22, 0xAD, 0x00, 10, 11, 12, 13, 14, 15};
    ASSERT_TRUE(headset.SetOutputReport(report, sizeof report));
    report[2] = 0xAB;  // green of LEDs 0-6
    ASSERT_TRUE(headset.SetOutputReport(report, sizeof report));
    const std::vector<uint8_t> frame = setup_.headset->Lights().Frame(0x22);
    EXPECT_EQ(frame[7 * 3], 10);      // red of LED 7
    EXPECT_EQ(frame[12 * 3], 15);     // red of LED 12
    EXPECT_EQ(frame[0 * 3 + 1], 10);  // green of LED 0
    EXPECT_EQ(setup_.headset->Lights().ReportsApplied(), 2u);
    EXPECT_TRUE(setup_.headset->Log().LastReceived()->controlPipe);
    report[1] = 0x33;  // no such zone
    EXPECT_TRUE(headset.SetOutputReport(report, sizeof report));
    EXPECT_EQ(setup_.headset->Lights().ReportsApplied(), 2u);
    // The headset answers commands on the same collection.
    const CommandPacket request = Request(kCmdReadData, 9);
    ASSERT_TRUE(headset.Write(request.data(), request.size(), 1000));
    CommandPacket reply{};
    ASSERT_TRUE(headset.Read(reply.data(), reply.size(), 1000));
    EXPECT_EQ(reply[kPacketCommand], kCmdReadData);
    EXPECT_EQ(reply[kPacketPayload + 1], 2);      // effect id of the factory setting
    EXPECT_FALSE(setup_.headset->RequestSync());  // the headset has no notification collection
}

TEST(SimDevice, AnInterfaceWithABrokenDescriptorIsNotOffered) {
    TraceCapture trace;
    const std::vector<uint8_t> broken = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01};  // never ended
    auto device = std::make_shared<SimDevice>(
        SimDeviceModel{"broken", 0x1234, 0x0001, 0, {{0, broken}, {1, {0x09, 0x01, 0xA1, 0x01, 0xC0}}}},
        nullptr);
    SimHidBus bus;
    bus.Plug(device);
    EXPECT_EQ(bus.Paths(), std::vector<std::string>{"/sim/hid0#vid_1234&pid_0001&mi_01"});
    EXPECT_TRUE(trace.Contains("HID: emulated broken, interface 0 skipped, report descriptor refused"));
}

}  // namespace
}  // namespace r88::sim
