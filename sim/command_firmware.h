#pragma once
// The firmware side of the shared command set: takes one 64-byte command
// packet, carries it out on the device's memories and builds the reply (echo
// of the command id, length and offset, a status byte, read data). Faults
// armed on its injector change what comes back. Pure logic: sending the
// replies is the caller's.
#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

#include "device/hid_command_set.h"
#include "sim/fault_injector.h"
#include "sim/firmware_memory.h"

namespace r88::sim {

using CommandPacket = std::array<uint8_t, kCommandPacketSize>;

struct CommandOutcome {
    std::vector<CommandPacket> replies;  // in the order they go out
    unsigned delayMs = 0;                // before the replies go out
    bool unplug = false;                 // the device goes away instead of answering
};

class CommandFirmware {
public:
    explicit CommandFirmware(DeviceMemories factory);

    CommandOutcome Handle(std::span<const uint8_t> request);

    FaultInjector& Faults() { return faults_; }

    std::vector<uint8_t> Memory(SimMemory memory) const;
    bool WriteMemory(SimMemory memory, size_t offset, std::span<const uint8_t> bytes);
    void SetLinkUp(bool up);
    bool InSession() const;           // between begin and end
    unsigned StreamedChunks() const;  // light-stream packets carried out

private:
    uint8_t Execute(const CommandPacket& request, CommandPacket& reply);

    mutable std::mutex mutex_;
    DeviceMemories memories_;
    FaultInjector faults_;
    bool linkUp_ = true;
    bool session_ = false;
    unsigned streamedChunks_ = 0;
};

}  // namespace r88::sim
