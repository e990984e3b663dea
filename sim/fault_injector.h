#pragma once
// Faults an emulated firmware injects on demand. A fault watches the command
// packets it applies to (one command id, or every command), counts them from
// 0, and fires on packet number `chunk` and, when `times` > 1, on the packets
// after it; then it is spent.
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace r88::sim {

enum class FaultKind {
    kNoReply,          // the packet is taken, nothing comes back
    kLateReply,        // the reply comes `delayMs` later
    kWrongEcho,        // the reply's command byte is not the request's
    kStrayReplyFirst,  // a reply with another command byte comes before the right one
    kStatus,           // the reply carries `status` (0xFF, 0xFE, ...) and the packet is not carried out
    kUnplug,           // the device goes away on this packet without replying
    kBadChecksum,      // the reply's checksum is wrong
    kStallWrite,       // the device does not take the packet: the host's write times out
};

struct Fault {
    FaultKind kind = FaultKind::kNoReply;
    std::optional<uint8_t> command = std::nullopt;  // empty: every command
    unsigned chunk = 0;
    unsigned times = 1;
    uint8_t status = 0xFF;
    unsigned delayMs = 0;
};

class FaultInjector {
public:
    void Arm(const Fault& fault);
    void Clear();
    size_t Armed() const;
    // Whether a stall fault keeps this packet from being taken (counting it for those faults).
    bool StallsPacket(uint8_t command);
    // The other faults that fire on a packet the device took, counting it.
    std::vector<Fault> OnPacket(uint8_t command);

private:
    struct Entry {
        Fault fault;
        unsigned seen = 0;
    };
    mutable std::mutex mutex_;
    std::vector<Entry> armed_;
};

}  // namespace r88::sim
