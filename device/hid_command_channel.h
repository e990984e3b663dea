#pragma once
// The command channel of one device: one CHidDevice on the vendor collection
// (or, for the headset, its single interface), the locks that serialise it,
// and the shared command set. Every command is a 64-byte output report 4
// (device/hid_command_set.h) answered by a 64-byte input report that echoes
// the command id; blocks longer than 56 bytes go in chunks.
//
// Who uses it:
//  - the device manager (UI thread) opens and closes it as the interface comes
//    and goes: OpenHid / CloseHid, and SetSlow for a mouse on its receiver;
//  - the device kinds' protocol code calls the CMD_* functions (UI thread,
//    r88ctl, tests); the 5 ms light timer calls CMD_STREAM_LIGHT;
//  - the synchronised-lighting thread reads and sets SyncLighting.
// Every member function is safe to call from any thread.
//
// Locks: commandLock around one whole command packet, streamLock around one
// light-stream packet, ioLock around every single write, every read sequence
// and opening and closing the interface. commandLock or streamLock is always
// taken first, then ioLock; ioLock is never held while taking another lock.
//
// Trace: every Exchange writes "命令" and the request, then "返回" and the
// reply, each packet as two lines of 32 bytes (FormatPacketLine).
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "device/hid_command_set.h"
#include "device/hid_device.h"
#include "platform/hid_backend.h"

namespace r88 {

// Results of Exchange and of the command functions.
enum CommandResult : int {
    kResultOk = 1,
    kResultNoReply = 0,         // channel not open, or no matching reply in time
    kResultWriteFailed = -1,    // the request could not be written in time
    kResultRejected = -102,     // reply status 0xFF
    kResultOutOfRange = -103,   // reply status 0xFE
    kResultBadTableIndex = -201,
};

inline constexpr int kCommandTimeoutMs = 1000;
inline constexpr int kSlowCommandTimeoutMs = 5000;  // a mouse reached through its receiver
inline constexpr int kEndCommandDelayMs = 10;       // CMD_END waits this long before its packet

// The trace line that a dropped light chunk writes.
inline constexpr char kTraceLightDropped[] = "放弃灯光数据";
inline constexpr char kTraceRequest[] = "命令";
inline constexpr char kTraceReply[] = "返回";

// One trace line of a packet: 32 bytes (zero where `bytes` is shorter) in
// groups of four, three blanks after each of the first three groups and two
// after the next three: "04 01 00 01   00 00 00 00   ...  00 00 00 00".
std::string FormatPacketLine(std::span<const uint8_t> bytes);
// Writes `title` and the packet (cut or zero-padded to 64 bytes) as two lines.
void TracePacket(const char* title, std::span<const uint8_t> packet);

class CHidCommandChannel {
public:
    CHidCommandChannel();  // on CurrentHidBackend()
    explicit CHidCommandChannel(std::shared_ptr<IHidBackend> backend);
    ~CHidCommandChannel();
    CHidCommandChannel(const CHidCommandChannel&) = delete;
    CHidCommandChannel& operator=(const CHidCommandChannel&) = delete;

    // ---- opening and closing (the device manager) ----
    // Under ioLock: opens the interface for read and write, overlapped, shared;
    // on success marks the channel open. False leaves it closed.
    bool OpenHid(const std::string& path);
    // Marks the channel closed, cuts a waiting transfer short, then closes the
    // interface under ioLock. Harmless on a closed channel.
    void CloseHid();
    // The interface itself (the notification reader reads on it; tests look at caps).
    CHidDevice& Hid() { return hid_; }
    const CHidDevice& Hid() const { return hid_; }

    // ---- flags ----
    bool IsOpen() const { return open_.load(); }
    void SetOpen(bool open) { open_.store(open); }
    // Slow: time-outs become 5000 ms and light data is not sent.
    bool IsSlow() const { return slow_.load(); }
    void SetSlow(bool slow) { slow_.store(slow); }
    // The device takes part in synchronised lighting (its own light thread renders nothing).
    bool IsSyncLighting() const { return syncLighting_.load(); }
    void SetSyncLighting(bool on) { syncLighting_.store(on); }
    // True while an Exchange runs on this channel (light chunks are then dropped).
    bool IsBusy() const { return busy_.load() > 0; }

    // Size of the key table that the table commands move: 512 at construction.
    // False and no change when n > 512.
    bool SetDataLength(unsigned n);
    uint16_t DataLength() const { return dataLength_.load(); }
    static constexpr unsigned ChunkSize() { return kCommandChunkSize; }

    // ---- raw exchanges ----
    // One request (cut or zero-padded to 64 bytes) and its matching reply, with
    // the trace lines. Reads reply.size() bytes; when the echo (byte 3) differs
    // from the request's, reads once more. Returns 1 when the last read
    // completed, 0 when it failed or the channel is closed (nothing sent, nothing
    // traced), -1 when the write failed (nothing read). `bytesRead` gets the
    // length of the last read; reply bytes past it are zero.
    int Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t* bytesRead = nullptr);
    // Light streaming only: one write and one read, 1000 ms each, no echo
    // matching, no trace. While an earlier report is still inside the device
    // (a write given up on) nothing is sent, nothing waits, `dropped` is set
    // and the result is 1, as for every dropped piece of light data.
    int ExchangeQuick(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t* bytesRead = nullptr,
                      bool* dropped = nullptr);

    // ---- the shared command set ----
    // Each returns a CommandResult. Chunked commands stop at the first chunk
    // that does not give 1 and return its result. A reply too short to carry
    // the status byte (and, for reads, the payload asked for) counts as no reply.
    int CMD_BEGIN();
    int CMD_END();  // waits 10 ms first
    // The 34-byte device information block; `info` gets min(34, size) bytes.
    int CMD_READ_INFO(std::span<uint8_t> info);
    // Reads / writes `buffer.size()` bytes of the settings memory from `start`.
    // A block that would run past offset 0xFFFF is refused with 0, nothing sent.
    int CMD_READ_DATA(std::span<uint8_t> buffer, uint16_t start);
    int CMD_WRITE_DATA(std::span<const uint8_t> buffer, uint16_t start);
    // The key table: DataLength() bytes. A buffer shorter than that is refused with 0, nothing sent.
    int CMD_READ_KEYMAP(std::span<uint8_t> buffer);
    // tableIndex other than 0: -201, nothing sent.
    int CMD_WRITE_KEYMAP(std::span<const uint8_t> buffer, int tableIndex);
    // Light data: a chunk that would wait behind a running Exchange is dropped
    // (trace "放弃灯光数据") and counts as success; on a slow channel every chunk
    // is dropped silently. CMD_WRITE_LIGHT goes through Exchange under
    // commandLock, CMD_STREAM_LIGHT through ExchangeQuick under streamLock.
    // A stream frame that finds an earlier report still inside the device is
    // dropped whole at once (trace "放弃灯光数据", result 1).
    int CMD_WRITE_LIGHT(std::span<const uint8_t> buffer);
    // The same from `start` (one byte of the keyboard's light mask at its own offset).
    int CMD_WRITE_LIGHT(std::span<const uint8_t> buffer, uint16_t start);
    int CMD_STREAM_LIGHT(std::span<const uint8_t> buffer);
    int CMD_WRITE_MACRO(std::span<const uint8_t> buffer);
    // One packet: byte 4 = buffer.size() (1..56, else 0 and nothing sent), bytes 5-6 = offset.
    int CMD_READ_DATA_AT(std::span<uint8_t> buffer, uint16_t offset);
    // DataLength() / 3 bytes of the LED index table. A shorter buffer is refused with 0.
    int CMD_READ_KEYMAP_EX(std::span<uint8_t> buffer);
    // True only when the exchange succeeded, the status is accepted and reply byte 8 is 0xFF.
    bool CMD_QUERY_LINK();

private:
    using Packet = std::array<uint8_t, kCommandPacketSize>;
    enum class Via { kCommand, kLight, kStream };
    // What a light rule kept back: this chunk, or the rest of the frame.
    enum class Drop { kNone, kChunk, kFrame };
    int Timeout() const { return IsSlow() ? kSlowCommandTimeoutMs : kCommandTimeoutMs; }
    int SinglePacket(uint8_t command, uint8_t lengthByte, uint16_t offset, std::span<uint8_t> payloadOut,
                     uint8_t* replyByte8 = nullptr);
    // Reads into `in` when it is not empty, else writes `out`.
    int Chunked(uint8_t command, std::span<uint8_t> in, std::span<const uint8_t> out, unsigned start, Via via);
    // One packet by its path and locks; `dropped` when a light rule kept it back.
    int SendPacket(const Packet& packet, Via via, Packet& reply, size_t& got, Drop& dropped);

    std::atomic<uint16_t> dataLength_{kKeyTableMaxBytes};
    std::atomic<int> busy_{0};
    std::atomic<bool> open_{false};
    std::atomic<bool> syncLighting_{false};
    CHidDevice hid_;
    std::mutex ioLock_;
    std::mutex commandLock_;
    std::mutex streamLock_;
    std::atomic<bool> slow_{false};
};

}  // namespace r88
