#pragma once
// The macro memory image the keyboard and the mouse take with
// CMD_WRITE_MACRO. All 16-bit fields are little-endian:
//   0   AA 55            signature 0x55AA
//   2   L                total length in bytes
//   4   n                number of macros
//   6   10 bytes         reserved (zero)
//   16  2 x n            offset of each macro's block, in list order
//   16 + 2n              the blocks back to back: event count k, 2 reserved
//                        bytes, k events of 4 bytes (EncodeMacroEvent)
// so L = 16 + 6n + 4 x (all events).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "macro/macro_records.h"

namespace r88 {

struct MacroImage {
    // 0: image built (or nothing to send when it is empty); > 0: the image is
    // that many events (rounded up) too large for the device and was not
    // built; -1: no memory for it.
    int result = 0;
    std::vector<std::uint8_t> bytes;
};

inline constexpr std::size_t kMacroImageHeaderSize = 16;

// The image of these macros (list order) for a device memory of capacity
// bytes (information byte 6 x 128). No macros give result 0 and no bytes:
// the device keeps what it holds. Length fields are 16 bits, so a capacity
// above 65535 counts as 65535.
MacroImage BuildMacroImage(const std::vector<std::vector<MacroEvent>>& macros, std::size_t capacity);

}  // namespace r88
