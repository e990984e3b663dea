#include "macro/macro_image.h"

#include <algorithm>
#include <new>

#include "platform/trace.h"

namespace r88 {
namespace {

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::size_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

MacroImage BuildMacroImage(const std::vector<std::vector<MacroEvent>>& macros, std::size_t capacity) {
    MacroImage image;
    if (macros.empty()) return image;

    std::size_t length = kMacroImageHeaderSize + 6 * macros.size();
    for (const std::vector<MacroEvent>& events : macros) length += 4 * events.size();
    capacity = std::min<std::size_t>(capacity, 0xFFFF);
    if (length > capacity) {
        image.result = static_cast<int>((length - capacity) / 4 + 1);
        TraceF("macro: image of %zu bytes does not fit in %zu\n", length, capacity);
        return image;
    }

    try {
        image.bytes.assign(length, 0);
    } catch (const std::bad_alloc&) {
        image.result = -1;
        return image;
    }
    std::vector<std::uint8_t>& bytes = image.bytes;
    bytes[0] = 0xAA;
    bytes[1] = 0x55;
    Put16(bytes, 2, length);
    Put16(bytes, 4, macros.size());
    std::size_t at = kMacroImageHeaderSize + 2 * macros.size();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        Put16(bytes, kMacroImageHeaderSize + 2 * i, at);
        Put16(bytes, at, macros[i].size());
        at += 4;
        for (const MacroEvent& event : macros[i]) {
            const auto encoded = EncodeMacroEvent(event);
            std::copy(encoded.begin(), encoded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
            at += 4;
        }
    }
    return image;
}

}  // namespace r88
