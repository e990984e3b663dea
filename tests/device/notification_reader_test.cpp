#include "device/notification_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <thread>

#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "sim/sim_device.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;
using Kind = NotificationEvent::Kind;

TEST(DecodeNotificationTest, CodesAndTheirLimits) {
    struct Case {
        uint16_t code;
        bool keyEvents;
        std::optional<Kind> kind;
        uint8_t slot;
    };
    const Case cases[] = {
        {0x0401, false, Kind::kSyncRequest, 0}, {0x0401, true, Kind::kSyncRequest, 0},
        {0x050C, true, Kind::kKeyDown, 12},     {0x067D, true, Kind::kKeyUp, 125},
        {0x057E, true, Kind::kKeyDown, 126},    // key slots are the device's, beyond the picture's 126 keys
        {0x05FF, true, Kind::kKeyDown, 255},    {0x050C, false, std::nullopt, 0},  // not a keyboard
        {0x0402, true, std::nullopt, 0},        {0x0000, true, std::nullopt, 0},
        {0x00E9, true, std::nullopt, 0},        // a media key
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const std::optional<NotificationEvent> e = DecodeNotification(c.code, c.keyEvents);
        ASSERT_EQ(e.has_value(), c.kind.has_value());
        if (!e) continue;
        EXPECT_EQ(e->kind, *c.kind);
        EXPECT_EQ(e->keySlot, c.slot);
        EXPECT_EQ(e->code, c.code);
    }
}

class NotificationReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_->Plug(keyboard_);
        for (const std::string& p : bus_->Paths())
            if (p.find("mi_01&col03") != std::string::npos) consumerPath_ = p;
        reader_.SetHandler([this](const NotificationEvent& e) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(e);
            }
            changed_.notify_all();
        });
    }

    bool WaitForEvents(size_t n) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 2s, [&] { return events_.size() >= n; });
    }
    std::vector<NotificationEvent> Events() {
        std::lock_guard lock(mutex_);
        return events_;
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> keyboard_ = sim::MakeEmulatedKeyboard();
    std::string consumerPath_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<NotificationEvent> events_;
    CNotificationReader reader_{bus_};
};

TEST_F(NotificationReaderTest, KeyboardReportsArriveInOrderAndBadOnesAreIgnored) {
    reader_.SetKeyEvents(true);
    TraceCapture trace;
    ASSERT_TRUE(reader_.OpenNotifications(consumerPath_));
    const uint8_t shortReport[] = {0x03, 0x01};  // the right report id, one byte short
    ASSERT_TRUE(keyboard_->SendInputReport(1, shortReport));
    ASSERT_TRUE(keyboard_->Notify(0x00E9));
    ASSERT_TRUE(keyboard_->PressKey(12));
    ASSERT_TRUE(keyboard_->ReleaseKey(12));
    ASSERT_TRUE(keyboard_->PressKey(200));  // a slot past the picture's keys is still the device's key
    ASSERT_TRUE(keyboard_->RequestSync());
    ASSERT_TRUE(WaitForEvents(4));

    const std::vector<NotificationEvent> events = Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, Kind::kKeyDown);
    EXPECT_EQ(events[0].keySlot, 12);
    EXPECT_EQ(events[1].kind, Kind::kKeyUp);
    EXPECT_EQ(events[2].keySlot, 200);
    EXPECT_EQ(events[3].kind, Kind::kSyncRequest);
    EXPECT_TRUE(trace.Contains(kTraceSyncRequest));

    // The reader waits without a time-out; closing cuts that short.
    const auto start = std::chrono::steady_clock::now();
    reader_.CloseNotifications();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    EXPECT_FALSE(reader_.IsOpen());
    EXPECT_TRUE(trace.Contains(kTraceNotifyExit));
    EXPECT_TRUE(trace.Contains("线程退出：：对象处于激发状态\n"));
}

TEST_F(NotificationReaderTest, OtherKindsGetOnlyTheSyncRequestAndSurviveAnUnplug) {
    ASSERT_TRUE(reader_.OpenNotifications(consumerPath_));
    EXPECT_TRUE(reader_.OpenNotifications(consumerPath_));  // open already: nothing changes
    ASSERT_TRUE(keyboard_->PressKey(3));
    ASSERT_TRUE(keyboard_->RequestSync());
    ASSERT_TRUE(WaitForEvents(1));
    bus_->Unplug(keyboard_);
    std::this_thread::sleep_for(20ms);  // the reader's reads now fail at once
    reader_.CloseNotifications();
    const std::vector<NotificationEvent> events = Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, Kind::kSyncRequest);

    // Opened on a path that is gone: closed, and closing again is harmless.
    EXPECT_FALSE(reader_.OpenNotifications(consumerPath_));
    reader_.CloseNotifications();
    reader_.CloseNotifications();
}

// Firmware whose consumer collection has a longer report beside the 3-byte
// notification report: Windows pads every report of the collection to the
// longest (9 bytes), hidraw hands each over as it came.
TEST(NotificationReaderShortReports, AreReadAsIfPaddedAndLongOnesAreCut) {
    // clang-format off
    const std::vector<uint8_t> descriptor = {
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,
        0x85, 0x03, 0x15, 0x00, 0x26, 0xFF, 0x0F, 0x19, 0x00, 0x2A, 0xFF, 0x0F,  // report 3: one 16-bit code
        0x75, 0x10, 0x95, 0x01, 0x81, 0x00,
        0x85, 0x06, 0x06, 0x00, 0xFF, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,  // report 6: 8 vendor bytes
        0x75, 0x08, 0x95, 0x08, 0x81, 0x02,
        0xC0,
    };
    // clang-format on
    auto bus = std::make_shared<sim::SimHidBus>();
    auto device = std::make_shared<sim::SimDevice>(
        sim::SimDeviceModel{"notifier", 0x320F, 0x502B, 0x0100, {{1, descriptor}}}, nullptr);
    bus->Plug(device);
    ASSERT_EQ(bus->Paths().size(), 1u);

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<NotificationEvent> events;
    CNotificationReader reader(bus);
    reader.SetKeyEvents(true);
    reader.SetHandler([&](const NotificationEvent& e) {
        {
            std::lock_guard lock(mutex);
            events.push_back(e);
        }
        changed.notify_all();
    });
    ASSERT_TRUE(reader.OpenNotifications(bus->Paths()[0]));
    EXPECT_EQ(reader.Channel().Hid().Caps().inputReportByteLength, 9);

    std::vector<uint8_t> tooLong(20, 0xEE);
    tooLong[0] = 0x03;
    tooLong[1] = 0x0C;
    tooLong[2] = 0x05;
    const std::vector<std::vector<uint8_t>> reports = {
        {0x03},              // the id alone: code 0, nothing
        {0x03, 0x01, 0x04},  // the sync request, 3 of 9 bytes
        {0x03, 0x7D, 0x06},  // key up of slot 125
        tooLong,             // key down of slot 12, then bytes past the buffer
    };
    for (const std::vector<uint8_t>& r : reports) ASSERT_TRUE(device->SendInputReport(1, r));
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, 2s, [&] { return events.size() >= 3; }));
    }
    reader.CloseNotifications();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, Kind::kSyncRequest);
    EXPECT_EQ(events[1].kind, Kind::kKeyUp);
    EXPECT_EQ(events[1].keySlot, 125);
    EXPECT_EQ(events[2].kind, Kind::kKeyDown);
    EXPECT_EQ(events[2].keySlot, 12);
}

}  // namespace
}  // namespace r88
