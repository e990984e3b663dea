// The settings image sequences of the mouse pad and the headset, run on the
// emulated devices: what reaches their settings memory and in which packets.
#include "mouse/light_settings_protocol.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

using sim::SimDeviceKind;
using sim::SimMemory;

struct Sent {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << "{" << int(s.command) << ", " << int(s.length) << ", " << s.offset << "}";
}

class LightSettingsProtocolTest : public ::testing::TestWithParam<SimDeviceKind> {
protected:
    void SetUp() override {
        bus_->Plug(device_);
        // The command collection: the pad's vendor collection, the headset's only one.
        for (const std::string& p : bus_->Paths())
            if (GetParam() == SimDeviceKind::kHeadset || p.find("col04") != std::string::npos) path_ = p;
        ASSERT_TRUE(channel_.OpenHid(path_));
        device_->Log().Clear();
    }

    std::vector<Sent> SentPackets() const {
        std::vector<Sent> out;
        for (const sim::SimPacket& p : device_->Log().Received())
            if (p.bytes.size() > kPacketPayload && p.bytes[0] == kCommandReportId)
                out.push_back(
                    {p.bytes[kPacketCommand], p.bytes[kPacketLength],
                     static_cast<uint16_t>(p.bytes[kPacketOffset] | p.bytes[kPacketOffset + 1] << 8)});
        return out;
    }

    std::vector<uint8_t> DataAt(size_t offset, size_t n) const {
        const std::vector<uint8_t> data = device_->Memory(SimMemory::kData);
        return {data.begin() + static_cast<long>(offset), data.begin() + static_cast<long>(offset + n)};
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> device_ = sim::MakeEmulatedDevice(GetParam());
    std::string path_;
    CHidCommandChannel channel_{bus_};
    CLightSettingsProtocol settings_{channel_};
};

TEST_P(LightSettingsProtocolTest, ReadTakesTheActiveProfilesRecordAtItsReadOffset) {
    // Active profile 2: its record starts at 2 x 25 = 50.
    std::vector<uint8_t> record(25);
    for (size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(0x40 + i);
    record[3] = 1;  // the device keeps 4 - speed: speed 3
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kData, 50, record));
    const uint8_t active[] = {2};
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kData, 0, active));

    ASSERT_EQ(settings_.ReadSettings(), kResultOk);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdReadData, 1, 0}, {kCmdReadData, 25, 50}}));
    EXPECT_EQ(settings_.ActiveProfile(), 2);
    LightSettingsImage expected{};
    for (size_t i = 0; i < expected.size(); ++i) expected[i] = record[i];
    expected[settings_byte::kSpeed] = 3;
    EXPECT_EQ(settings_.Image(), expected);
    EXPECT_EQ(settings_.PreviousImage(), LightSettingsImage{});

    // A second read keeps the first image as the previous one.
    ASSERT_EQ(settings_.ReadSettings(), kResultOk);
    EXPECT_EQ(settings_.PreviousImage(), expected);
}

TEST_P(LightSettingsProtocolTest, WriteSendsTheProfilesEffectAndTheFlippedSpeedAtItsWriteOffset) {
    struct Case {
        uint8_t profileEffect;
        uint8_t speed;
        int profile;
        uint8_t sentEffect;
        uint8_t sentSpeed;
    };
    // Effects from 9 on (user light sequences) are the host's own: the device gets 0.
    const Case cases[] = {{5, 1, 0, 5, 3}, {12, 0, 1, 0, 4}, {8, 4, 2, 8, 0}, {9, 2, 3, 0, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "effect " << int(c.profileEffect) << " profile " << c.profile);
        LightState state;
        state.effect = 3;  // the light state's own effect is not what is written
        state.brightness = 2;
        state.speed = c.speed;
        state.direction = 1;
        state.multiColor = 1;
        state.red = 0x11;
        state.green = 0x22;
        state.blue = 0x33;
        settings_.ApplyLightState(state);
        device_->Log().Clear();

        ASSERT_EQ(settings_.WriteSettings(c.profile, c.profileEffect), kResultOk);
        const uint16_t at = static_cast<uint16_t>(c.profile * 64);
        EXPECT_EQ(SentPackets(),
                  (std::vector<Sent>{{kCmdBegin, 0, 0}, {kCmdWriteData, 21, at}, {kCmdEnd, 0, 0}}));
        const std::vector<uint8_t> written = DataAt(at, 21);
        EXPECT_EQ(written[settings_byte::kEffect], c.sentEffect);
        EXPECT_EQ(written[settings_byte::kBrightness], 2);
        EXPECT_EQ(written[settings_byte::kSpeed], c.sentSpeed);
        EXPECT_EQ(written[settings_byte::kDirection], 0);  // the light state's direction stays out
        EXPECT_EQ(written[settings_byte::kMultiColor], 1);
        EXPECT_EQ((std::vector<uint8_t>(written.begin() + 6, written.begin() + 9)),
                  (std::vector<uint8_t>{0x11, 0x22, 0x33}));
        // In memory the speed stays the plain level.
        EXPECT_EQ(settings_.Image()[settings_byte::kSpeed], c.speed);
    }
}

TEST_P(LightSettingsProtocolTest, WithProfileZeroActiveReadAndWriteMeetAtOffsetZero) {
    ASSERT_EQ(settings_.ReadSettings(), kResultOk);
    const std::vector<uint8_t> before = DataAt(0, 21);
    ASSERT_EQ(settings_.WriteSettings(0, before[settings_byte::kEffect]), kResultOk);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdReadData, 1, 0},
                                                {kCmdReadData, 25, 0},
                                                {kCmdBegin, 0, 0},
                                                {kCmdWriteData, 21, 0},
                                                {kCmdEnd, 0, 0}}));
    // What was read goes back unchanged, the bytes the device keeps for itself included.
    EXPECT_EQ(DataAt(0, 21), before);
}

TEST_P(LightSettingsProtocolTest, AClosedChannelSendsNothingAndAFailedReadKeepsTheImage) {
    ASSERT_EQ(settings_.ReadSettings(), kResultOk);
    const LightSettingsImage image = settings_.Image();

    // The record's read is refused: image and active profile stay.
    const uint8_t active[] = {1};
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kData, 0, active));
    device_->Faults().Arm(
        {.kind = sim::FaultKind::kStatus, .command = kCmdReadData, .chunk = 1, .status = 0xFE});
    EXPECT_EQ(settings_.ReadSettings(), kResultOutOfRange);
    EXPECT_EQ(settings_.Image(), image);
    EXPECT_EQ(settings_.ActiveProfile(), 0);
    // No reply to the first read: the record is not even asked for.
    device_->Log().Clear();
    device_->Faults().Arm({.kind = sim::FaultKind::kNoReply, .command = kCmdReadData});
    EXPECT_EQ(settings_.ReadSettings(), kResultNoReply);
    EXPECT_EQ(SentPackets().size(), 1u);
    EXPECT_EQ(settings_.Image(), image);

    const std::vector<uint8_t> memory = device_->Memory(SimMemory::kData);
    channel_.CloseHid();
    device_->Log().Clear();
    EXPECT_EQ(settings_.ReadSettings(), kResultNoReply);
    EXPECT_EQ(settings_.WriteSettings(0, 1), kResultNoReply);
    EXPECT_EQ(settings_.ReadConnectionInfo(), kResultNoReply);
    EXPECT_EQ(device_->Log().Size(), 0u);
    EXPECT_EQ(device_->Memory(SimMemory::kData), memory);
    EXPECT_EQ(settings_.Image(), image);
}

TEST_P(LightSettingsProtocolTest, AProfileWhoseBlockLiesBeyondTheOffsetsIsNotWritten) {
    EXPECT_EQ(settings_.WriteSettings(-1, 1), kResultNoReply);
    EXPECT_EQ(settings_.WriteSettings(1024, 1), kResultNoReply);  // 1024 x 64 does not fit 16 bits
    EXPECT_TRUE(SentPackets().empty());
}

INSTANTIATE_TEST_SUITE_P(PadAndHeadset, LightSettingsProtocolTest,
                         ::testing::Values(SimDeviceKind::kMousePad, SimDeviceKind::kHeadset),
                         [](const ::testing::TestParamInfo<SimDeviceKind>& kind) {
                             return kind.param == SimDeviceKind::kMousePad ? std::string("MousePad")
                                                                           : std::string("Headset");
                         });

TEST(MousePadConnectionInfoTest, BeginInformationBlockEnd) {
    auto bus = std::make_shared<sim::SimHidBus>();
    auto pad = sim::MakeEmulatedMousePad();
    bus->Plug(pad);
    CHidCommandChannel channel{bus};
    for (const std::string& p : bus->Paths()) {
        if (p.find("col04") != std::string::npos) {
            ASSERT_TRUE(channel.OpenHid(p));
        }
    }
    pad->Log().Clear();
    CLightSettingsProtocol settings{channel};
    ASSERT_EQ(settings.ReadConnectionInfo(), kResultOk);
    std::vector<uint8_t> commands;
    for (const sim::SimPacket& p : pad->Log().Received()) commands.push_back(p.bytes[kPacketCommand]);
    EXPECT_EQ(commands, (std::vector<uint8_t>{kCmdBegin, kCmdReadInfo, kCmdEnd}));
    const std::vector<uint8_t> info = pad->Memory(SimMemory::kInfo);
    EXPECT_EQ(std::vector<uint8_t>(settings.Info().begin(), settings.Info().end()), info);

    // A block that does not come back leaves the one read before.
    pad->Faults().Arm({.kind = sim::FaultKind::kStatus, .command = kCmdReadInfo, .status = 0xFF});
    const uint8_t changed[] = {0x77};
    ASSERT_TRUE(pad->Firmware().WriteMemory(SimMemory::kInfo, 0, changed));
    EXPECT_EQ(settings.ReadConnectionInfo(), kResultRejected);
    EXPECT_EQ(std::vector<uint8_t>(settings.Info().begin(), settings.Info().end()), info);
}

}  // namespace
}  // namespace r88
