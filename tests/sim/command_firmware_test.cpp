#include "sim/command_firmware.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/factory_memories.h"

namespace r88::sim {
namespace {

using Bytes = std::vector<uint8_t>;

CommandPacket Request(uint8_t command, uint8_t length = 0, uint16_t offset = 0, Bytes payload = {}) {
    CommandPacket p{};
    p[kPacketReportId] = kCommandReportId;
    p[kPacketCommand] = command;
    p[kPacketLength] = length;
    p[kPacketOffset] = static_cast<uint8_t>(offset & 0xFF);
    p[kPacketOffset + 1] = static_cast<uint8_t>(offset >> 8);
    std::copy(payload.begin(), payload.end(), p.begin() + kPacketPayload);
    SealCommandPacket(p);
    return p;
}

Bytes Payload(const CommandPacket& reply, size_t n) {
    return {reply.begin() + kPacketPayload, reply.begin() + static_cast<std::ptrdiff_t>(kPacketPayload + n)};
}

// One request per command of the shared set against factory devices: the reply
// echoes command, length and offset, carries the status and the read bytes.
TEST(CommandFirmware, AnswersEveryCommandWithEchoStatusAndData) {
    struct Case {
        const char* name;
        DeviceMemories (*factory)();
        CommandPacket request;
        uint8_t status;
        Bytes payload;  // expected leading payload bytes of the reply
    };
    const Bytes mask(21, 0x0F);
    const Case cases[] = {
        {"begin", KeyboardFactoryMemories, Request(kCmdBegin), 0x00, {}},
        {"end", KeyboardFactoryMemories, Request(kCmdEnd), 0x00, {}},
        {"info: 126 key slots, macro 32 x 128",
         KeyboardFactoryMemories,
         Request(kCmdReadInfo, 34),
         0x00,
         {0x01, 0x00, 0x01, 0x01, 0x07, 126, 0x20}},
        {"settings record 0",
         KeyboardFactoryMemories,
         Request(kCmdReadData, 9),
         0x00,
         {0, 1, 4, 2, 0, 1, 0xFF, 0x00, 0x00}},
        {"settings write", KeyboardFactoryMemories, Request(kCmdWriteData, 2, 25, {7, 8}), 0x00, {}},
        {"key block column by column: Esc, `, Tab",
         KeyboardFactoryMemories,
         Request(kCmdReadKeymap, 9),
         0x00,
         {0x20, 0x00, 0x29, 0x20, 0x00, 0x35, 0x20, 0x00, 0x2B}},
        {"key block of table 1 does not exist",
         KeyboardFactoryMemories,
         Request(kCmdWriteKeymap, 3, 512, {1, 2, 3}),
         0xFE,
         {}},
        {"LED index table",
         KeyboardFactoryMemories,
         Request(kCmdReadKeymapEx, 7, 0),
         0x00,
         {0, 21, 42, 63, 84, 105, 1}},
        {"light mask", KeyboardFactoryMemories, Request(kCmdWriteLight, 21, 0, mask), 0x00, {}},
        {"light mask past its end",
         KeyboardFactoryMemories,
         Request(kCmdWriteLight, 2, 20, {1, 2}),
         0xFE,
         {}},
        {"light stream", MousePadFactoryMemories, Request(kCmdStreamLight, 45, 0, Bytes(45, 0x80)), 0x00, {}},
        {"macro past the capacity",
         KeyboardFactoryMemories,
         Request(kCmdWriteMacro, 56, 4090, Bytes(56, 1)),
         0xFE,
         {}},
        {"macro", KeyboardFactoryMemories, Request(kCmdWriteMacro, 4, 0, {1, 2, 3, 4}), 0x00, {}},
        {"mouse power record",
         MouseFactoryMemories,
         Request(kCmdReadDataAt, 6, 0),
         0x00,
         {85, 2, 0, 0, 1, 0}},
        {"mouse info: DPI step and range",
         MouseFactoryMemories,
         Request(kCmdReadInfo, 34),
         0x00,
         {0x01, 0x00, 0x02, 0x01, 0x07, 12, 0x10, 0, 0, 0, 0, 50, 0x07, 0x02, 50, 0}},
        {"link", MouseFactoryMemories, Request(kCmdQueryLink), 0x00, {kLinkUp}},
        {"unknown command", KeyboardFactoryMemories, Request(0x42, 1), 0xFF, {}},
        {"length 0", KeyboardFactoryMemories, Request(kCmdReadData, 0), 0xFF, {}},
        {"length 57", KeyboardFactoryMemories, Request(kCmdReadData, 57), 0xFF, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandFirmware firmware(c.factory());
        const CommandOutcome out = firmware.Handle(c.request);
        ASSERT_EQ(out.replies.size(), 1u);
        const CommandPacket& reply = out.replies[0];
        EXPECT_EQ(reply[kPacketReportId], kCommandReportId);
        EXPECT_EQ(reply[kPacketCommand], c.request[kPacketCommand]);
        EXPECT_EQ(reply[kPacketLength], c.request[kPacketLength]);
        EXPECT_EQ(reply[kPacketOffset], c.request[kPacketOffset]);
        EXPECT_EQ(reply[kPacketOffset + 1], c.request[kPacketOffset + 1]);
        EXPECT_EQ(reply[kPacketStatus], c.status);
        EXPECT_EQ(Payload(reply, c.payload.size()), c.payload);
        EXPECT_EQ(CommandChecksum(reply), reply[1] | reply[2] << 8);
    }
}

TEST(CommandFirmware, WritesLandInTheirMemoryAndABadChecksumIsRejected) {
    CommandFirmware firmware(KeyboardFactoryMemories());
    firmware.Handle(Request(kCmdWriteData, 2, 25, {7, 8}));
    EXPECT_EQ(firmware.Memory(SimMemory::kData)[25], 7);
    EXPECT_EQ(firmware.Memory(SimMemory::kData)[26], 8);
    firmware.Handle(Request(kCmdWriteKeymap, 3, 3, {0xD0, 0xA2, 0x01}));
    EXPECT_EQ(firmware.Memory(SimMemory::kKeyBlock)[3], 0xD0);

    CommandPacket corrupt = Request(kCmdWriteData, 1, 0, {9});
    corrupt[1] ^= 0x01;
    EXPECT_EQ(firmware.Handle(corrupt).replies[0][kPacketStatus], kStatusRejected);
    EXPECT_EQ(firmware.Memory(SimMemory::kData)[0], 0);

    EXPECT_FALSE(firmware.InSession());
    firmware.Handle(Request(kCmdBegin));
    EXPECT_TRUE(firmware.InSession());
    firmware.SetLinkUp(false);
    EXPECT_EQ(firmware.Handle(Request(kCmdQueryLink)).replies[0][kPacketPayload], 0x00);
}

TEST(CommandFirmware, FaultsFireOnTheirChunkAndAreThenSpent) {
    CommandFirmware firmware(KeyboardFactoryMemories());
    // Status 0xFE on the second chunk of a write: the first chunk is written, the second not.
    firmware.Faults().Arm({.kind = FaultKind::kStatus, .command = kCmdWriteData, .chunk = 1, .status = 0xFE});
    EXPECT_EQ(firmware.Handle(Request(kCmdBegin)).replies[0][kPacketStatus],
              0x00);  // other commands not counted
    EXPECT_EQ(firmware.Handle(Request(kCmdWriteData, 1, 200, {0x11})).replies[0][kPacketStatus], 0x00);
    EXPECT_EQ(firmware.Handle(Request(kCmdWriteData, 1, 201, {0x22})).replies[0][kPacketStatus], 0xFE);
    EXPECT_EQ(firmware.Memory(SimMemory::kData)[200], 0x11);
    EXPECT_EQ(firmware.Memory(SimMemory::kData)[201], 0x00);
    EXPECT_EQ(firmware.Faults().Armed(), 0u);
    EXPECT_EQ(firmware.Handle(Request(kCmdWriteData, 1, 201, {0x22})).replies[0][kPacketStatus], 0x00);

    firmware.Faults().Arm({.kind = FaultKind::kNoReply, .times = 2});
    EXPECT_TRUE(firmware.Handle(Request(kCmdBegin)).replies.empty());
    EXPECT_TRUE(firmware.Handle(Request(kCmdEnd)).replies.empty());
    EXPECT_EQ(firmware.Handle(Request(kCmdEnd)).replies.size(), 1u);

    firmware.Faults().Arm({.kind = FaultKind::kWrongEcho});
    EXPECT_NE(firmware.Handle(Request(kCmdEnd)).replies[0][kPacketCommand], kCmdEnd);

    firmware.Faults().Arm({.kind = FaultKind::kStrayReplyFirst});
    CommandOutcome two = firmware.Handle(Request(kCmdReadInfo, 34));
    ASSERT_EQ(two.replies.size(), 2u);
    EXPECT_NE(two.replies[0][kPacketCommand], kCmdReadInfo);
    EXPECT_EQ(two.replies[1][kPacketCommand], kCmdReadInfo);

    firmware.Faults().Arm({.kind = FaultKind::kBadChecksum});
    const CommandPacket bad = firmware.Handle(Request(kCmdEnd)).replies[0];
    EXPECT_NE(CommandChecksum(bad), bad[1] | bad[2] << 8);

    firmware.Faults().Arm({.kind = FaultKind::kLateReply, .delayMs = 250});
    EXPECT_EQ(firmware.Handle(Request(kCmdEnd)).delayMs, 250u);

    firmware.Faults().Arm({.kind = FaultKind::kStallWrite, .command = kCmdEnd});
    EXPECT_TRUE(firmware.Faults().StallsPacket(kCmdEnd));
    EXPECT_FALSE(firmware.Faults().StallsPacket(kCmdEnd));

    firmware.Faults().Arm({.kind = FaultKind::kUnplug, .command = kCmdWriteKeymap, .chunk = 2});
    for (int chunk = 0; chunk < 2; ++chunk) EXPECT_FALSE(firmware.Handle(Request(kCmdWriteKeymap, 1)).unplug);
    const CommandOutcome gone = firmware.Handle(Request(kCmdWriteKeymap, 1));
    EXPECT_TRUE(gone.unplug);
    EXPECT_TRUE(gone.replies.empty());
}

}  // namespace
}  // namespace r88::sim
