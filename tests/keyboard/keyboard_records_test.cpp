// The keyboard's records as bytes: slot map, key block, settings record,
// light mask and notifications.
#include "keyboard/keyboard_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace r88 {
namespace {

constexpr KeyAssignment kBlank{0x20, 0x00, 0x00};
constexpr size_t kBlankKeys[] = {18, 19, 20, 62, 104};

bool IsBlank(size_t key) {
    return kDefaultKeyLayout[key] == kBlank;
}

// A keyboard's memories: slot s holds `codes[s]` and LED `leds[s]`.
struct Board {
    std::vector<uint8_t> block;
    std::vector<uint8_t> leds;
    size_t slots = 0;

    explicit Board(size_t n) : block(n * 3), leds(n), slots(n) {}
    void Put(size_t slot, KeyAssignment code) {
        block[slot * 3] = code.type;
        block[slot * 3 + 1] = code.param1;
        block[slot * 3 + 2] = code.param2;
    }
    KeyAssignment At(size_t slot) const {
        return {block[slot * 3], block[slot * 3 + 1], block[slot * 3 + 2]};
    }
};

// Every non-blank key's default code in slot order 0..125, the blanks' one
// code once, LED = slot; slots past the keys hold 00 00 00.
Board FactoryBoard() {
    Board b(kKeyboardUiKeys);
    for (size_t s = 0; s < kKeyboardUiKeys; ++s) {
        b.Put(s, IsBlank(s) ? KeyAssignment{} : kDefaultKeyLayout[s]);
        b.leds[s] = static_cast<uint8_t>(s);
    }
    b.Put(kBlankKeys[1], kBlank);  // the blanks' slot is 19
    return b;
}

std::vector<KeyAssignmentPair> KeyListOf(std::span<const KeyAssignment> current) {
    std::vector<KeyAssignmentPair> list(kKeyboardUiKeys);
    for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
        list[j].current = {static_cast<uint16_t>(j), current[j], 0};
        list[j].defaults = {static_cast<uint16_t>(j), kDefaultKeyLayout[j], 0};
    }
    return list;
}

// What the keyboard holds after a write: the block as sent, the LEDs unchanged.
Board Written(const Board& before, const KeySlotMap& map, std::span<const KeyAssignmentPair> list) {
    Board after = before;
    const auto block = EncodeKeyBlock(map, list);
    std::copy_n(block.begin(), after.block.size(), after.block.begin());
    return after;
}

TEST(KeySlotMapTest, ShuffledBlockMapsEveryKeyToItsCodesSlot) {
    // 130 slots, the codes shuffled; key 5 (F5) is on no slot, the blank code
    // sits at slots 40 and 90, and a few LED entries are out of the matrix.
    std::vector<size_t> order(kKeyboardUiKeys);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    Board b(130);
    for (size_t s = 0; s < 130; ++s) b.leds[s] = static_cast<uint8_t>((s * 7) % kKeyboardLedCount);
    std::vector<size_t> slotOfKey(kKeyboardUiKeys, kNoSlot);
    for (size_t s = 0; s < kKeyboardUiKeys; ++s) {
        const size_t key = order[s];
        if (IsBlank(key) || key == 5) continue;
        b.Put(s, kDefaultKeyLayout[key]);
        slotOfKey[key] = s;
    }
    // Free slots of the shuffle: 128 and 129 are past the keys.
    b.Put(128, kBlank);
    b.Put(129, kBlank);
    std::vector<size_t> free;
    for (size_t s = 0; s < kKeyboardUiKeys; ++s)
        if (b.At(s) == KeyAssignment{}) free.push_back(s);
    ASSERT_GE(free.size(), 2u);
    b.Put(free[1], kBlank);  // the first blank code slot
    b.leds[slotOfKey[103]] = 3;
    b.leds[slotOfKey[60]] = 126;  // past the matrix
    b.leds[slotOfKey[61]] = 255;

    const KeySlotMap map = BuildKeySlotMap(b.block, b.leds, b.slots);
    for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
        SCOPED_TRACE(j);
        if (j == 5) {
            EXPECT_EQ(map.slotOf[j], kNoSlot);
            EXPECT_EQ(map.ledOf[j], kNoLed);
        } else if (IsBlank(j)) {
            EXPECT_EQ(map.slotOf[j], free[1]);
        } else {
            EXPECT_EQ(map.slotOf[j], slotOfKey[j]);
        }
    }
    EXPECT_EQ(map.ledOf[103], kFixedLedIndex);
    EXPECT_EQ(map.ledOf[60], kNoLed);
    EXPECT_EQ(map.ledOf[61], kNoLed);
    EXPECT_EQ(map.ledOf[0], b.leds[slotOfKey[0]]);

    // The key block written: each key's code at its slot, nothing for key 5,
    // the blanks' shared slot carrying the highest blank key's code.
    auto list = KeyListOf(kDefaultKeyLayout);
    list[104].current.code = {0x20, 0x00, 0x04};
    const auto block = EncodeKeyBlock(map, list);
    EXPECT_EQ(block[slotOfKey[0] * 3 + 2], 0x29);
    EXPECT_EQ(block[free[1] * 3 + 2], 0x04);
    EXPECT_EQ(block[free[0] * 3 + 2], 0x00);
    EXPECT_TRUE(std::all_of(block.begin() + 130 * 3, block.end(), [](uint8_t v) { return v == 0; }));
}

TEST(KeySlotMapTest, FewSlotsGiveLedsOnlyToKeysBelowTheCountAndBadCountsAreCut) {
    Board b(40);
    for (size_t s = 0; s < 40; ++s) {
        b.Put(s, kDefaultKeyLayout[s + 30]);  // keys 30..69 on slots 0..39
        b.leds[s] = static_cast<uint8_t>(100 + s % 20);
    }
    KeySlotMap map = BuildKeySlotMap(b.block, b.leds, b.slots);
    EXPECT_EQ(map.slotOf[30], 0);
    EXPECT_EQ(map.ledOf[30], 100);  // key 30 < 40 slots
    EXPECT_EQ(map.slotOf[45], 15);
    EXPECT_EQ(map.ledOf[45], kNoLed);  // key 45 >= 40 slots
    EXPECT_EQ(map.slotOf[0], kNoSlot);

    // A slot count beyond the buffers only reaches the slots they hold; a
    // count beyond what a slot number can say is cut the same way.
    for (size_t count : {41u, 200u, 100000u}) {
        map = BuildKeySlotMap(b.block, std::span(b.leds).first(3), count);
        EXPECT_EQ(map.slotOf[69], 39);
        EXPECT_EQ(map.ledOf[31], 101);
        EXPECT_EQ(map.ledOf[35], kNoLed);  // slot 5: no LED entry was given
    }
}

TEST(KeySlotMapTest, NotificationSlotFindsTheLowestKeyOnIt) {
    const Board b = FactoryBoard();
    const KeySlotMap map = BuildKeySlotMap(b.block, b.leds, b.slots);
    EXPECT_EQ(map.KeyOnSlot(12), 12u);
    EXPECT_EQ(map.KeyOnSlot(19), 18u);  // the blanks share slot 19
    EXPECT_EQ(map.KeyOnSlot(18), std::nullopt);
    EXPECT_EQ(map.KeyOnSlot(200), std::nullopt);
}

// Profiles written to a keyboard and read back at the next connection: every
// key keeps its slot and no slot the keys use becomes 00 00 00.
struct RemapCase {
    const char* name;
    std::vector<std::pair<size_t, KeyAssignment>> changes;
    // Keys that only exchanged codes look the same on a factory block as on
    // the written one; the block last written is taken.
    bool factoryTellsApart = true;
};

void PrintTo(const RemapCase& c, std::ostream* os) {
    *os << c.name;
}

class KeySlotMapRemapTest : public ::testing::TestWithParam<RemapCase> {};

TEST_P(KeySlotMapRemapTest, RemappedKeysKeepTheirSlotsAcrossConnections) {
    const Board factory = FactoryBoard();
    const KeySlotMap first = BuildKeySlotMap(factory.block, factory.leds, factory.slots);
    std::vector<KeyAssignment> current(kDefaultKeyLayout.begin(), kDefaultKeyLayout.end());
    for (const auto& [key, code] : GetParam().changes) current[key] = code;
    const auto list = KeyListOf(current);
    const Board written = Written(factory, first, list);

    // A fresh host (no earlier map) and the same host (with it) both find the
    // slots again, and a second write leaves the keyboard as it was.
    const KeySlotMap fresh = BuildKeySlotMap(written.block, written.leds, written.slots, {current, nullptr});
    const KeySlotMap again = BuildKeySlotMap(written.block, written.leds, written.slots, {current, &first});
    for (const KeySlotMap* map : {&fresh, &again}) {
        for (const auto& [key, code] : GetParam().changes)
            EXPECT_EQ(map->slotOf[key], first.slotOf[key]) << key;
        EXPECT_EQ(Written(written, *map, list).block, written.block);
    }
    EXPECT_EQ(again, first);

    // A keyboard that still holds its factory block (a new one, or one
    // written from another profile) is read by the default codes.
    if (GetParam().factoryTellsApart) {
        EXPECT_EQ(BuildKeySlotMap(factory.block, factory.leds, factory.slots, {current, nullptr}), first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, KeySlotMapRemapTest,
    ::testing::Values(
        RemapCase{"NewCodes", {{0, {0x20, 0x00, 0x99}}, {64, {0xD0, 0xA2, 0x07}}}},
        RemapCase{"Disabled", {{43, {0xA0, 0x00, 0x00}}, {44, kBlank}}},
        RemapCase{"Swapped", {{64, kDefaultKeyLayout[65]}, {65, kDefaultKeyLayout[64]}}, false},
        // Key 64 sends key 66's code, which key 66 still sends too.
        RemapCase{"Duplicated", {{66 - 2, kDefaultKeyLayout[66]}}},
        RemapCase{"Chain", {{1, kDefaultKeyLayout[2]}, {2, kDefaultKeyLayout[3]}, {3, {0x20, 0, 0x77}}}}),
    [](const ::testing::TestParamInfo<RemapCase>& p) { return std::string(p.param.name); });

TEST(KeyboardSettingsRecordTest, EncodesTheProfileAndReadsBackWhatTheRecordCarries) {
    LightState light{.effect = 5,
                     .brightness = 3,
                     .speed = 0,
                     .direction = 1,
                     .multiColor = 1,
                     .red = 10,
                     .green = 20,
                     .blue = 30};
    // Repeat 7, RepeatDelay 2; Key6Flag 1, PollingRate 3; WFlag 1, WinFlag 0.
    const KeyboardSystemSettings system{{7u | 2u << 16, 1u | 3u << 16, 1u}};
    const KeyboardSettingsRecord r = EncodeKeyboardSettings(light, system);
    const KeyboardSettingsRecord expected = {0, 5, 3, 4, 1, 1, 10, 20, 30, 0, 0, 0, 0,
                                             0, 0, 0, 0, 0, 0, 1,  1,  0,  3, 0, 0};
    EXPECT_EQ(r, expected);

    struct EffectCase {
        uint8_t effect, byte;
    };
    for (const EffectCase c : {EffectCase{17, 17}, {18, 0}, {20, 0}, {27, 0}, {255, 0}}) {
        light.effect = c.effect;
        EXPECT_EQ(EncodeKeyboardSettings(light, system)[record_byte::kEffect], c.byte) << int(c.effect);
    }
    struct SpeedCase {
        uint8_t speed, byte;
    };
    for (const SpeedCase c : {SpeedCase{0, 4}, {1, 3}, {4, 0}, {9, 0}}) {
        light.speed = c.speed;
        EXPECT_EQ(EncodeKeyboardSettings(light, system)[record_byte::kSpeed], c.byte) << int(c.speed);
    }

    // Read back: byte 3 = 4 is Speed 0; byte 22 and the spare bytes change
    // nothing; Repeat, RepeatDelay and PollingRate keep their values.
    KeyboardSettingsRecord read = {2, 9, 1, 4, 0, 1, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 0, 0};
    LightState back;
    back.spare16 = 0x1234;
    KeyboardSystemSettings backSystem{{7u | 2u << 16, 1u | 1u << 16, 1u}};
    DecodeKeyboardSettings(read, back, backSystem);
    EXPECT_EQ(back, (LightState{.effect = 9,
                                .brightness = 1,
                                .speed = 0,
                                .direction = 0,
                                .multiColor = 1,
                                .red = 1,
                                .green = 2,
                                .blue = 3,
                                .spare16 = 0x1234}));
    EXPECT_EQ(backSystem, (KeyboardSystemSettings{{7u | 2u << 16, 0u | 1u << 16, 0u | 1u << 16}}));
    EXPECT_EQ(PollingRate(backSystem), 1);

    // A speed byte the keyboard never keeps does not wrap into a huge speed.
    read[record_byte::kSpeed] = 200;
    DecodeKeyboardSettings(read, back, backSystem);
    EXPECT_EQ(back.speed, 0);
}

TEST(KeyLightMaskTest, LedBitsAndOutOfMatrixLeds) {
    KeyLightMask mask{};
    EXPECT_EQ(SetKeyLightBit(mask, 47, true), 5u);
    EXPECT_EQ(mask[5], 0x04);
    EXPECT_EQ(SetKeyLightBit(mask, 5, true), 5u);  // row 0 of the same column
    EXPECT_EQ(mask[5], 0x05);
    EXPECT_EQ(SetKeyLightBit(mask, 125, true), 20u);
    EXPECT_EQ(mask[20], 0x20);
    EXPECT_EQ(SetKeyLightBit(mask, 47, false), 5u);
    EXPECT_EQ(mask[5], 0x01);
    const KeyLightMask before = mask;
    EXPECT_EQ(SetKeyLightBit(mask, 126, true), std::nullopt);
    EXPECT_EQ(SetKeyLightBit(mask, kNoLed, true), std::nullopt);
    EXPECT_EQ(mask, before);
}

TEST(KeyboardNotificationTest, CodesAndMacroMessages) {
    struct Case {
        uint16_t code;
        KeyboardNotice kind;
        uint8_t slot;
    };
    for (const Case c : {Case{0x0401, KeyboardNotice::kSyncRequest, 0},
                         {0x0403, KeyboardNotice::kNone, 0},
                         {0x0404, KeyboardNotice::kNone, 0},
                         {0x0500, KeyboardNotice::kKeyDown, 0},
                         {0x05FF, KeyboardNotice::kKeyDown, 255},
                         {0x060C, KeyboardNotice::kKeyUp, 12},
                         {0x0700, KeyboardNotice::kNone, 0}}) {
        const KeyboardNotification n = DecodeKeyboardNotification(c.code);
        EXPECT_EQ(n.kind, c.kind) << c.code;
        EXPECT_EQ(n.slot, c.slot) << c.code;
    }
    EXPECT_EQ(MacroResultMessageFor(0).textId, "");
    EXPECT_EQ(MacroResultMessageFor(-1).textId, "message_text_7");
    const MacroResultMessage excess = MacroResultMessageFor(12);
    EXPECT_EQ(excess.textId, "message_text_16");
    EXPECT_EQ(excess.count, 12);
}

}  // namespace
}  // namespace r88
