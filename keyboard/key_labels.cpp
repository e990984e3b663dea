#include "keyboard/key_labels.h"

#include <cctype>
#include <span>

#include "keyboard/key_assignment_tables.h"

namespace r88 {
namespace {

KeyLabel Id(const char* textId) {
    return {KeyLabelPart{textId, true}};
}

KeyLabel NamedOrEmpty(std::span<const NamedCode> table, const KeyAssignment& code, bool param1Only) {
    for (const NamedCode& row : table) {
        if (row.code.param1 == code.param1 && (param1Only || row.code.param2 == code.param2))
            return Id(row.textId);
    }
    return {};
}

KeyLabel KeyboardLabel(const KeyAssignment& code) {
    for (const KeyTableRow& row : kKeyTable) {
        if (row.code.type == assign_type::kKeyboard && row.code.param1 == code.param1 &&
            row.code.param2 == code.param2) {
            return Id(row.textId);
        }
    }
    if (code.param1 == 0 && code.param2 == 0) return Id("key_set_visible_text");
    // Modifier and key: every row naming one of the two. A zero param names
    // nothing (every plain key has param1 0, every modifier param2 0).
    KeyLabel parts;
    for (const KeyTableRow& row : kKeyTable) {
        if (row.code.type != assign_type::kKeyboard) continue;
        if ((code.param1 != 0 && row.code.param1 == code.param1) ||
            (code.param2 != 0 && row.code.param2 == code.param2)) {
            parts.push_back({row.textId, true});
        }
    }
    return parts;
}

KeyLabel SpecialOrKeyLabel(const KeyAssignment& code) {
    if (const char* special = FindSpecialLabel(code)) return Id(special);
    const int row = FindKeyRow(code);
    if (row < 0) return {};
    return Id(kKeyTable[static_cast<std::size_t>(row)].textId);
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<KeyLabel> DeriveKeyLabel(const KeyAssignment& code,
                                       const std::vector<std::string>& macroNames) {
    switch (code.type) {
        case assign_type::kNone:
        case assign_type::kKeyboard:
            return KeyboardLabel(code);
        case assign_type::kMouseButton:
            return NamedOrEmpty(kMouseButtonTable, code, true);
        case assign_type::kMouseSwing:
            return Id((code.param2 & 0x80) ? "mouse_key_right_Swing" : "mouse_key_left_Swing");
        case assign_type::kMouseWheel:
            return Id((code.param2 & 0x80) ? "mouse_key_down_Swing" : "mouse_key_up_Swing");
        case assign_type::kDpi:
            return NamedOrEmpty(kDpiTable, code, true);
        case assign_type::kMouseFire:
            return Id("mouse_key_fire_key");
        case assign_type::kDpiShift:
            return Id("mouse_key_DPI_shift");
        case assign_type::kEditCommand:
            if (code.param1 == 0 && code.param2 < kEditCommandTable.size())
                return Id(kEditCommandTable[code.param2]);
            return KeyLabel{};
        case assign_type::kShowWindow:
            return Id("show_window");
        case assign_type::kMedia:
            return NamedOrEmpty(kMediaTable, code, false);
        case assign_type::kSystem:
            return NamedOrEmpty(kSystemTable, code, true);
        case assign_type::kMacro:
        case assign_type::kMacroCount:
            // Macro indexes come from devices and documents; one past the list names nothing.
            if (code.param1 < macroNames.size()) return KeyLabel{{macroNames[code.param1], false}};
            return KeyLabel{};
        case assign_type::kSpecial:
        case assign_type::kMKey:
            return SpecialOrKeyLabel(code);
        case 0x15:
        case 0x21:
        case 0x50:
        case 0x60:
        case 0xB0:
        case 0xC0:
            return std::nullopt;
        default:  // the gun keys and every unknown type
            return KeyLabel{{"关闭", false}};
    }
}

std::string KeyLabelText(const KeyLabel& label, const std::function<std::string(std::string_view)>& resolve) {
    std::string text;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (i > 0) text += '+';
        text += label[i].isTextId ? resolve(label[i].text) : label[i].text;
    }
    return text;
}

const char* DefaultKeyName(const KeyAssignment& defaultCode) {
    const int row = FindKeyRow(defaultCode);
    return row < 0 ? nullptr : kKeyTable[static_cast<std::size_t>(row)].textId;
}

KeyMark KeyMarkFor(std::string_view label, std::string_view defaultName, bool writePending) {
    if (EqualNoCase(label, defaultName)) return KeyMark::kHideSetImage;
    return writePending ? KeyMark::kShowUnsetImage : KeyMark::kPlain;
}

}  // namespace r88
