// The keyboard's command sequences run on the emulated keyboard: what they
// send, what reaches its memories, and the slot map they build.
#include "keyboard/keyboard_protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "keyboard/keyboard_write_sequences.h"
#include "sim/emulated_devices.h"
#include "sim/factory_memories.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

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

std::vector<KeyAssignmentPair> DefaultKeyList() {
    std::vector<KeyAssignmentPair> list(kKeyboardUiKeys);
    for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
        list[j].current = {static_cast<uint16_t>(j), kDefaultKeyLayout[j], 0};
        list[j].defaults = list[j].current;
    }
    return list;
}

// The slot of UI key j on the factory keyboard: its matrix position, scanned
// column by column.
size_t FactorySlotOf(size_t j) {
    return (j % sim::kKeyboardColumns) * sim::kKeyboardRows + j / sim::kKeyboardColumns;
}

class KeyboardProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_->Plug(device_);
        for (const std::string& p : bus_->Paths())
            if (p.find("mi_01&col04") != std::string::npos) path_ = p;
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
    // The command ids sent, one per command (chunks of one command count once).
    std::vector<uint8_t> Commands() const {
        std::vector<uint8_t> out;
        for (const Sent& s : SentPackets())
            if (out.empty() || out.back() != s.command || s.offset == 0) out.push_back(s.command);
        return out;
    }
    std::vector<uint8_t> MemoryAt(SimMemory m, size_t offset, size_t n) const {
        const std::vector<uint8_t> bytes = device_->Memory(m);
        return {bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset + n)};
    }
    void Connect(std::span<const KeyAssignmentPair> list = {}) {
        ASSERT_EQ(keyboard_.ReadConnection(list), kResultOk);
        device_->Log().Clear();
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> device_ = sim::MakeEmulatedKeyboard();
    std::string path_;
    CHidCommandChannel channel_{bus_};
    CKeyboardProtocol keyboard_{channel_};
};

TEST_F(KeyboardProtocolTest, ConnectionReadBuildsTheSlotMapOfTheFactoryKeyboard) {
    ASSERT_EQ(keyboard_.ReadConnection(), kResultOk);
    const uint8_t n = static_cast<uint8_t>(sim::kKeyboardSlots);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdBegin, 0, 0},
                                                {kCmdReadInfo, 34, 0},
                                                {kCmdReadKeymap, 56, 0},
                                                {kCmdReadKeymap, 56, 56},
                                                {kCmdReadKeymap, 56, 112},
                                                {kCmdReadKeymap, 56, 168},
                                                {kCmdReadKeymap, 56, 224},
                                                {kCmdReadKeymap, 56, 280},
                                                {kCmdReadKeymap, 42, 336},
                                                {kCmdReadKeymapEx, 56, 0},
                                                {kCmdReadKeymapEx, 56, 56},
                                                {kCmdReadKeymapEx, 14, 112},
                                                {kCmdEnd, 0, 0}}));
    EXPECT_EQ(keyboard_.SlotCount(), n);
    EXPECT_EQ(channel_.DataLength(), n * 3);
    const KeySlotMap& map = keyboard_.SlotMap();
    const size_t blankSlot = FactorySlotOf(18);
    for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
        SCOPED_TRACE(j);
        const bool blank = kDefaultKeyLayout[j] == KeyAssignment{0x20, 0, 0};
        EXPECT_EQ(map.slotOf[j], blank ? blankSlot : FactorySlotOf(j));
        EXPECT_EQ(map.ledOf[j], j == 103 ? 100 : sim::KeyboardFactorySlotLed(map.slotOf[j]));
    }

    // A key-up for slot 12 releases the key on it; unmapped slots do nothing.
    const auto up = keyboard_.KeyEventFor(static_cast<uint16_t>(kNotifyKeyUp + 12));
    ASSERT_TRUE(up.has_value());
    EXPECT_EQ(map.slotOf[up->uiKey], 12);
    EXPECT_FALSE(up->pressed);
    const auto down = keyboard_.KeyEventFor(static_cast<uint16_t>(kNotifyKeyDown + FactorySlotOf(64)));
    ASSERT_TRUE(down.has_value());
    EXPECT_EQ(down->uiKey, 64u);
    EXPECT_TRUE(down->pressed);
    EXPECT_FALSE(keyboard_.KeyEventFor(static_cast<uint16_t>(kNotifyKeyDown + 150)).has_value());
    EXPECT_FALSE(keyboard_.KeyEventFor(kNotifySyncRequest).has_value());

    // Only key table 0 exists: another is refused, still bracketed.
    device_->Log().Clear();
    EXPECT_EQ(keyboard_.WriteKeyAssignments(1, DefaultKeyList()), kResultBadTableIndex);
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kCmdReadInfo, kCmdBegin, kCmdEnd}));
}

TEST_F(KeyboardProtocolTest, TooManySlotsStopsTheReadAndNoKeyBlockIsWritten) {
    const uint8_t slots[] = {171};  // 171 x 3 > 512
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kInfo, CKeyboardProtocol::kInfoSlotCount, slots));
    keyboard_.ReadConnection();
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdBegin, 0, 0}, {kCmdReadInfo, 34, 0}, {kCmdEnd, 0, 0}}));
    EXPECT_FALSE(keyboard_.HasSlotMap());
    EXPECT_EQ(keyboard_.SlotMap().slotOf[0], kNoSlot);

    // The key table was never sized for this keyboard: a zero block would
    // disable every key, so only the bracket goes out.
    device_->Log().Clear();
    const std::vector<uint8_t> before = device_->Memory(SimMemory::kKeyBlock);
    keyboard_.WriteKeyAssignments(0, DefaultKeyList());
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kCmdReadInfo, kCmdBegin, kCmdEnd}));
    EXPECT_EQ(device_->Memory(SimMemory::kKeyBlock), before);
}

TEST_F(KeyboardProtocolTest, FailedReadsAndAClosedChannelKeepTheMap) {
    Connect();
    const KeySlotMap before = keyboard_.SlotMap();
    for (uint8_t command : {kCmdReadInfo, kCmdReadKeymap, kCmdReadKeymapEx}) {
        device_->Faults().Arm(
            {.kind = sim::FaultKind::kStatus, .command = command, .chunk = 0, .status = 0xFF});
        EXPECT_EQ(keyboard_.ReadConnection(), kResultRejected) << int(command);
        EXPECT_EQ(keyboard_.SlotMap(), before) << int(command);
        EXPECT_EQ(channel_.DataLength(), sim::kKeyboardSlots * 3);
    }

    device_->Log().Clear();
    channel_.CloseHid();
    EXPECT_EQ(keyboard_.ReadConnection(), kResultNoReply);
    EXPECT_EQ(keyboard_.SlotMap(), before);
    // Only the commands that are not skipped try, and report the closed channel.
    EXPECT_EQ(keyboard_.WriteKeyAssignments(0, DefaultKeyList()), kResultNoReply);
    EXPECT_EQ(keyboard_.WriteMacros([](size_t, std::vector<uint8_t>& image) {
        image.assign(8, 1);
        return 0;
    }),
              0);
    EXPECT_TRUE(device_->Log().Received().empty());
}

TEST_F(KeyboardProtocolTest, RemappedProfileSurvivesReconnection) {
    std::vector<KeyAssignmentPair> list = DefaultKeyList();
    list[64].current.code = kDefaultKeyLayout[65];  // A sends S
    list[65].current.code = kDefaultKeyLayout[64];  // S sends A
    list[0].current.code = {0xD0, 0xA2, 0x01};      // Esc plays macro 1
    list[43].current.code = {0xA0, 0x00, 0x00};     // Q disabled
    list[66].current.code = kDefaultKeyLayout[67];  // D sends F, as F does
    Connect(list);
    const KeySlotMap first = keyboard_.SlotMap();
    keyboard_.WriteKeyAssignments(0, list);
    const std::vector<uint8_t> written = device_->Memory(SimMemory::kKeyBlock);
    ASSERT_EQ(written[FactorySlotOf(64) * 3 + 2], 0x16);

    // Reconnect: the same host, and a host that starts afresh (r88ctl, a new session).
    CHidCommandChannel otherChannel{bus_};
    ASSERT_TRUE(otherChannel.OpenHid(path_));
    CKeyboardProtocol fresh{otherChannel};
    for (CKeyboardProtocol* host : {&keyboard_, &fresh}) {
        ASSERT_EQ(host->ReadConnection(list), kResultOk);
        for (size_t j : {0, 43, 64, 65, 66, 67}) EXPECT_EQ(host->SlotMap().slotOf[j], first.slotOf[j]) << j;
        host->WriteKeyAssignments(0, list);
        const std::vector<uint8_t> again = device_->Memory(SimMemory::kKeyBlock);
        EXPECT_EQ(again, written);
        // Every key still has its slot, so none of their slots went to 00 00 00.
        for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
            const uint8_t s = host->SlotMap().slotOf[j];
            ASSERT_NE(s, kNoSlot) << j;
            EXPECT_NE(std::vector<uint8_t>(again.begin() + s * 3, again.begin() + s * 3 + 3),
                      std::vector<uint8_t>(3, 0))
                << j;
        }
    }
}

TEST_F(KeyboardProtocolTest, SettingsRecordReachesTheDataMemoryAndReadsBack) {
    const LightState light{.effect = 20,
                           .brightness = 2,
                           .speed = 0,
                           .direction = 1,
                           .multiColor = 0,
                           .red = 0x11,
                           .green = 0x22,
                           .blue = 0x33};
    const KeyboardSystemSettings system{{0, 1u | 3u << 16, 1u | 1u << 16}};
    EXPECT_EQ(keyboard_.WriteSettings(light, system), kResultOk);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdBegin, 0, 0}, {kCmdWriteData, 25, 0}, {kCmdEnd, 0, 0}}));
    EXPECT_EQ(MemoryAt(SimMemory::kData, 0, 25),
              (std::vector<uint8_t>{0, 0, 2, 4, 1, 0, 0x11, 0x22, 0x33, 0, 0, 0, 0,
                                    0, 0, 0, 0, 0, 0, 1,    1,    1,    3, 0, 0}));

    // The keyboard switches to its profile 1 and changes it there.
    const uint8_t record1[] = {9, 4, 1, 4, 0, 1, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0};
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kData, 25, record1));
    const uint8_t active[] = {1};
    ASSERT_TRUE(device_->Firmware().WriteMemory(SimMemory::kData, 0, active));
    device_->Log().Clear();
    LightState back = light;
    KeyboardSystemSettings backSystem = system;
    ASSERT_EQ(keyboard_.ReadSettings(back, backSystem), kResultOk);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdReadData, 1, 0}, {kCmdReadData, 25, 25}}));
    EXPECT_EQ(keyboard_.Record()[0], 1);
    EXPECT_EQ(back, (LightState{.effect = 4,
                                .brightness = 1,
                                .speed = 0,
                                .direction = 0,
                                .multiColor = 1,
                                .red = 1,
                                .green = 2,
                                .blue = 3}));
    EXPECT_EQ(PollingRate(backSystem), 3);  // byte 22 = 2 is not read back
    EXPECT_EQ(backSystem.words[2], 0u);

    // A read the keyboard does not answer changes nothing.
    device_->Faults().Arm(
        {.kind = sim::FaultKind::kStatus, .command = kCmdReadData, .chunk = 0, .status = 0xFF});
    LightState untouched = light;
    EXPECT_NE(keyboard_.ReadSettings(untouched, backSystem), kResultOk);
    EXPECT_EQ(untouched, light);
    EXPECT_EQ(keyboard_.Record()[0], 1);
}

TEST_F(KeyboardProtocolTest, LightMaskWholeAndOneByte) {
    Connect();
    EXPECT_EQ(keyboard_.SetAllKeyLights(true), kResultOk);
    EXPECT_EQ(device_->Memory(SimMemory::kLightMask), std::vector<uint8_t>(21, 0xFF));
    EXPECT_EQ(keyboard_.SetAllKeyLights(false), kResultOk);
    EXPECT_EQ(device_->Memory(SimMemory::kLightMask), std::vector<uint8_t>(21, 0x00));

    const auto& leds = keyboard_.SlotMap().ledOf;
    const size_t key47 = static_cast<size_t>(std::find(leds.begin(), leds.end(), 47) - leds.begin());
    ASSERT_LT(key47, kKeyboardUiKeys);
    device_->Log().Clear();
    EXPECT_EQ(keyboard_.ToggleKeyLight(key47, true), kResultOk);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{kCmdWriteLight, 1, 5}}));
    std::vector<uint8_t> expected(21, 0);
    expected[5] = 0x04;
    EXPECT_EQ(device_->Memory(SimMemory::kLightMask), expected);
    EXPECT_EQ(keyboard_.LightMask()[5], 0x04);
}

TEST_F(KeyboardProtocolTest, MacroImageGoesOutOnlyWhenItFits) {
    Connect();
    size_t capacity = 0;
    const std::vector<uint8_t> image = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(keyboard_.WriteMacros([&](size_t c, std::vector<uint8_t>& out) {
        capacity = c;
        out = image;
        return 0;
    }),
              0);
    EXPECT_EQ(capacity, device_->Memory(SimMemory::kMacro).size());
    EXPECT_EQ(Commands(), (std::vector<uint8_t>{kCmdReadInfo, kCmdBegin, kCmdWriteMacro, kCmdEnd}));
    EXPECT_EQ(MemoryAt(SimMemory::kMacro, 0, image.size()), image);

    for (int result : {-1, 7}) {
        device_->Log().Clear();
        EXPECT_EQ(keyboard_.WriteMacros([&](size_t, std::vector<uint8_t>& out) {
            out.assign(16, 0xEE);
            return result;
        }),
                  result);
        EXPECT_EQ(Commands(), (std::vector<uint8_t>{kCmdReadInfo, kCmdBegin, kCmdEnd}));
    }
    EXPECT_EQ(MemoryAt(SimMemory::kMacro, 0, image.size()), image);
}

// The writes of each occasion of the profile's life, in order.
struct SequenceCase {
    const char* name;
    int (*write)(CKeyboardProtocol&, const KeyboardProfileWrite&);
    std::vector<uint8_t> commands;
};

void PrintTo(const SequenceCase& c, std::ostream* os) {
    *os << c.name;
}

class KeyboardWriteSequenceTest : public KeyboardProtocolTest,
                                  public ::testing::WithParamInterface<SequenceCase> {};

constexpr uint8_t kKeys[] = {kCmdReadInfo, kCmdBegin, kCmdWriteKeymap, kCmdEnd};
constexpr uint8_t kMacros[] = {kCmdReadInfo, kCmdBegin, kCmdWriteMacro, kCmdEnd};
constexpr uint8_t kSettings[] = {kCmdBegin, kCmdWriteData, kCmdEnd};

std::vector<uint8_t> Join(std::initializer_list<std::span<const uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (auto p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST_P(KeyboardWriteSequenceTest, ReachesTheMemoriesInOrder) {
    Connect();
    KeyboardProfileWrite profile;
    profile.keyList = DefaultKeyList();
    profile.keyList[64].current.code = {0x20, 0x00, 0x99};
    profile.light = {.effect = 3, .brightness = 4, .speed = 2, .red = 0xAB};
    profile.macros = [](size_t, std::vector<uint8_t>& image) {
        image.assign(60, 0x5A);
        return 0;
    };
    const std::vector<uint8_t> macroBefore = device_->Memory(SimMemory::kMacro);
    EXPECT_EQ(GetParam().write(keyboard_, profile), 0);
    EXPECT_EQ(Commands(), GetParam().commands);

    const auto has = [&](uint8_t command) {
        const auto& c = GetParam().commands;
        return std::find(c.begin(), c.end(), command) != c.end();
    };
    if (has(kCmdWriteKeymap)) {
        EXPECT_EQ(MemoryAt(SimMemory::kKeyBlock, FactorySlotOf(64) * 3, 3),
                  (std::vector<uint8_t>{0x20, 0x00, 0x99}));
    }
    if (has(kCmdWriteData)) {
        EXPECT_EQ(MemoryAt(SimMemory::kData, 1, 3), (std::vector<uint8_t>{3, 4, 2}));
    }
    if (has(kCmdWriteMacro)) {
        EXPECT_EQ(MemoryAt(SimMemory::kMacro, 0, 60), std::vector<uint8_t>(60, 0x5A));
    } else {
        EXPECT_EQ(device_->Memory(SimMemory::kMacro), macroBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Occasions, KeyboardWriteSequenceTest,
    ::testing::Values(SequenceCase{"ProfileSelected", &WriteSelectedProfile,
                                   Join({kKeys, kMacros, kSettings})},
                      SequenceCase{"Reset", &WriteResetProfile, Join({kSettings, kMacros, kKeys})},
                      SequenceCase{"RestoreDefaults", &WriteRestoredDefaults, Join({kKeys, kSettings})},
                      SequenceCase{"KeyPanelSave", &WriteSavedKeys, Join({kMacros, kKeys})}),
    [](const ::testing::TestParamInfo<SequenceCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace r88
