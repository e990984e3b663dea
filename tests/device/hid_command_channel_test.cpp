#include "device/hid_command_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <numeric>
#include <thread>

#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

using namespace std::chrono_literals;
using sim::Fault;
using sim::FaultKind;
using sim::SimMemory;
using Clock = std::chrono::steady_clock;

struct Sent {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
};

class CommandChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus_->Plug(keyboard_);
        for (const std::string& p : bus_->Paths())
            if (p.find("mi_01&col04") != std::string::npos) vendorPath_ = p;
        ASSERT_TRUE(channel_.OpenHid(vendorPath_));
        keyboard_->Log().Clear();
    }

    // The command packets the device received, in order.
    std::vector<Sent> SentPackets() const {
        std::vector<Sent> out;
        for (const sim::SimPacket& p : keyboard_->Log().Received()) {
            if (p.bytes.size() < kPacketPayload || p.bytes[0] != kCommandReportId) continue;
            out.push_back({p.bytes[kPacketCommand], p.bytes[kPacketLength],
                           static_cast<uint16_t>(p.bytes[kPacketOffset] | p.bytes[kPacketOffset + 1] << 8)});
        }
        return out;
    }

    static std::vector<uint8_t> Pattern(size_t n, uint8_t seed) {
        std::vector<uint8_t> v(n);
        std::iota(v.begin(), v.end(), seed);
        return v;
    }

    std::shared_ptr<sim::SimHidBus> bus_ = std::make_shared<sim::SimHidBus>();
    std::shared_ptr<sim::EmulatedDevice> keyboard_ = sim::MakeEmulatedKeyboard();
    std::string vendorPath_;
    CHidCommandChannel channel_{bus_};
};

TEST_F(CommandChannelTest, BeginSendsASealedPacketAndTracesRequestAndReply) {
    TraceCapture trace;
    EXPECT_EQ(channel_.CMD_BEGIN(), kResultOk);
    const std::vector<sim::SimPacket> received = keyboard_->Log().Received();
    ASSERT_EQ(received.size(), 1u);
    std::vector<uint8_t> expected(kCommandPacketSize, 0);
    expected[0] = 0x04;
    expected[1] = 0x01;  // the sum of bytes 3..63; bytes 0..2 are not summed
    expected[3] = 0x01;
    EXPECT_EQ(received[0].bytes, expected);
    EXPECT_TRUE(keyboard_->Firmware().InSession());

    const std::string zeros =
        "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n";
    EXPECT_EQ(trace.Text(),
              "命令\n"
              "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n" +
                  zeros +
                  "返回\n"
                  "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00\n" +
                  zeros);
}

// How blocks are cut into chunks of 56, and that the bytes arrive where they belong.
TEST_F(CommandChannelTest, BlocksGoInChunksOf56WithTheirOffsets) {
    struct Case {
        const char* name;
        size_t length;
        uint16_t start;
        std::vector<Sent> expected;
    };
    const Case cases[] = {
        {"exactly one chunk", 56, 0, {{kCmdWriteData, 56, 0}}},
        {"one byte more", 57, 0, {{kCmdWriteData, 56, 0}, {kCmdWriteData, 1, 56}}},
        {"from a start offset", 120, 0x40, {{kCmdWriteData, 56, 0x40}, {kCmdWriteData, 56, 0x78}, {kCmdWriteData, 8, 0xB0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboard_->Log().Clear();
        const std::vector<uint8_t> block = Pattern(c.length, static_cast<uint8_t>(c.length));
        ASSERT_EQ(channel_.CMD_WRITE_DATA(block, c.start), kResultOk);
        const std::vector<Sent> sent = SentPackets();
        ASSERT_EQ(sent.size(), c.expected.size());
        for (size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i].command, c.expected[i].command);
            EXPECT_EQ(sent[i].length, c.expected[i].length);
            EXPECT_EQ(sent[i].offset, c.expected[i].offset);
        }
        const std::vector<uint8_t> memory = keyboard_->Memory(SimMemory::kData);
        EXPECT_TRUE(std::equal(block.begin(), block.end(), memory.begin() + c.start));

        std::vector<uint8_t> back(c.length, 0xEE);
        ASSERT_EQ(channel_.CMD_READ_DATA(back, c.start), kResultOk);
        EXPECT_EQ(back, block);
    }
}

TEST_F(CommandChannelTest, KeyTableCommandsFollowTheDataLength) {
    EXPECT_FALSE(channel_.SetDataLength(513));
    EXPECT_EQ(channel_.DataLength(), 512);
    ASSERT_TRUE(channel_.SetDataLength(378));  // 126 keys x 3

    std::vector<uint8_t> ledIndex(126, 0xEE);
    ASSERT_EQ(channel_.CMD_READ_KEYMAP_EX(ledIndex), kResultOk);
    const std::vector<Sent> sent = SentPackets();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].length, 56);
    EXPECT_EQ(sent[1].offset, 56);
    EXPECT_EQ(sent[2].length, 14);
    EXPECT_EQ(sent[2].offset, 112);
    const std::vector<uint8_t> memory = keyboard_->Memory(SimMemory::kLedIndex);
    EXPECT_TRUE(std::equal(ledIndex.begin(), ledIndex.end(), memory.begin()));

    const std::vector<uint8_t> keys = Pattern(378, 3);
    ASSERT_EQ(channel_.CMD_WRITE_KEYMAP(keys, 0), kResultOk);
    std::vector<uint8_t> back(378);
    ASSERT_EQ(channel_.CMD_READ_KEYMAP(back), kResultOk);
    EXPECT_EQ(back, keys);

    // A buffer shorter than the table is refused before anything is sent, and
    // a table index other than 0 is an error of its own.
    keyboard_->Log().Clear();
    std::vector<uint8_t> small(100);
    EXPECT_EQ(channel_.CMD_READ_KEYMAP(small), kResultNoReply);
    EXPECT_EQ(channel_.CMD_READ_KEYMAP_EX(std::span(small).first(10)), kResultNoReply);
    EXPECT_EQ(channel_.CMD_WRITE_KEYMAP(keys, 1), kResultBadTableIndex);
    EXPECT_TRUE(SentPackets().empty());
}

// Faults of the device, and what the command makes of them.
TEST_F(CommandChannelTest, FaultsEndTheCommandAtTheirChunk) {
    struct Case {
        const char* name;
        Fault fault;
        int result;
        size_t packetsSent;
        size_t bytesWritten;  // of the 120-byte block, counted from the start
    };
    const Case cases[] = {
        {"status 0xFE in chunk 2", {.kind = FaultKind::kStatus, .command = kCmdWriteData, .chunk = 1, .status = 0xFE},
         kResultOutOfRange, 2, 56},
        {"status 0xFF in chunk 1", {.kind = FaultKind::kStatus, .command = kCmdWriteData, .chunk = 0, .status = 0xFF},
         kResultRejected, 1, 0},
        {"a stray reply before the right one", {.kind = FaultKind::kStrayReplyFirst, .command = kCmdWriteData, .chunk = 1},
         kResultOk, 3, 120},
        {"unplugged in chunk 2", {.kind = FaultKind::kUnplug, .command = kCmdWriteData, .chunk = 1},
         kResultWriteFailed, 2, 56},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboard_ = sim::MakeEmulatedKeyboard();
        bus_->UnplugAll();
        bus_->Plug(keyboard_);
        for (const std::string& p : bus_->Paths())
            if (p.find("mi_01&col04") != std::string::npos) vendorPath_ = p;
        ASSERT_TRUE(channel_.OpenHid(vendorPath_));
        const std::vector<uint8_t> before = keyboard_->Memory(SimMemory::kData);
        keyboard_->Faults().Arm(c.fault);

        const std::vector<uint8_t> block = Pattern(120, 0x80);
        EXPECT_EQ(channel_.CMD_WRITE_DATA(block, 0), c.result);
        EXPECT_EQ(SentPackets().size(), c.packetsSent);
        const std::vector<uint8_t> memory = keyboard_->Memory(SimMemory::kData);
        EXPECT_TRUE(std::equal(block.begin(), block.begin() + static_cast<ptrdiff_t>(c.bytesWritten), memory.begin()));
        EXPECT_TRUE(std::equal(memory.begin() + static_cast<ptrdiff_t>(c.bytesWritten), memory.begin() + 120,
                               before.begin() + static_cast<ptrdiff_t>(c.bytesWritten)));
    }
}

TEST_F(CommandChannelTest, TwoMismatchingRepliesAreHandedOnButNotTakenForSuccess) {
    // The stray reply first, then the right reply with a wrong echo: both reads
    // complete, neither matches.
    keyboard_->Faults().Arm({.kind = FaultKind::kStrayReplyFirst, .command = kCmdReadInfo});
    keyboard_->Faults().Arm({.kind = FaultKind::kWrongEcho, .command = kCmdReadInfo});
    std::array<uint8_t, 64> request{kCommandReportId, 0, 0, kCmdReadInfo, kInfoBlockSize};
    SealCommandPacket(request);
    std::array<uint8_t, 64> reply{};
    size_t got = 0;
    EXPECT_EQ(channel_.Exchange(request, reply, &got), kResultOk);
    EXPECT_EQ(got, 64u);
    EXPECT_NE(reply[kPacketCommand], kCmdReadInfo);

    // Through the command function the foreign reply's data is not used.
    keyboard_->Faults().Arm({.kind = FaultKind::kStrayReplyFirst, .command = kCmdReadInfo});
    keyboard_->Faults().Arm({.kind = FaultKind::kWrongEcho, .command = kCmdReadInfo});
    std::array<uint8_t, kInfoBlockSize> info;
    info.fill(0xEE);
    EXPECT_EQ(channel_.CMD_READ_INFO(info), kResultNoReply);
    EXPECT_EQ(info[0], 0xEE);

    ASSERT_EQ(channel_.CMD_READ_INFO(info), kResultOk);
    const std::vector<uint8_t> block = keyboard_->Memory(SimMemory::kInfo);
    EXPECT_TRUE(std::equal(info.begin(), info.end(), block.begin()));
}

TEST_F(CommandChannelTest, AReplyShorterThanAskedIsNotUsed) {
    // The device's own reply never comes; a cut-off one with the right echo is waiting instead.
    keyboard_->Faults().Arm({.kind = FaultKind::kNoReply, .command = kCmdReadData});
    const uint8_t cut[] = {kCommandReportId, 0, 0, kCmdReadData, 56, 0, 0, 0x00, 0x11, 0x22};
    ASSERT_TRUE(keyboard_->SendInputReport(keyboard_->CommandInterface(), cut));
    std::vector<uint8_t> buffer(56, 0xEE);
    EXPECT_EQ(channel_.CMD_READ_DATA(buffer, 0), kResultNoReply);
    EXPECT_EQ(buffer, std::vector<uint8_t>(56, 0xEE));
}

TEST_F(CommandChannelTest, ClosedChannelRefusesEveryCommandSilently) {
    channel_.CloseHid();
    TraceCapture trace;
    std::vector<uint8_t> buffer(60);
    std::array<uint8_t, kInfoBlockSize> info{};
    EXPECT_EQ(channel_.CMD_BEGIN(), kResultNoReply);
    EXPECT_EQ(channel_.CMD_READ_INFO(info), kResultNoReply);
    EXPECT_EQ(channel_.CMD_READ_DATA(buffer, 0), kResultNoReply);
    EXPECT_EQ(channel_.CMD_WRITE_MACRO(buffer), kResultNoReply);
    EXPECT_EQ(channel_.CMD_STREAM_LIGHT(buffer), kResultNoReply);
    EXPECT_FALSE(channel_.CMD_QUERY_LINK());
    EXPECT_TRUE(SentPackets().empty());
    EXPECT_EQ(trace.Text(), "");
}

TEST_F(CommandChannelTest, AWriteThatTimesOutGivesMinusOneAndReadsNothing) {
    keyboard_->Faults().Arm({.kind = FaultKind::kStallWrite, .command = kCmdBegin});
    TraceCapture trace;
    const auto start = Clock::now();
    EXPECT_EQ(channel_.CMD_BEGIN(), kResultWriteFailed);
    EXPECT_GE(Clock::now() - start, 900ms);
    EXPECT_TRUE(trace.Contains("命令"));
    EXPECT_FALSE(trace.Contains("返回"));
}

// The device takes the request and never answers: both reads of the exchange
// wait out their time-out, and the command gives 0 with its output untouched.
TEST_F(CommandChannelTest, AReplyThatNeverComesGivesZero) {
    keyboard_->Faults().Arm({.kind = FaultKind::kNoReply, .command = kCmdReadInfo});
    std::array<uint8_t, kInfoBlockSize> info;
    info.fill(0xEE);
    const auto start = Clock::now();
    EXPECT_EQ(channel_.CMD_READ_INFO(info), kResultNoReply);
    EXPECT_GE(Clock::now() - start, 2 * std::chrono::milliseconds(kCommandTimeoutMs) - 100ms);
    EXPECT_EQ(info[0], 0xEE);
    EXPECT_EQ(channel_.CMD_BEGIN(), kResultOk);  // the next command is not confused by it
}

// A mouse on its receiver answers slowly: its channel waits 5000 ms, not 1000.
TEST_F(CommandChannelTest, TheSlowChannelWaitsFiveSeconds) {
    channel_.SetSlow(true);
    keyboard_->Faults().Arm({.kind = FaultKind::kStallWrite, .command = kCmdBegin});
    const auto start = Clock::now();
    EXPECT_EQ(channel_.CMD_BEGIN(), kResultWriteFailed);
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(kSlowCommandTimeoutMs) - 100ms);
    EXPECT_LT(took, std::chrono::milliseconds(kSlowCommandTimeoutMs) + 2000ms);
}

TEST_F(CommandChannelTest, EndWaitsBeforeItsPacket) {
    const auto start = Clock::now();
    EXPECT_EQ(channel_.CMD_END(), kResultOk);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kEndCommandDelayMs));
}

TEST_F(CommandChannelTest, LightNeverWaitsBehindACommand) {
    // A command whose reply is late keeps the channel busy.
    keyboard_->Faults().Arm({.kind = FaultKind::kLateReply, .command = kCmdBegin, .delayMs = 300});
    std::thread command([&] { EXPECT_EQ(channel_.CMD_BEGIN(), kResultOk); });
    while (!channel_.IsBusy()) std::this_thread::sleep_for(1ms);
    {
        TraceCapture trace;
        const std::vector<uint8_t> light(60, 0x7F);
        EXPECT_EQ(channel_.CMD_WRITE_LIGHT(light), kResultOk);
        EXPECT_EQ(channel_.CMD_STREAM_LIGHT(light), kResultOk);
        EXPECT_TRUE(channel_.IsBusy());  // answered before the command ended
        const std::string text = trace.Text();
        size_t drops = 0;
        for (size_t at = text.find(kTraceLightDropped); at != std::string::npos;
             at = text.find(kTraceLightDropped, at + 1))
            ++drops;
        EXPECT_EQ(drops, 4u);  // two chunks each
    }
    command.join();
    for (const Sent& s : SentPackets()) EXPECT_EQ(s.command, kCmdBegin);

    // On a slow channel light data is dropped without a word.
    channel_.SetSlow(true);
    TraceCapture trace;
    const std::vector<uint8_t> frame(45, 0x10);
    EXPECT_EQ(channel_.CMD_STREAM_LIGHT(frame), kResultOk);
    EXPECT_EQ(trace.Text(), "");
    channel_.SetSlow(false);
    EXPECT_EQ(channel_.CMD_STREAM_LIGHT(frame), kResultOk);
    EXPECT_EQ(keyboard_->Firmware().StreamedChunks(), 1u);
}

TEST_F(CommandChannelTest, CommandsFromSeveralThreadsStayPaired) {
    const std::vector<uint8_t> block = Pattern(200, 1);
    ASSERT_EQ(channel_.CMD_WRITE_DATA(block, 0), kResultOk);
    std::atomic<int> failures{0};
    auto reader = [&] {
        for (int i = 0; i < 20; ++i) {
            std::vector<uint8_t> back(200);
            if (channel_.CMD_READ_DATA(back, 0) != kResultOk || back != block) ++failures;
        }
    };
    std::atomic<bool> done{false};
    std::thread a(reader), b(reader);
    std::thread light([&] {
        const std::vector<uint8_t> mask(21, 0x01);
        while (!done) channel_.CMD_WRITE_LIGHT(mask);
    });
    a.join();
    b.join();
    done = true;
    light.join();
    EXPECT_EQ(failures, 0);
}

TEST_F(CommandChannelTest, QueryLinkNeedsTheLinkByte) {
    EXPECT_TRUE(channel_.CMD_QUERY_LINK());
    keyboard_->Firmware().SetLinkUp(false);
    EXPECT_FALSE(channel_.CMD_QUERY_LINK());
    std::array<uint8_t, 5> status{};
    EXPECT_EQ(channel_.CMD_READ_DATA_AT(status, 0), kResultOk);
    std::vector<uint8_t> tooLong(57);
    EXPECT_EQ(channel_.CMD_READ_DATA_AT(tooLong, 0), kResultNoReply);
}

}  // namespace
}  // namespace r88
