#include "sim/fault_injector.h"

#include <algorithm>

namespace r88::sim {

void FaultInjector::Arm(const Fault& fault) {
    std::lock_guard lock(mutex_);
    if (fault.times > 0) armed_.push_back({fault, 0});
}

void FaultInjector::Clear() {
    std::lock_guard lock(mutex_);
    armed_.clear();
}

size_t FaultInjector::Armed() const {
    std::lock_guard lock(mutex_);
    return armed_.size();
}

bool FaultInjector::StallsPacket(uint8_t command) {
    std::lock_guard lock(mutex_);
    bool stalls = false;
    for (Entry& a : armed_) {
        if (a.fault.kind != FaultKind::kStallWrite || (a.fault.command && *a.fault.command != command))
            continue;
        if (a.seen++ < a.fault.chunk) continue;
        stalls = true;
        --a.fault.times;
    }
    armed_.erase(
        std::remove_if(armed_.begin(), armed_.end(), [](const Entry& a) { return a.fault.times == 0; }),
        armed_.end());
    return stalls;
}

std::vector<Fault> FaultInjector::OnPacket(uint8_t command) {
    std::lock_guard lock(mutex_);
    std::vector<Fault> fired;
    for (Entry& a : armed_) {
        if (a.fault.kind == FaultKind::kStallWrite || (a.fault.command && *a.fault.command != command))
            continue;
        const unsigned index = a.seen++;
        if (index < a.fault.chunk) continue;
        fired.push_back(a.fault);
        --a.fault.times;
    }
    armed_.erase(
        std::remove_if(armed_.begin(), armed_.end(), [](const Entry& a) { return a.fault.times == 0; }),
        armed_.end());
    return fired;
}

}  // namespace r88::sim
