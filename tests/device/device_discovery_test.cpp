#include "device/device_discovery.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <thread>

#include "device/hid_path.h"
#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/emulated_firmware.h"
#include "sim/factory_memories.h"
#include "sim/report_descriptors.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;

struct Message {
    unsigned msg;
    uintptr_t wParam;
    bool sent;
    bool slotSettled;  // what the window saw in the slot while handling a sent message
};

// Stands in for the main window: records messages and reads the slot as the
// UI thread would while a sent message is handled.
class RecordingWindow : public IMessageSink {
public:
    void Attach(const CDeviceDiscovery* discovery) { discovery_ = discovery; }

    void PostMessage(unsigned msg, uintptr_t wParam, intptr_t) override { Record({msg, wParam, false, true}); }
    intptr_t SendMessage(unsigned msg, uintptr_t wParam, intptr_t) override {
        bool settled = false;
        if (const auto slot = discovery_->Slot(wParam)) {
            settled = msg == kMsgDeviceFound ? slot->connected == 1 && !slot->path.empty() : slot->Free();
        }
        Record({msg, wParam, true, settled});
        return 0;
    }

    std::vector<Message> Messages() const {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<uintptr_t> Slots(unsigned msg) const {
        std::vector<uintptr_t> out;
        for (const Message& m : Messages())
            if (m.msg == msg) out.push_back(m.wParam);
        return out;
    }
    // Waits until `count` messages `msg` have come (at most `limit`).
    bool WaitFor(unsigned msg, size_t count, std::chrono::milliseconds limit = 2000ms) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, limit, [&] {
            return static_cast<size_t>(std::count_if(messages_.begin(), messages_.end(),
                                                     [&](const Message& m) { return m.msg == msg; })) >= count;
        });
    }

private:
    void Record(Message m) {
        {
            std::lock_guard lock(mutex_);
            messages_.push_back(m);
        }
        changed_.notify_all();
    }

    const CDeviceDiscovery* discovery_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Message> messages_;
};

// The emulated bus, counting how often the interfaces are enumerated.
class CountingBus : public sim::SimHidBus {
public:
    std::unique_ptr<IHidInterfaceSet> OpenInterfaceSet() override {
        ++enumerations;
        return SimHidBus::OpenInterfaceSet();
    }
    std::atomic<int> enumerations{0};
};

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override { window_.Attach(&discovery_); }
    void TearDown() override { EXPECT_NE(discovery_.Stop(), WorkerStopResult::kOverran); }

    // The slots the keyboard's collections claim, in the order the bus lists them.
    std::vector<uintptr_t> KeyboardSlotsInEnumerationOrder() const {
        std::vector<uintptr_t> order;
        for (const std::string& p : bus_->Paths()) {
            if (ParseProductId(p) != 0x502B || ParseInterfaceNumber(p) != 1) continue;
            if (ParseCollectionNumber(p) == 4) order.push_back(0);
            if (ParseCollectionNumber(p) == 3) order.push_back(1);
        }
        return order;
    }

    std::shared_ptr<CountingBus> bus_ = std::make_shared<CountingBus>();
    RecordingWindow window_;
    CDeviceDiscovery discovery_{window_, bus_};
};

TEST_F(DiscoveryTest, NothingSupportedPluggedGivesOneApplicationMessageAndNothingElse) {
    // The mouse of this configuration has ids 0, like the rows that stand for kinds that never connect.
    bus_->Plug(sim::MakeEmulatedMouse());
    discovery_.Start();
    ASSERT_TRUE(window_.WaitFor(kMsgApplication, 1));
    while (bus_->enumerations < 4) std::this_thread::sleep_for(10ms);
    const std::vector<Message> messages = window_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].msg, kMsgApplication);
    EXPECT_FALSE(messages[0].sent);
    for (const DeviceInterfaceSlot& s : discovery_.Slots()) EXPECT_TRUE(s.Free());
}

TEST_F(DiscoveryTest, KeyboardComesAndGoes) {
    discovery_.Start();
    ASSERT_TRUE(window_.WaitFor(kMsgApplication, 1));
    auto keyboard = sim::MakeEmulatedKeyboard();
    bus_->Plug(keyboard);
    ASSERT_TRUE(window_.WaitFor(kMsgDeviceFound, 2));
    EXPECT_EQ(window_.Slots(kMsgDeviceFound), KeyboardSlotsInEnumerationOrder());
    const std::optional<DeviceInterfaceSlot> command = discovery_.Slot(0);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->connected, 1);
    EXPECT_NE(command->path.find("mi_01&col04"), std::string::npos);

    bus_->Unplug(keyboard);
    ASSERT_TRUE(window_.WaitFor(kMsgDeviceGone, 2, 1000ms));
    std::vector<uintptr_t> gone = window_.Slots(kMsgDeviceGone);
    std::sort(gone.begin(), gone.end());
    EXPECT_EQ(gone, (std::vector<uintptr_t>{0, 1}));
    for (const Message& m : window_.Messages()) EXPECT_TRUE(m.slotSettled) << m.msg << " " << m.wParam;
    EXPECT_EQ(window_.Slots(kMsgApplication).size(), 1u);

    // Plugged again, it is found again.
    bus_->Plug(keyboard);
    EXPECT_TRUE(window_.WaitFor(kMsgDeviceFound, 4));
}

TEST_F(DiscoveryTest, AllDevicesClaimedStopsTheEnumeration) {
    bus_->Plug(sim::MakeEmulatedKeyboard());
    bus_->Plug(sim::MakeEmulatedMousePad());
    bus_->Plug(sim::MakeEmulatedHeadset());
    discovery_.Start();
    ASSERT_TRUE(window_.WaitFor(kMsgDeviceFound, 5));
    std::vector<uintptr_t> found = window_.Slots(kMsgDeviceFound);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<uintptr_t>{0, 1, 4, 5, 6}));
    const int enumerations = bus_->enumerations;
    std::this_thread::sleep_for(350ms);
    EXPECT_EQ(bus_->enumerations, enumerations);  // presence checks only

    {
        TraceCapture trace;
        EXPECT_EQ(discovery_.Stop(), WorkerStopResult::kStopped);
        EXPECT_TRUE(trace.Contains(kTraceDiscoveryExit));
        EXPECT_TRUE(trace.Contains("所有对象处于激发状态\n"));
    }
    bus_->UnplugAll();
}

TEST_F(DiscoveryTest, VendorCollectionWithAnotherUsagePageIsNeverClaimed) {
    std::vector<uint8_t> descriptor(sim::GamingInterfaceDescriptor().begin(), sim::GamingInterfaceDescriptor().end());
    const uint8_t vendorPage[] = {0x06, 0x1C, 0xFF};
    const auto at = std::search(descriptor.begin(), descriptor.end(), std::begin(vendorPage), std::end(vendorPage));
    ASSERT_NE(at, descriptor.end());
    at[1] = 0x1D;  // usage page 0xFF1D
    sim::SimDeviceModel model{"keyboard", 0x320F, 0x502B, 0x0107, {{1, descriptor}}};
    auto firmware = std::make_shared<sim::EmulatedFirmware>(sim::KeyboardFactoryMemories(), 1);
    bus_->Plug(std::make_shared<sim::SimDevice>(model, firmware));

    discovery_.Start();
    ASSERT_TRUE(window_.WaitFor(kMsgDeviceFound, 1));
    const int enumerations = bus_->enumerations;
    while (bus_->enumerations < enumerations + 3) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(window_.Slots(kMsgDeviceFound), std::vector<uintptr_t>{1});
    EXPECT_TRUE(discovery_.Slot(0)->Free());
    EXPECT_FALSE(discovery_.Slot(discovery_.SlotCount()));
}

TEST_F(DiscoveryTest, AFailedEnumerationEndsTheThread) {
    bus_->InjectEnumerationFault({.kind = sim::EnumerationFault::Kind::kFailIndex, .index = 0});
    TraceCapture trace;
    discovery_.Start();
    for (int i = 0; i < 200 && discovery_.Running(); ++i) std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(discovery_.Running());
    EXPECT_TRUE(trace.Contains(kTraceDiscoveryExit));
    EXPECT_TRUE(window_.Messages().empty());
}

}  // namespace
}  // namespace r88
