#include "keyboard/key_set_panel_model.h"

#include <algorithm>
#include <climits>
#include <span>

#include "keyboard/key_assignment_tables.h"
#include "platform/trace.h"

namespace r88 {
namespace {

std::uint8_t Byte(long long v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

// Row `item` of a table as an entry, or the working entry when nothing valid is selected.
KeyAssignmentEntry RowOrWorking(std::span<const NamedCode> table, int item,
                                const KeyAssignmentEntry& working) {
    if (item < 0 || static_cast<std::size_t>(item) >= table.size()) return working;
    return {static_cast<std::uint16_t>(item), table[static_cast<std::size_t>(item)].code, 0};
}

KeyAssignmentEntry WithCode(const KeyAssignmentEntry& base, KeyAssignment code) {
    KeyAssignmentEntry e = base;
    e.code = code;
    return e;
}

// Delay in the high nibble, speed in the low one; each keeps its low 4 bits.
std::uint8_t DelaySpeed(std::string_view delay, std::string_view speed) {
    return static_cast<std::uint8_t>(((EditNumber(delay) & 0x0F) << 4) | (EditNumber(speed) & 0x0F));
}

int FindModifierRow(std::uint8_t mask) {
    for (std::size_t r = 0; r < kModifierRowCount; ++r) {
        if (kKeyTable[r].code.param1 == mask) return static_cast<int>(r);
    }
    return -1;
}

// Keyboard-key rows (type 0x20) matching both params, or -1.
int FindKeyboardRow(std::uint8_t param1, std::uint8_t param2, std::size_t firstRow) {
    for (std::size_t r = firstRow; r < kKeyTable.size(); ++r) {
        const KeyAssignment& c = kKeyTable[r].code;
        if (c.type == assign_type::kKeyboard && c.param1 == param1 && c.param2 == param2)
            return static_cast<int>(r);
    }
    return -1;
}

int FindCombinationRow(const KeyAssignment& code) {
    for (std::size_t i = 0; i < kCombinationKeyTable.size(); ++i) {
        if (kCombinationKeyTable[i].param1 == code.param1 && kCombinationKeyTable[i].param2 == code.param2) {
            return static_cast<int>(i);
        }
    }
    return kNoSelection;
}

// Returns the function that shows the code.
int DecodeKeyboardKey(KeySetPanelState& state, const KeyAssignment& code) {
    const std::uint8_t p1 = code.param1;
    const std::uint8_t p2 = code.param2;
    if (p1 != 0 && p2 != 0 && p1 <= 128) {
        // One modifier and a key; a mask of several modifiers cannot be shown.
        const int mod = FindModifierRow(p1);
        if (mod < 0) {
            state.working.code.param1 = 0;
            state.modifierOption = 0;
        } else {
            state.modifierOption = ModifierOptionOfRow(static_cast<std::size_t>(mod));
        }
        const int key = FindKeyboardRow(0, p2, kModifierRowCount);
        state.keyTextId = key < 0 ? std::string() : kKeyTable[static_cast<std::size_t>(key)].textId;
        return key_function::kKeyboardKey;
    }
    if (p1 != 0 && p2 != 0) {
        state.combinationKeyItem = FindCombinationRow(code);
        return key_function::kCombinationKey;
    }
    const int row = FindKeyboardRow(p1, p2, 0);
    if (row < 0) {
        state.modifierOption = kNoSelection;
        state.keyTextId.clear();
        state.working.code.param1 = 0;
        state.working.code.param2 = 0;
        return key_function::kKeyboardKey;
    }
    // A lone modifier keeps its option, so applying the shown choices again
    // stores the modifier instead of an empty key.
    const auto r = static_cast<std::size_t>(row);
    state.modifierOption = r < kModifierRowCount ? ModifierOptionOfRow(r) : 0;
    state.keyTextId = kKeyTable[r].textId;
    return key_function::kKeyboardKey;
}

}  // namespace

std::uint8_t EditNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    }
    return Byte(negative ? -value : value);
}

bool IsFunctionShown(int deviceKind, int function) {
    if (deviceKind == kDeviceKindKeyboard) {
        return function != key_function::kDpi && function != key_function::kGunKey;
    }
    return true;
}

KeyAssignmentEntry EncodeFromPanel(const KeySetPanelState& s) {
    const KeyAssignmentEntry& w = s.working;
    switch (s.function) {
        case key_function::kMouseButton:
            return RowOrWorking(kMouseButtonTable, s.mouseKeyItem, w);
        case key_function::kMouseSwing: {
            const std::uint8_t n = EditNumber(s.swingCount);
            const std::uint8_t p2 = s.swingDirectionItem == 1 ? (n | 0x80) : (n & 0x7F);
            return WithCode(w, {assign_type::kMouseSwing, DelaySpeed(s.swingDelay, s.swingSpeed), p2});
        }
        case key_function::kMouseWheel: {
            const std::uint8_t n = EditNumber(s.wheelCount);
            const std::uint8_t p2 = s.wheelDirectionItem == 1 ? Byte((128 - n) | 0x80) : (n & 0x7F);
            return WithCode(w, {assign_type::kMouseWheel, DelaySpeed(s.wheelDelay, s.wheelSpeed), p2});
        }
        case key_function::kDpi:
            return RowOrWorking(kDpiTable, s.dpiItem, w);
        case key_function::kMouseFire:
            return WithCode(w,
                            {assign_type::kMouseFire, EditNumber(s.fireInterval), EditNumber(s.fireCount)});
        case key_function::kKeyboardKey: {
            const std::uint8_t p2 = s.keyTextId.empty() ? 0 : w.code.param2;
            return WithCode(w, {assign_type::kKeyboard, ModifierOptionMask(s.modifierOption), p2});
        }
        case key_function::kMedia:
            return RowOrWorking(kMediaTable, s.mediaItem, w);
        case key_function::kSystem:
            return RowOrWorking(kSystemTable, s.systemItem, w);
        case key_function::kMacro: {
            if (s.macroItem < 0 || s.macroPlayItem < 0) return w;
            const std::uint8_t index = Byte(s.macroItem);
            if (s.macroPlayItem == kMacroPlayCountItem) {
                return WithCode(w, {assign_type::kMacroCount, index, EditNumber(s.macroCycleCount)});
            }
            return WithCode(w, {assign_type::kMacro, index, Byte(s.macroPlayItem)});
        }
        case key_function::kGunKey:
            if (s.gunKeyItem < 0) return w;
            return WithCode(w, {assign_type::kGun, Byte(s.gunKeyItem), 0});
        case key_function::kCombinationKey:
            if (s.combinationKeyItem < 0 ||
                static_cast<std::size_t>(s.combinationKeyItem) >= kCombinationKeyTable.size()) {
                return w;
            }
            return {static_cast<std::uint16_t>(s.combinationKeyItem),
                    kCombinationKeyTable[static_cast<std::size_t>(s.combinationKeyItem)], 0};
        case key_function::kDisableKey:
            Trace("禁用按键");
            return WithCode(w, {assign_type::kSpecial, 0, 0});
        default:  // 0 and unknown numbers: the key's own default
            return s.defaults;
    }
}

void DecodeToPanel(KeySetPanelState& state, const KeyAssignmentEntry& entry) {
    const KeyAssignment& c = entry.code;
    const std::uint8_t type = c == state.defaults.code ? assign_type::kNone : c.type;
    int fn = kNoSelection;
    switch (type) {
        case assign_type::kNone:
            fn = key_function::kDefault;
            break;
        case assign_type::kMouseButton:
            fn = key_function::kMouseButton;
            state.mouseKeyItem = FindNamedCode(kMouseButtonTable, c);
            break;
        case assign_type::kMouseSwing:
            fn = key_function::kMouseSwing;
            state.swingDelay = std::to_string(c.param1 >> 4);
            state.swingSpeed = std::to_string(c.param1 & 0x0F);
            state.swingCount = std::to_string((c.param2 & 0x80) ? (c.param2 & 0x7F) : c.param2);
            state.swingDirectionItem = (c.param2 & 0x80) ? 1 : 0;
            break;
        case assign_type::kMouseWheel:
            fn = key_function::kMouseWheel;
            state.wheelDelay = std::to_string(c.param1 >> 4);
            state.wheelSpeed = std::to_string(c.param1 & 0x0F);
            state.wheelCount = std::to_string((c.param2 & 0x80) ? 128 - (c.param2 & 0x7F) : c.param2);
            state.wheelDirectionItem = (c.param2 & 0x80) ? 1 : 0;
            break;
        case assign_type::kDpi:
            fn = key_function::kDpi;
            state.dpiItem = FindNamedCode(kDpiTable, c);
            break;
        case assign_type::kMouseFire:
            fn = key_function::kMouseFire;
            state.fireInterval = std::to_string(c.param1);
            state.fireCount = std::to_string(c.param2);
            break;
        case assign_type::kKeyboard:
            fn = DecodeKeyboardKey(state, c);
            break;
        case assign_type::kMedia:
            fn = key_function::kMedia;
            state.mediaItem = FindNamedCode(kMediaTable, c);
            break;
        case assign_type::kSystem:
            fn = key_function::kSystem;
            state.systemItem = FindNamedCode(kSystemTable, c);
            break;
        case assign_type::kMacro:
            fn = key_function::kMacro;
            if (c.param1 >= state.macroCount) {
                state.macroItem = kNoSelection;
                state.macroPlayItem = kNoSelection;
            } else {
                state.macroItem = c.param1;
                state.macroPlayItem = c.param2 < kMacroPlayItemCount ? c.param2 : kNoSelection;
            }
            state.macroCycleVisible = false;
            break;
        case assign_type::kMacroCount:
            fn = key_function::kMacro;
            if (c.param1 >= state.macroCount) {
                state.macroItem = kNoSelection;
                state.macroCycleVisible = false;
            } else {
                state.macroItem = c.param1;
                state.macroCycleVisible = true;
            }
            state.macroCycleCount = std::to_string(c.param2);
            state.macroPlayItem = kMacroPlayCountItem;
            break;
        case assign_type::kGun:
            fn = key_function::kGunKey;
            state.gunKeyItem = c.param1;  // the combo's own item count bounds it
            break;
        case assign_type::kSpecial:
            fn = key_function::kDisableKey;
            break;
        default:
            break;
    }
    const bool listed =
        fn != kNoSelection &&
        std::find(state.functionItems.begin(), state.functionItems.end(), fn) != state.functionItems.end();
    state.layoutVisible = listed;
    if (listed) state.function = fn;
}

void ShowKey(KeySetPanelState& state, const KeyAssignmentEntry& current, const KeyAssignmentEntry& defaults) {
    state.current = current;
    state.defaults = defaults;
    state.working = current;
    DecodeToPanel(state, current);
}

void ShowDefault(KeySetPanelState& state) {
    DecodeToPanel(state, state.defaults);
}

void CancelEdit(KeySetPanelState& state) {
    state.working = state.current;
    DecodeToPanel(state, state.current);
}

KeyAssignmentEntry ApplyPanel(KeySetPanelState& state) {
    state.working = EncodeFromPanel(state);
    state.current = state.working;  // what the page now holds for the key
    return state.working;
}

void ChooseFunction(KeySetPanelState& state, int function) {
    state.function = function;
    if (function == key_function::kKeyboardKey) {
        state.keyTextId.clear();
        state.modifierOption = kNoSelection;
    }
}

void ChooseMacroPlayMode(KeySetPanelState& state, int item) {
    state.macroPlayItem = item;
    state.macroCycleVisible = item == kMacroPlayCountItem;
}

bool CaptureKey(KeySetPanelState& state, std::uint8_t scanCode, bool extended) {
    if (state.function != key_function::kKeyboardKey) return false;
    const int found = FindKeyRowByScanCode(scanCode, extended);
    if (found < 0) return false;
    const auto row = static_cast<std::size_t>(found);
    KeyAssignment& w = state.working.code;
    if (row < kModifierRowCount) {
        state.modifierOption = ModifierOptionOfRow(row);
        w = {assign_type::kKeyboard, ModifierOptionMask(state.modifierOption), w.param2};
        return true;
    }
    if (state.modifierOption == kNoSelection) state.modifierOption = 0;
    state.keyTextId = kKeyTable[row].textId;
    w = {assign_type::kKeyboard, ModifierOptionMask(state.modifierOption), kKeyTable[row].code.param2};
    return true;
}

}  // namespace r88
