#pragma once
// What an emulated device received and sent, oldest first, bounded so that a
// long run of light frames cannot grow it without end.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace r88::sim {

struct SimPacket {
    enum class Direction { kToDevice, kToHost };
    Direction direction = Direction::kToDevice;
    uint16_t interfaceNumber = 0;
    bool controlPipe = false;  // sent with the synchronous output-report call
    std::vector<uint8_t> bytes;
};

class PacketLog {
public:
    explicit PacketLog(size_t capacity = 4096) : capacity_(capacity) {}

    void Append(SimPacket packet);
    std::vector<SimPacket> Snapshot() const;
    std::vector<SimPacket> Received() const;  // host to device only
    std::optional<SimPacket> LastReceived() const;
    size_t Size() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::deque<SimPacket> packets_;
    size_t capacity_;
};

}  // namespace r88::sim
