#include "sim/command_firmware.h"

#include <algorithm>

namespace r88::sim {
namespace {

constexpr uint8_t kStatusOk = 0x00;

uint8_t OtherCommand(uint8_t command) {
    return static_cast<uint8_t>(command ^ 0x80);
}

}  // namespace

CommandFirmware::CommandFirmware(DeviceMemories factory) : memories_(std::move(factory)) {}

std::vector<uint8_t> CommandFirmware::Memory(SimMemory memory) const {
    std::lock_guard lock(mutex_);
    return memories_[memory].Bytes();
}

bool CommandFirmware::WriteMemory(SimMemory memory, size_t offset, std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    return memories_[memory].Write(offset, bytes);
}

void CommandFirmware::SetLinkUp(bool up) {
    std::lock_guard lock(mutex_);
    linkUp_ = up;
}

bool CommandFirmware::InSession() const {
    std::lock_guard lock(mutex_);
    return session_;
}

unsigned CommandFirmware::StreamedChunks() const {
    std::lock_guard lock(mutex_);
    return streamedChunks_;
}

uint8_t CommandFirmware::Execute(const CommandPacket& request, CommandPacket& reply) {
    if (CommandChecksum(request) !=
        (request[kPacketChecksum] | static_cast<uint16_t>(request[kPacketChecksum + 1]) << 8))
        return kStatusRejected;

    const uint8_t command = request[kPacketCommand];
    const size_t length = request[kPacketLength];
    const size_t offset = request[kPacketOffset] | static_cast<size_t>(request[kPacketOffset + 1]) << 8;
    const std::span<const uint8_t> payloadIn(request.data() + kPacketPayload, kCommandChunkSize);
    const std::span<uint8_t> payloadOut(reply.data() + kPacketPayload, kCommandChunkSize);

    auto read = [&](SimMemory m) -> uint8_t {
        if (length == 0 || length > kCommandChunkSize) return kStatusRejected;
        return memories_[m].Read(offset, payloadOut.first(length)) ? kStatusOk : kStatusOutOfRange;
    };
    auto write = [&](SimMemory m) -> uint8_t {
        if (length == 0 || length > kCommandChunkSize) return kStatusRejected;
        return memories_[m].Write(offset, payloadIn.first(length)) ? kStatusOk : kStatusOutOfRange;
    };

    switch (command) {
        case kCmdBegin:
            session_ = true;
            return kStatusOk;
        case kCmdEnd:
            session_ = false;
            return kStatusOk;
        case kCmdReadInfo:
            return read(SimMemory::kInfo);
        case kCmdReadData:
            return read(SimMemory::kData);
        case kCmdWriteData:
            return write(SimMemory::kData);
        case kCmdReadKeymap:
            return read(SimMemory::kKeyBlock);
        case kCmdWriteKeymap:
            return write(SimMemory::kKeyBlock);
        case kCmdWriteLight:
            return write(SimMemory::kLightMask);
        case kCmdStreamLight: {
            const uint8_t status = write(SimMemory::kFrame);
            if (status == kStatusOk) ++streamedChunks_;
            return status;
        }
        case kCmdWriteMacro:
            return write(SimMemory::kMacro);
        case kCmdReadDataAt:
            return read(SimMemory::kStatus);
        case kCmdReadKeymapEx:
            return read(SimMemory::kLedIndex);
        case kCmdQueryLink:
            payloadOut[0] = linkUp_ ? kLinkUp : 0x00;
            return kStatusOk;
        default:
            return kStatusRejected;
    }
}

CommandOutcome CommandFirmware::Handle(std::span<const uint8_t> request) {
    CommandPacket in{};
    std::copy_n(request.begin(), std::min(request.size(), in.size()), in.begin());
    const uint8_t command = in[kPacketCommand];
    const std::vector<Fault> fired = faults_.OnPacket(command);
    auto has = [&](FaultKind k) {
        return std::any_of(fired.begin(), fired.end(), [k](const Fault& f) { return f.kind == k; });
    };

    CommandOutcome outcome;
    if (has(FaultKind::kUnplug)) {
        outcome.unplug = true;
        return outcome;
    }

    CommandPacket reply{};
    reply[kPacketReportId] = kCommandReportId;
    reply[kPacketCommand] = command;
    reply[kPacketLength] = in[kPacketLength];
    reply[kPacketOffset] = in[kPacketOffset];
    reply[kPacketOffset + 1] = in[kPacketOffset + 1];
    {
        std::lock_guard lock(mutex_);
        const auto forced = std::find_if(fired.begin(), fired.end(),
                                         [](const Fault& f) { return f.kind == FaultKind::kStatus; });
        reply[kPacketStatus] = forced != fired.end() ? forced->status : Execute(in, reply);
    }
    if (has(FaultKind::kWrongEcho)) reply[kPacketCommand] = OtherCommand(command);
    SealCommandPacket(reply);
    if (has(FaultKind::kBadChecksum))
        reply[kPacketChecksum] = static_cast<uint8_t>(reply[kPacketChecksum] ^ 0xFF);

    if (has(FaultKind::kStrayReplyFirst)) {
        CommandPacket stray = reply;
        stray[kPacketCommand] = OtherCommand(command);
        SealCommandPacket(stray);
        outcome.replies.push_back(stray);
    }
    outcome.replies.push_back(reply);
    for (const Fault& f : fired)
        if (f.kind == FaultKind::kLateReply) outcome.delayMs = std::max(outcome.delayMs, f.delayMs);
    if (has(FaultKind::kNoReply)) outcome.replies.clear();
    return outcome;
}

}  // namespace r88::sim
