#pragma once
// The command packet shared by every device of the family: a 64-byte output
// report 4 with a checksum, the command id, a chunk length, a chunk offset, a
// status byte and up to 56 payload bytes; the device answers with a 64-byte
// input report that echoes the command id. Also the notification codes the
// devices send on their consumer collection.
#include <cstddef>
#include <cstdint>
#include <span>

namespace r88 {

inline constexpr size_t kCommandPacketSize = 64;
inline constexpr uint8_t kCommandReportId = 0x04;
inline constexpr size_t kCommandChunkSize = 56;

// Byte positions in a packet.
inline constexpr size_t kPacketReportId = 0;
inline constexpr size_t kPacketChecksum = 1;  // 16 bits, low byte first
inline constexpr size_t kPacketCommand = 3;
inline constexpr size_t kPacketLength = 4;
inline constexpr size_t kPacketOffset = 5;  // 16 bits, low byte first
inline constexpr size_t kPacketStatus = 7;
inline constexpr size_t kPacketPayload = 8;

// Reply status bytes that mean failure; anything else is accepted.
inline constexpr uint8_t kStatusRejected = 0xFF;
inline constexpr uint8_t kStatusOutOfRange = 0xFE;

enum CommandId : uint8_t {
    kCmdBegin = 0x01,
    kCmdEnd = 0x02,
    kCmdReadInfo = 0x03,
    kCmdReadData = 0x05,
    kCmdWriteData = 0x06,
    kCmdReadKeymap = 0x07,
    kCmdWriteKeymap = 0x09,
    kCmdWriteLight = 0x0B,
    kCmdStreamLight = 0x12,
    kCmdWriteMacro = 0x15,
    kCmdReadDataAt = 0x1A,
    kCmdReadKeymapEx = 0x1B,
    kCmdQueryLink = 0xAA,
};

inline constexpr size_t kInfoBlockSize = 34;
inline constexpr size_t kKeyTableMaxBytes = 512;
inline constexpr uint8_t kLinkUp = 0xFF;  // reply byte 8 of the link query

// Notification codes (first usage of a consumer-collection report).
inline constexpr uint16_t kNotifySyncRequest = 0x0401;
inline constexpr uint16_t kNotifyKeyDown = 0x0500;  // + key slot
inline constexpr uint16_t kNotifyKeyUp = 0x0600;    // + key slot

// 16-bit sum of bytes 3..63.
constexpr uint16_t CommandChecksum(std::span<const uint8_t, kCommandPacketSize> packet) {
    uint16_t sum = 0;
    for (size_t i = kPacketCommand; i < kCommandPacketSize; ++i) sum = static_cast<uint16_t>(sum + packet[i]);
    return sum;
}

constexpr void SealCommandPacket(std::span<uint8_t, kCommandPacketSize> packet) {
    const uint16_t sum = CommandChecksum(packet);
    packet[kPacketChecksum] = static_cast<uint8_t>(sum & 0xFF);
    packet[kPacketChecksum + 1] = static_cast<uint8_t>(sum >> 8);
}

}  // namespace r88
