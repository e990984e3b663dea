#include "keyboard/key_assignment_tables.h"

namespace r88 {

int FindNamedCode(std::span<const NamedCode> table, const KeyAssignment& code) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].code == code) return static_cast<int>(i);
    }
    return -1;
}

int FindKeyRowByScanCode(std::uint8_t scanCode, bool extended) {
    for (std::size_t i = 0; i <= kLastScanCodeRow; ++i) {
        if (kKeyTable[i].scanCode == scanCode && kKeyTable[i].extended == extended)
            return static_cast<int>(i);
    }
    return -1;
}

int FindKeyRow(const KeyAssignment& code) {
    for (std::size_t i = 0; i < kKeyTable.size(); ++i) {
        if (kKeyTable[i].code == code) return static_cast<int>(i);
    }
    return -1;
}

const char* FindSpecialLabel(const KeyAssignment& code) {
    for (const SpecialLabel& s : kSpecialLabelTable) {
        if (s.type == code.type && (!s.matchParam1 || s.param1 == code.param1)) return s.textId;
    }
    return nullptr;
}

}  // namespace r88
