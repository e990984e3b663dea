#include "device/hid_command_channel.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/trace.h"

namespace r88 {
namespace {

using Packet = std::array<uint8_t, kCommandPacketSize>;

Packet MakePacket(uint8_t command, uint8_t lengthByte, uint16_t offset, std::span<const uint8_t> payload = {}) {
    Packet p{};
    p[kPacketReportId] = kCommandReportId;
    p[kPacketCommand] = command;
    p[kPacketLength] = lengthByte;
    p[kPacketOffset] = static_cast<uint8_t>(offset & 0xFF);
    p[kPacketOffset + 1] = static_cast<uint8_t>(offset >> 8);
    std::copy_n(payload.begin(), std::min(payload.size(), kCommandChunkSize), p.begin() + kPacketPayload);
    SealCommandPacket(p);
    return p;
}

// Keeps the busy count up while an Exchange runs.
class BusyScope {
public:
    explicit BusyScope(std::atomic<int>& busy) : busy_(busy) { ++busy_; }
    ~BusyScope() { --busy_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    std::atomic<int>& busy_;
};

// What a command function makes of one exchanged packet: the exchange's own
// failure, a reply that is not ours or too short to judge, or the status byte.
int Judge(int exchanged, const Packet& request, const Packet& reply, size_t got, size_t needed) {
    if (exchanged != kResultOk) return exchanged;
    if (got <= kPacketStatus || reply[kPacketCommand] != request[kPacketCommand]) return kResultNoReply;
    if (reply[kPacketStatus] == kStatusRejected) return kResultRejected;
    if (reply[kPacketStatus] == kStatusOutOfRange) return kResultOutOfRange;
    if (got < needed) return kResultNoReply;
    return kResultOk;
}

}  // namespace

std::string FormatPacketLine(std::span<const uint8_t> bytes) {
    uint8_t b[32] = {};
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), sizeof b), b);
    char line[128];
    std::snprintf(line, sizeof line,
                  "%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
                  "%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13], b[14],
                  b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26], b[27], b[28],
                  b[29], b[30], b[31]);
    return line;
}

void TracePacket(const char* title, std::span<const uint8_t> packet) {
    Packet p{};
    std::copy_n(packet.begin(), std::min(packet.size(), p.size()), p.begin());
    Trace(title);
    Trace(FormatPacketLine(std::span(p).first(32)));
    Trace(FormatPacketLine(std::span(p).subspan(32)));
}

CHidCommandChannel::CHidCommandChannel() : CHidCommandChannel(CurrentHidBackend()) {}

CHidCommandChannel::CHidCommandChannel(std::shared_ptr<IHidBackend> backend) : hid_(std::move(backend)) {}

CHidCommandChannel::~CHidCommandChannel() {
    CloseHid();
}

bool CHidCommandChannel::OpenHid(const std::string& path) {
    std::lock_guard io(ioLock_);
    const bool opened = hid_.Open(path, true, true, true, false);
    open_.store(opened);
    return opened;
}

void CHidCommandChannel::CloseHid() {
    open_.store(false);
    // A read sequence of another thread holds ioLock while it waits: end it first.
    hid_.CancelTransfers();
    std::lock_guard io(ioLock_);
    hid_.Close();
}

bool CHidCommandChannel::SetDataLength(unsigned n) {
    if (n > kKeyTableMaxBytes) return false;
    dataLength_.store(static_cast<uint16_t>(n));
    return true;
}

int CHidCommandChannel::Exchange(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t* bytesRead) {
    BusyScope busy(busy_);
    if (bytesRead) *bytesRead = 0;
    if (!IsOpen()) return kResultNoReply;

    Packet packet{};
    std::copy_n(request.begin(), std::min(request.size(), packet.size()), packet.begin());
    TracePacket(kTraceRequest, packet);

    const int timeout = Timeout();
    bool written = false;
    {
        std::lock_guard io(ioLock_);
        written = hid_.Write(packet.data(), packet.size(), timeout);
    }
    if (!written) return kResultWriteFailed;

    int result = kResultNoReply;
    size_t got = 0;
    {
        std::lock_guard io(ioLock_);
        // A foreign reply (a light stream's, or a late one) may come first: one more read absorbs it.
        for (int attempt = 0; attempt < 2; ++attempt) {
            std::fill(reply.begin(), reply.end(), uint8_t{0});
            got = 0;
            result = hid_.Read(reply.data(), reply.size(), timeout, &got) ? kResultOk : kResultNoReply;
            if (reply.size() > kPacketCommand && reply[kPacketCommand] == packet[kPacketCommand]) break;
        }
    }
    if (bytesRead) *bytesRead = got;
    TracePacket(kTraceReply, reply);
    return result;
}

int CHidCommandChannel::ExchangeQuick(std::span<const uint8_t> request, std::span<uint8_t> reply,
                                      size_t* bytesRead, bool* dropped) {
    if (bytesRead) *bytesRead = 0;
    if (dropped) *dropped = false;
    if (!IsOpen()) return kResultNoReply;
    Packet packet{};
    std::copy_n(request.begin(), std::min(request.size(), packet.size()), packet.begin());
    bool written = false;
    bool writerBusy = false;
    {
        std::lock_guard io(ioLock_);
        written = hid_.TryWrite(packet.data(), packet.size(), kCommandTimeoutMs, writerBusy);
    }
    if (writerBusy) {
        // The device has not taken an earlier report yet: this one is dropped, nobody waits.
        if (dropped) *dropped = true;
        return kResultOk;
    }
    if (!written) return kResultWriteFailed;
    std::fill(reply.begin(), reply.end(), uint8_t{0});
    size_t got = 0;
    bool read = false;
    {
        std::lock_guard io(ioLock_);
        read = hid_.Read(reply.data(), reply.size(), kCommandTimeoutMs, &got);
    }
    if (bytesRead) *bytesRead = got;
    return read ? kResultOk : kResultNoReply;
}

int CHidCommandChannel::SendPacket(const Packet& packet, Via via, Packet& reply, size_t& got, Drop& dropped) {
    got = 0;
    dropped = Drop::kNone;
    if (via != Via::kCommand) {
        // Light data never waits behind a configuration command: the next frame replaces it.
        if (IsBusy()) {
            Trace(kTraceLightDropped);
            dropped = Drop::kChunk;
            return kResultOk;
        }
        if (IsSlow()) {
            dropped = Drop::kChunk;
            return kResultOk;
        }
    }
    if (via == Via::kStream) {
        std::lock_guard stream(streamLock_);
        bool writerBusy = false;
        const int result = ExchangeQuick(packet, reply, &got, &writerBusy);
        if (writerBusy) {
            Trace(kTraceLightDropped);
            dropped = Drop::kFrame;
        }
        return result;
    }
    std::lock_guard command(commandLock_);
    return Exchange(packet, reply, &got);
}

int CHidCommandChannel::SinglePacket(uint8_t command, uint8_t lengthByte, uint16_t offset,
                                     std::span<uint8_t> payloadOut, uint8_t* replyByte8) {
    const Packet request = MakePacket(command, lengthByte, offset);
    Packet reply{};
    size_t got = 0;
    Drop dropped = Drop::kNone;
    const int exchanged = SendPacket(request, Via::kCommand, reply, got, dropped);
    const int result = Judge(exchanged, request, reply, got, kPacketPayload + payloadOut.size());
    if (result != kResultOk) return result;
    std::copy_n(reply.begin() + kPacketPayload, payloadOut.size(), payloadOut.begin());
    if (replyByte8) *replyByte8 = got > kPacketPayload ? reply[kPacketPayload] : 0;
    return kResultOk;
}

int CHidCommandChannel::Chunked(uint8_t command, std::span<uint8_t> in, std::span<const uint8_t> out,
                                unsigned start, Via via) {
    const bool reading = !in.empty();
    const size_t total = reading ? in.size() : out.size();
    // The offset field has 16 bits: a block past it would land at the wrong place.
    if (start + total > 0x10000u) return kResultNoReply;
    for (size_t position = 0; position < total; position += kCommandChunkSize) {
        const size_t n = std::min(kCommandChunkSize, total - position);
        const auto offset = static_cast<uint16_t>(start + position);
        const Packet request = MakePacket(command, static_cast<uint8_t>(n), offset,
                                          reading ? std::span<const uint8_t>{} : out.subspan(position, n));
        Packet reply{};
        size_t got = 0;
        Drop dropped = Drop::kNone;
        const int exchanged = SendPacket(request, via, reply, got, dropped);
        if (dropped == Drop::kFrame) return kResultOk;  // the rest of the frame goes with it
        if (dropped == Drop::kChunk) continue;
        if (via == Via::kStream) {
            // The stream path matches no reply; only a failed transfer ends it.
            if (exchanged != kResultOk) return exchanged;
            continue;
        }
        const int result = Judge(exchanged, request, reply, got, reading ? kPacketPayload + n : 0);
        if (result != kResultOk) return result;
        if (reading) std::copy_n(reply.begin() + kPacketPayload, n, in.begin() + static_cast<ptrdiff_t>(position));
    }
    return kResultOk;
}

int CHidCommandChannel::CMD_BEGIN() {
    return SinglePacket(kCmdBegin, 0, 0, {});
}

int CHidCommandChannel::CMD_END() {
    std::this_thread::sleep_for(std::chrono::milliseconds(kEndCommandDelayMs));
    return SinglePacket(kCmdEnd, 0, 0, {});
}

int CHidCommandChannel::CMD_READ_INFO(std::span<uint8_t> info) {
    std::array<uint8_t, kInfoBlockSize> block{};
    const int result = SinglePacket(kCmdReadInfo, kInfoBlockSize, 0, block);
    if (result == kResultOk) std::copy_n(block.begin(), std::min(info.size(), block.size()), info.begin());
    return result;
}

int CHidCommandChannel::CMD_READ_DATA(std::span<uint8_t> buffer, uint16_t start) {
    if (buffer.empty()) return kResultOk;
    return Chunked(kCmdReadData, buffer, {}, start, Via::kCommand);
}

int CHidCommandChannel::CMD_WRITE_DATA(std::span<const uint8_t> buffer, uint16_t start) {
    return Chunked(kCmdWriteData, {}, buffer, start, Via::kCommand);
}

int CHidCommandChannel::CMD_READ_KEYMAP(std::span<uint8_t> buffer) {
    const size_t length = DataLength();
    if (buffer.size() < length) return kResultNoReply;
    if (length == 0) return kResultOk;
    return Chunked(kCmdReadKeymap, buffer.first(length), {}, 0, Via::kCommand);
}

int CHidCommandChannel::CMD_WRITE_KEYMAP(std::span<const uint8_t> buffer, int tableIndex) {
    if (tableIndex != 0) return kResultBadTableIndex;
    const size_t length = DataLength();
    if (buffer.size() < length) return kResultNoReply;
    return Chunked(kCmdWriteKeymap, {}, buffer.first(length), 0, Via::kCommand);
}

int CHidCommandChannel::CMD_WRITE_LIGHT(std::span<const uint8_t> buffer) {
    return Chunked(kCmdWriteLight, {}, buffer, 0, Via::kLight);
}

int CHidCommandChannel::CMD_WRITE_LIGHT(std::span<const uint8_t> buffer, uint16_t start) {
    return Chunked(kCmdWriteLight, {}, buffer, start, Via::kLight);
}

int CHidCommandChannel::CMD_STREAM_LIGHT(std::span<const uint8_t> buffer) {
    return Chunked(kCmdStreamLight, {}, buffer, 0, Via::kStream);
}

int CHidCommandChannel::CMD_WRITE_MACRO(std::span<const uint8_t> buffer) {
    return Chunked(kCmdWriteMacro, {}, buffer, 0, Via::kCommand);
}

int CHidCommandChannel::CMD_READ_DATA_AT(std::span<uint8_t> buffer, uint16_t offset) {
    if (buffer.empty() || buffer.size() > kCommandChunkSize) return kResultNoReply;
    return SinglePacket(kCmdReadDataAt, static_cast<uint8_t>(buffer.size()), offset, buffer);
}

int CHidCommandChannel::CMD_READ_KEYMAP_EX(std::span<uint8_t> buffer) {
    const size_t length = DataLength() / 3u;
    if (buffer.size() < length) return kResultNoReply;
    if (length == 0) return kResultOk;
    return Chunked(kCmdReadKeymapEx, buffer.first(length), {}, 0, Via::kCommand);
}

bool CHidCommandChannel::CMD_QUERY_LINK() {
    uint8_t byte8 = 0;
    return SinglePacket(kCmdQueryLink, 0, 0, {}, &byte8) == kResultOk && byte8 == kLinkUp;
}

}  // namespace r88
