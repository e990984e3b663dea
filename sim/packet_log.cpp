#include "sim/packet_log.h"

namespace r88::sim {

void PacketLog::Append(SimPacket packet) {
    std::lock_guard lock(mutex_);
    if (capacity_ == 0) return;
    if (packets_.size() == capacity_) packets_.pop_front();
    packets_.push_back(std::move(packet));
}

std::vector<SimPacket> PacketLog::Snapshot() const {
    std::lock_guard lock(mutex_);
    return {packets_.begin(), packets_.end()};
}

std::vector<SimPacket> PacketLog::Received() const {
    std::lock_guard lock(mutex_);
    std::vector<SimPacket> out;
    for (const SimPacket& p : packets_)
        if (p.direction == SimPacket::Direction::kToDevice) out.push_back(p);
    return out;
}

std::optional<SimPacket> PacketLog::LastReceived() const {
    std::lock_guard lock(mutex_);
    for (auto it = packets_.rbegin(); it != packets_.rend(); ++it)
        if (it->direction == SimPacket::Direction::kToDevice) return *it;
    return std::nullopt;
}

size_t PacketLog::Size() const {
    std::lock_guard lock(mutex_);
    return packets_.size();
}

void PacketLog::Clear() {
    std::lock_guard lock(mutex_);
    packets_.clear();
}

}  // namespace r88::sim
