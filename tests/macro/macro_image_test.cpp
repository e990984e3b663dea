#include "macro/macro_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "macro/macro_records.h"
#include "platform/trace.h"

namespace r88 {
namespace {

using Bytes = std::vector<std::uint8_t>;

MacroEvent Key(const char* action, int usage, std::int64_t delay) {
    return {action, kMacroTypeKey, usage, delay};
}

TEST(MacroRecords, EncodesDelayTypeWithDownBitAndButton) {
    struct Case {
        MacroEvent event;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {Key("down", 0x04, 300), {0x2C, 0x01, 0x8A, 0x04}},
        {Key("up", 0x04, 0), {0x00, 0x00, 0x0A, 0x04}},
        {Key("down", 0x04, 70000), {0x70, 0x11, 0x8A, 0x04}},  // 70000 - 65536 = 4464
        {{"down", kMacroTypeMouseButton, 0x02, 65535}, {0xFF, 0xFF, 0x81, 0x02}},
        {{"Down", kMacroTypeMoveY, 300, 1}, {0x01, 0x00, 0x05, 0x2C}},  // only "down" sets bit 7
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeMacroEvent(c.event), c.bytes) << c.event.delay;
}

TEST(MacroRecords, ReadsDelaysAsStoredAndLeavesOutWhatCannotBePlayed) {
    Json::Reader reader;
    Json::Value file;
    ASSERT_TRUE(reader.parse(R"({"Events": [
        {"Action": "down", "Type": 10, "Button": 4, "Delay": "300"},
        {"Action": "up", "Type": 10, "Button": 4, "Delay": 70000},
        {"Action": "down", "Type": 9, "Button": 2, "Delay": "abc"},
        {"Action": "up", "Type": 9, "Button": 2, "Delay": "12ms"},
        {"Action": "down", "Type": 1, "Button": 1, "Delay": ""},
        {"Action": "up", "Type": 1, "Button": 1},
        7,
        {"Action": "down", "Type": 5, "Button": 20, "Delay": "-5"}
    ]})",
                             file));
    TraceCapture trace;
    const std::vector<MacroEvent> events = ReadMacroEvents(file);
    const std::vector<MacroEvent> expected = {
        Key("down", 4, 300), Key("up", 4, 70000), {"up", 1, 1, 0}, {"down", 5, 20, -5}};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(trace.Contains("event 2 has no decimal \"Delay\""));
    EXPECT_TRUE(trace.Contains("event 6 is not an event"));

    // What the editor shows and saves.
    EXPECT_EQ(ShownDelay(70000), 65535);
    EXPECT_EQ(ShownDelay(65534), 65534);
    EXPECT_EQ(ShownDelay(-5), 0);
    EXPECT_EQ(MacroEventToJson(Key("up", 4, 70000))["Delay"].asString(), "65535");
}

TEST(MacroImage, LaysOutHeaderOffsetsAndBlocks) {
    const std::vector<std::vector<MacroEvent>> macros = {
        {Key("down", 0x04, 300), Key("up", 0x04, 0), Key("down", 0x05, 70000)}, {}};
    const MacroImage image = BuildMacroImage(macros, 256);
    ASSERT_EQ(image.result, 0);
    // clang-format off
    const Bytes expected = {
        0xAA, 0x55, 40, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header, L = 40, n = 2
        20, 0, 36, 0,                                           // block offsets
        3, 0, 0, 0,                                             // block 1: 3 events
        0x2C, 0x01, 0x8A, 0x04, 0x00, 0x00, 0x0A, 0x04, 0x70, 0x11, 0x8A, 0x05,
        0, 0, 0, 0,                                             // block 2: no events
    };
    // clang-format on
    EXPECT_EQ(image.bytes, expected);
}

TEST(MacroImage, RefusesWhatDoesNotFitWithTheExcessInEvents) {
    const struct {
        std::size_t events1, events2, capacity;
        int result;
        std::size_t length;
    } table[] = {
        {40, 28, 256, 12, 0},            // L = 300: (300 - 256) / 4 + 1
        {20, 37, 256, 0, 256},           // exactly full
        {0, 0, 27, 1, 0},                // 28 bytes against 27
        {16376, 0, 1u << 20, 0, 65532},  // the largest image a 16-bit length holds
        {16377, 0, 1u << 20, 1, 0},      // a capacity above 65535 counts as 65535
    };
    for (const auto& c : table) {
        const std::vector<std::vector<MacroEvent>> macros = {std::vector<MacroEvent>(c.events1),
                                                             std::vector<MacroEvent>(c.events2)};
        const MacroImage image = BuildMacroImage(macros, c.capacity);
        EXPECT_EQ(image.result, c.result) << c.events1 << "+" << c.events2;
        EXPECT_EQ(image.bytes.size(), c.length) << c.events1 << "+" << c.events2;
    }
}

TEST(MacroImage, NoMacrosGiveNothingToSend) {
    const MacroImage image = BuildMacroImage({}, 256);
    EXPECT_EQ(image.result, 0);
    EXPECT_TRUE(image.bytes.empty());
}

}  // namespace
}  // namespace r88
