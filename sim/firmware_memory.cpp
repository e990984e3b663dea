#include "sim/firmware_memory.h"

#include <algorithm>

namespace r88::sim {
namespace {
constexpr std::string_view kNames[kSimMemoryCount] = {"info",      "data",  "keyblock", "ledindex",
                                                      "lightmask", "macro", "frame",    "status"};
}  // namespace

std::string_view SimMemoryName(SimMemory memory) {
    return kNames[static_cast<size_t>(memory)];
}

std::optional<SimMemory> SimMemoryFromName(std::string_view name) {
    for (size_t i = 0; i < kSimMemoryCount; ++i)
        if (kNames[i] == name) return static_cast<SimMemory>(i);
    return std::nullopt;
}

bool FirmwareMemory::Read(size_t offset, std::span<uint8_t> out) const {
    if (!Contains(offset, out.size())) return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

bool FirmwareMemory::Write(size_t offset, std::span<const uint8_t> in) {
    if (!Contains(offset, in.size())) return false;
    std::copy(in.begin(), in.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

}  // namespace r88::sim
