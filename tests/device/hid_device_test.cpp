#include "device/hid_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/hid_command_set.h"
#include "device/hid_device_list.h"
#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;
using sim::EnumerationFault;

std::string PathWith(const sim::SimHidBus& bus, const std::string& fragment) {
    for (const std::string& p : bus.Paths())
        if (p.find(fragment) != std::string::npos) return p;
    return {};
}

class HidDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_->Plug(keyboard_);
        vendorPath_ = PathWith(*bus_, "pid_502b&mi_01&col04");
        consumerPath_ = PathWith(*bus_, "pid_502b&mi_01&col03");
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> keyboard_ = sim::MakeEmulatedKeyboard();
    std::string vendorPath_, consumerPath_;
};

TEST_F(HidDeviceTest, OpenLoadsCapsAttributesBuffersAndSlots) {
    CHidDevice device(bus_);
    ASSERT_TRUE(device.Open(vendorPath_, true, true, true, false));
    EXPECT_EQ(device.Path(), vendorPath_);
    EXPECT_EQ(device.Attributes().vendorId, 0x320F);
    EXPECT_EQ(device.Attributes().productId, 0x502B);
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().usage, 0x92);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.Caps().outputReportByteLength, 64);
    EXPECT_EQ(device.InputReport().size(), 64u);
    ASSERT_EQ(device.InputItems().size(), 1u);  // one value capability with a single usage
    EXPECT_FALSE(device.InputItems()[0].isButton);

    ASSERT_TRUE(device.Open(consumerPath_, true, false, true, false));  // re-open closes the first
    EXPECT_EQ(device.Caps().usagePage, 0x0C);
    ASSERT_EQ(device.InputItems().size(), 1u);
    EXPECT_TRUE(device.InputItems()[0].isButton);
    EXPECT_EQ(device.InputItems()[0].maxUsages, 1u);
    EXPECT_EQ(device.InputItems()[0].reportId, 3u);

    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(device.InputItems().empty());
    device.Close();  // closing a closed device does nothing harmful
}

TEST_F(HidDeviceTest, OpenFailsCleanly) {
    CHidDevice device(bus_);
    EXPECT_FALSE(device.Open(vendorPath_ + std::string(300, 'x'), true, true, true, false));  // too long
    EXPECT_FALSE(device.Open("/sim/hid99#vid_320f&pid_502b&mi_01&col04", true, true, true, false));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.Caps().inputReportByteLength, 0);
}

TEST_F(HidDeviceTest, ReadsTimeOutAndEachCollectionGetsOnlyItsOwnReports) {
    CHidDevice vendor(bus_), consumer(bus_);
    ASSERT_TRUE(vendor.Open(vendorPath_, true, true, true, false));
    ASSERT_TRUE(consumer.Open(consumerPath_, true, true, true, false));
    uint8_t buffer[64];
    size_t n = 99;
    EXPECT_FALSE(vendor.Read(buffer, sizeof buffer, 20, &n));
    EXPECT_EQ(n, 0u);

    ASSERT_TRUE(keyboard_->RequestSync());
    EXPECT_FALSE(vendor.Read(buffer, sizeof buffer, 20, &n));
    ASSERT_TRUE(consumer.Read(buffer, sizeof buffer, 1000, &n));
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(buffer[0], 3);

    // Transfers need an interface opened for overlapped use.
    CHidDevice plain(bus_);
    ASSERT_TRUE(plain.Open(vendorPath_, true, true, false, false));
    std::array<uint8_t, 64> request{kCommandReportId, 0, 0, kCmdBegin};
    SealCommandPacket(request);
    EXPECT_FALSE(plain.Write(request.data(), request.size(), 1000, &n));
}

TEST_F(HidDeviceTest, InfiniteReadEndsPromptlyWhenAnotherThreadCloses) {
    CHidDevice device(bus_);
    ASSERT_TRUE(device.Open(consumerPath_, true, true, true, false));
    std::atomic<bool> result{true};
    size_t n = 99;
    std::thread reader([&] {
        uint8_t buffer[3];
        result = device.Read(buffer, sizeof buffer, kHidInfinite, &n);
    });
    while (!device.ReadPending()) std::this_thread::sleep_for(1ms);
    const auto start = std::chrono::steady_clock::now();
    device.Close();
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    EXPECT_FALSE(result);
    EXPECT_EQ(n, 0u);
}

TEST_F(HidDeviceTest, CancelTransfersStopsAReaderUntilTheNextOpen) {
    CHidDevice device(bus_);
    ASSERT_TRUE(device.Open(consumerPath_, true, true, true, false));
    std::thread reader([&] {
        uint8_t buffer[3];
        while (device.Read(buffer, sizeof buffer, kHidInfinite)) {
        }
    });
    while (!device.ReadPending()) std::this_thread::sleep_for(1ms);
    device.CancelTransfers();
    reader.join();
    EXPECT_TRUE(device.IsOpen());
    uint8_t buffer[3];
    ASSERT_TRUE(keyboard_->PressKey(1));
    EXPECT_FALSE(device.Read(buffer, sizeof buffer, 100));
    ASSERT_TRUE(device.Open(consumerPath_, true, true, true, false));
    ASSERT_TRUE(keyboard_->PressKey(1));
    EXPECT_TRUE(device.Read(buffer, sizeof buffer, 1000));
}

TEST_F(HidDeviceTest, UnpackInputReportFillsOnlyTheSlotsOfTheReportsId) {
    CHidDevice device(bus_);
    ASSERT_TRUE(device.Open(consumerPath_, true, false, true, false));
    std::span<HidDataItem> items = device.InputItems();
    ASSERT_EQ(items.size(), 1u);

    const uint8_t sync[] = {0x03, 0x01, 0x04};
    ASSERT_TRUE(device.UnpackInputReport(items, sync));
    EXPECT_TRUE(items[0].isSet);
    EXPECT_EQ(items[0].status, kHidStatusSuccess);
    EXPECT_EQ(items[0].usages[0], 0x0401);

    items[0].isSet = false;
    const uint8_t foreign[] = {0x07, 0x05, 0x05};
    EXPECT_TRUE(device.UnpackInputReport(items, foreign));
    EXPECT_FALSE(items[0].isSet);
    EXPECT_EQ(items[0].usages[0], 0x0401);

    const uint8_t released[] = {0x03, 0x00, 0x00};  // no usage: the list is zero-terminated
    ASSERT_TRUE(device.UnpackInputReport(items, released));
    EXPECT_EQ(items[0].usages[0], 0);
    EXPECT_FALSE(device.UnpackInputReport(items, {}));
}

TEST_F(HidDeviceTest, UnpackInputReportDecodesValuesAndStopsOnAValueThatIsNotThere) {
    auto mouse = sim::MakeEmulatedMouse(0x1234, 0x0001);
    bus_->Plug(mouse);
    CHidDevice device(bus_);
    ASSERT_TRUE(device.Open(PathWith(*bus_, "pid_0001&mi_00"), true, false, true, false));
    std::span<HidDataItem> items = device.InputItems();
    ASSERT_EQ(items.size(), 4u);  // buttons, X, Y, wheel
    const uint8_t report[] = {0x00, 0x01, 0xFB, 0xFF, 0x2C, 0x01, 0xFF};
    ASSERT_TRUE(device.UnpackInputReport(items, report));
    EXPECT_EQ(items[0].usages[0], 1);
    EXPECT_EQ(items[1].usage, 0x30);
    EXPECT_EQ(items[1].value, 0xFFFBu);
    EXPECT_EQ(items[1].scaledValue, -5);
    EXPECT_EQ(items[2].scaledValue, 300);
    EXPECT_EQ(items[3].scaledValue, -1);
    // A report too short for its fields: the value decode fails and stops.
    const uint8_t cut[] = {0x00, 0x01, 0xFB};
    EXPECT_FALSE(device.UnpackInputReport(items, cut));
}

TEST(HidDevice, ADeviceWhoseButtonsNeedAbsurdlyManySlotsIsRefused) {
    // Three reports of 16 runs of 2048 buttons each: 48 button capabilities,
    // each of whose usage lists would hold 98304 usages.
    std::vector<uint8_t> d = {0x05, 0x09, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00,
                              0x25, 0x01, 0x75, 0x01, 0x96, 0x00, 0x08};
    for (uint8_t id = 1; id <= 3; ++id) {
        d.insert(d.end(), {0x85, id});
        for (int run = 0; run < 16; ++run) d.insert(d.end(), {0x19, 0x01, 0x2A, 0x00, 0x08, 0x81, 0x02});
    }
    d.push_back(0xC0);
    auto bus = std::make_shared<sim::SimHidBus>();
    bus->Plug(std::make_shared<sim::SimDevice>(sim::SimDeviceModel{"buttons", 0x1234, 0x0002, 0, {{0, d}}},
                                               nullptr));
    ASSERT_EQ(bus->Paths().size(), 1u);  // the descriptor itself is well formed
    TraceCapture trace;
    CHidDevice device(bus);
    EXPECT_FALSE(device.Open(bus->Paths()[0], true, true, true, false));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_TRUE(trace.Contains("refused, its buttons need too many decoding slots"));
}

// A pen whose report carries a 64-bit serial number shares its interface
// with a mouse: both collections open, and the pen's fields after the serial
// number decode; the serial number itself gets no slot.
TEST(HidDevice, APenWithAWideSerialNumberAndItsNeighbourOpen) {
    const std::vector<uint8_t> d = {
        0x05, 0x0D, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x02, 0x09, 0x20, 0xA1, 0x00, 0x09, 0x42, 0x15, 0x00, 0x25,
        0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0x75, 0x07, 0x81, 0x03, 0x09, 0x5B, 0x75, 0x40, 0x81, 0x02,
        0x05, 0x01, 0x09, 0x30, 0x15, 0x00, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x81, 0x02, 0xC0, 0xC0,  // pen
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x03, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25,
        0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0x75, 0x05, 0x95, 0x01, 0x81, 0x03, 0xC0};  // mouse
    auto bus = std::make_shared<sim::SimHidBus>();
    bus->Plug(
        std::make_shared<sim::SimDevice>(sim::SimDeviceModel{"pen", 0x1234, 0x0003, 0, {{0, d}}}, nullptr));
    ASSERT_EQ(bus->Paths().size(), 2u);

    CHidDevice pen(bus), mouse(bus);
    ASSERT_TRUE(pen.Open(PathWith(*bus, "&col01"), true, false, true, false));
    ASSERT_TRUE(mouse.Open(PathWith(*bus, "&col02"), true, false, true, false));
    EXPECT_EQ(pen.Caps().usagePage, 0x0D);
    EXPECT_EQ(pen.Caps().inputReportByteLength, 12);  // id, tip and padding, 8 serial bytes, X
    EXPECT_EQ(pen.Caps().numberInputButtonCaps, 1);
    EXPECT_EQ(pen.Caps().numberInputValueCaps, 1);
    EXPECT_EQ(mouse.Caps().usage, 0x02);
    EXPECT_EQ(mouse.Caps().inputReportByteLength, 2);

    std::span<HidDataItem> items = pen.InputItems();
    ASSERT_EQ(items.size(), 2u);
    std::vector<uint8_t> report(12, 0xEE);
    report[0] = 0x02;
    report[1] = 0x01;
    report[10] = 0x00;
    report[11] = 0x40;
    ASSERT_TRUE(pen.UnpackInputReport(items, report));
    EXPECT_EQ(items[0].usages[0], 0x42);
    EXPECT_EQ(items[1].usage, 0x30);
    EXPECT_EQ(items[1].value, 0x4000u);
    EXPECT_EQ(items[1].scaledValue, 0x4000);
}

TEST(HidDeviceList, GrowsPastEightInEnumerationOrderAndFailsEmpty) {
    auto bus = std::make_shared<sim::SimHidBus>();
    for (int i = 0; i < 3; ++i) bus->Plug(sim::MakeEmulatedKeyboard());  // 5 paths each
    CHidDeviceList list(bus);
    ASSERT_TRUE(list.Enumerate());
    EXPECT_EQ(list.Count(), 15u);
    EXPECT_EQ(list.Capacity(), 16u);
    std::vector<std::string> paths;
    while (const std::string* p = list.Next()) paths.push_back(*p);
    EXPECT_EQ(paths, bus->Paths());
    EXPECT_EQ(list.Next(), nullptr);

    bus->InjectEnumerationFault({EnumerationFault::Kind::kSkipIndex, 2});
    ASSERT_TRUE(list.Enumerate());
    EXPECT_EQ(list.Count(), 14u);
    EXPECT_EQ(*list.Next(), paths[0]);

    bus->InjectEnumerationFault({EnumerationFault::Kind::kFailIndex, 9});
    EXPECT_FALSE(list.Enumerate());
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.Next(), nullptr);

    bus->InjectEnumerationFault({EnumerationFault::Kind::kSetUnavailable, 0});
    EXPECT_FALSE(list.Enumerate());
    EXPECT_EQ(list.Count(), 0u);

    bus->UnplugAll();
    EXPECT_TRUE(list.Enumerate());
    EXPECT_EQ(list.Next(), nullptr);
}

}  // namespace
}  // namespace r88
