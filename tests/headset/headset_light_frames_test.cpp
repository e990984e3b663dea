// The headset's light frames on the wire: twelve output reports per frame,
// handed to the connection without waiting, on the emulated headset.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>
#include <vector>

#include "device/hid_device.h"
#include "headset/headset_light_reports.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

using Batch = std::array<uint8_t, kHeadsetLightReportCount * kHeadsetLightReportSize>;

// Every LED red at `red`, full alpha, as the headset's page sends it.
Batch Frame(uint8_t red) {
    std::array<uint32_t, kHeadsetLedCount> leds{};
    leds.fill(0xFF000000u | red);
    const HeadsetLightReports reports = BuildHeadsetLightReports(leds);
    Batch batch{};
    for (size_t r = 0; r < reports.size(); ++r)
        std::copy(reports[r].begin(), reports[r].end(), batch.begin() + r * kHeadsetLightReportSize);
    return batch;
}

template <class Pred>
bool WaitFor(Pred pred) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class HeadsetLightFramesTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_->Plug(headset_);
        ASSERT_EQ(bus_->Paths().size(), 1u);
        ASSERT_TRUE(hid_.Open(bus_->Paths()[0], true, true, true, false));
        headset_->Log().Clear();
    }
    void TearDown() override { headset_->HoldControlPipe(false); }

    HidBatchResult Submit(const Batch& b) { return hid_.SubmitOutputReports(b, kHeadsetLightReportSize); }

    // The reports that came in on the control pipe, in order.
    std::vector<std::vector<uint8_t>> ControlReports() const {
        std::vector<std::vector<uint8_t>> out;
        for (const sim::SimPacket& p : headset_->Log().Received())
            if (p.controlPipe) out.push_back(p.bytes);
        return out;
    }

    static std::vector<std::vector<uint8_t>> Reports(const Batch& b) {
        std::vector<std::vector<uint8_t>> out;
        for (size_t at = 0; at < b.size(); at += kHeadsetLightReportSize)
            out.emplace_back(b.begin() + static_cast<long>(at),
                             b.begin() + static_cast<long>(at + kHeadsetLightReportSize));
        return out;
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> headset_ = sim::MakeEmulatedHeadset();
    CHidDevice hid_{bus_};
};

TEST_F(HeadsetLightFramesTest, EveryFrameArrivesAsAWholeSetOfTwelveReports) {
    for (uint8_t red : {0x20, 0xFF}) {
        ASSERT_EQ(Submit(Frame(red)), HidBatchResult::kAccepted);
        ASSERT_TRUE(WaitFor([&] {
            return headset_->Lights().ReportsApplied() % 12 == 0 && headset_->Lights().ReportsApplied() > 0 &&
                   headset_->Lights().Frame(0x44)[0] == std::min(red * 255 / 256, 247);
        }));
    }
    EXPECT_EQ(headset_->Lights().ReportsApplied(), 24u);
    const std::vector<uint8_t> zone = headset_->Lights().Frame(0x22);
    for (size_t led = 0; led < kHeadsetLedCount; ++led) {
        EXPECT_EQ(zone[led * 3], 247) << led;  // 255 at full alpha is limited to 247
        EXPECT_EQ(zone[led * 3 + 1], 0) << led;
    }
}

TEST_F(HeadsetLightFramesTest, ASlowHeadsetGetsWholeFramesTheNewestNextAndTheCallerNeverWaits) {
    // The headset takes no report until let go: the first frame is stuck on its first report.
    headset_->HoldControlPipe(true);
    ASSERT_EQ(Submit(Frame(0x10)), HidBatchResult::kAccepted);
    ASSERT_TRUE(WaitFor([&] { return headset_->HeldControlReports() == 1; }));
    // The next frames return at once: one waits, a newer one takes its place.
    EXPECT_EQ(Submit(Frame(0x20)), HidBatchResult::kAccepted);
    EXPECT_EQ(Submit(Frame(0x30)), HidBatchResult::kReplacedWaiting);
    EXPECT_EQ(headset_->Lights().ReportsApplied(), 0u);

    headset_->HoldControlPipe(false);
    ASSERT_TRUE(WaitFor([&] { return headset_->Lights().ReportsApplied() == 24; }));
    // The stuck frame whole, then the newest whole; the replaced one never.
    std::vector<std::vector<uint8_t>> expected = Reports(Frame(0x10));
    for (auto& r : Reports(Frame(0x30))) expected.push_back(r);
    EXPECT_EQ(ControlReports(), expected);
    EXPECT_EQ(headset_->Lights().Frame(0x22)[0], 0x30 * 255 / 256);
}

TEST_F(HeadsetLightFramesTest, ClosingDoesNotWaitForTheHeadsetAndMalformedBatchesAreRefused) {
    const Batch frame = Frame(0x40);
    EXPECT_EQ(hid_.SubmitOutputReports(std::span(frame).first(20), kHeadsetLightReportSize),
              HidBatchResult::kRefused);  // not whole reports
    const std::vector<uint8_t> tooLong(
        (kHidMaxBatchBytes / kHeadsetLightReportSize + 1) * kHeadsetLightReportSize, 0xFF);
    EXPECT_EQ(hid_.SubmitOutputReports(tooLong, kHeadsetLightReportSize), HidBatchResult::kRefused);
    EXPECT_EQ(headset_->Log().Size(), 0u);

    headset_->HoldControlPipe(true);
    ASSERT_EQ(Submit(frame), HidBatchResult::kAccepted);
    ASSERT_TRUE(WaitFor([&] { return headset_->HeldControlReports() == 1; }));
    hid_.Close();  // returns while the headset still holds a report
    EXPECT_EQ(Submit(frame), HidBatchResult::kRefused);
    headset_->HoldControlPipe(false);
    // The report in flight lands; the rest of that frame is dropped with the connection.
    ASSERT_TRUE(WaitFor([&] { return headset_->HeldControlReports() == 0; }));
    EXPECT_LE(headset_->Lights().ReportsApplied(), 1u);
}

}  // namespace
}  // namespace r88
