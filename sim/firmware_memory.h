#pragma once
// The memories an emulated device keeps, each a fixed-size byte array that
// commands read and write with bounds checks.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace r88::sim {

enum class SimMemory : uint8_t {
    kInfo,       // device information block (34 bytes)
    kData,       // settings memory (onboard profiles)
    kKeyBlock,   // key slots, three bytes each
    kLedIndex,   // LED index per key slot
    kLightMask,  // per-key light mask (21 bytes)
    kMacro,      // macro memory
    kFrame,      // last streamed light frame
    kStatus,     // status record read with read-at (the mouse's power record)
};
inline constexpr size_t kSimMemoryCount = 8;

std::string_view SimMemoryName(SimMemory memory);
std::optional<SimMemory> SimMemoryFromName(std::string_view name);

class FirmwareMemory {
public:
    FirmwareMemory() = default;
    explicit FirmwareMemory(size_t size) : bytes_(size, 0) {}
    explicit FirmwareMemory(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    size_t Size() const { return bytes_.size(); }
    bool Contains(size_t offset, size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }
    bool Read(size_t offset, std::span<uint8_t> out) const;
    bool Write(size_t offset, std::span<const uint8_t> in);
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Every memory of one device, as it leaves the factory or as it is now.
struct DeviceMemories {
    std::array<FirmwareMemory, kSimMemoryCount> memories;

    FirmwareMemory& operator[](SimMemory m) { return memories[static_cast<size_t>(m)]; }
    const FirmwareMemory& operator[](SimMemory m) const { return memories[static_cast<size_t>(m)]; }
};

}  // namespace r88::sim
