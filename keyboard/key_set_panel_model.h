#pragma once
// The key assignment panel without its widgets: the choices the panel shows,
// the selected key's pair and working entry, and the rules that turn choices
// into a code (EncodeFromPanel) and a code back into choices (DecodeToPanel).
// The Qt panel copies its controls into this state and back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profile/profile_records.h"

namespace r88 {

inline constexpr int kNoSelection = -1;

// User-data numbers of the "keyset_function_combo" items; the tab page of
// "function_switch_tablayout" for function n is page n.
namespace key_function {
inline constexpr int kDefault = 0;
inline constexpr int kMouseButton = 1;
inline constexpr int kMouseSwing = 2;
inline constexpr int kMouseWheel = 3;
inline constexpr int kDpi = 4;
inline constexpr int kMouseFire = 5;
inline constexpr int kKeyboardKey = 6;
inline constexpr int kMedia = 7;
inline constexpr int kSystem = 8;
inline constexpr int kMacro = 9;
inline constexpr int kGunKey = 10;
inline constexpr int kCombinationKey = 11;
inline constexpr int kDisableKey = 12;
}  // namespace key_function

// Item of "keyset_macro_over_combo" that plays a macro a given number of times.
inline constexpr int kMacroPlayCountItem = 4;
// Items of "keyset_macro_over_combo": play modes 0..3 and the count item.
inline constexpr int kMacroPlayItemCount = 5;

inline constexpr int kDeviceKindKeyboard = 1;
inline constexpr int kDeviceKindMouse = 2;

struct KeySetPanelState {
    // The selected key's pair as the page holds it, and the working copy of
    // its current entry that Apply stores.
    KeyAssignmentEntry current;
    KeyAssignmentEntry defaults;
    KeyAssignmentEntry working;

    int deviceKind = kDeviceKindKeyboard;
    // User-data numbers of the function combo's items, in item order.
    std::vector<int> functionItems{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // Items of "keyset_macro_combo" (the macro names).
    std::size_t macroCount = 0;

    bool layoutVisible = false;   // "keyset_layout"
    int function = kNoSelection;  // selected function number, also the tab page

    int mouseKeyItem = kNoSelection;
    int swingDirectionItem = kNoSelection;
    std::string swingCount, swingDelay, swingSpeed;
    int wheelDirectionItem = kNoSelection;
    std::string wheelCount, wheelDelay, wheelSpeed;
    int dpiItem = kNoSelection;
    std::string fireInterval, fireCount;
    // "keyset_keyboard_text_edit" shows the name of this key table text id;
    // empty when the edit is empty.
    std::string keyTextId;
    int modifierOption = kNoSelection;  // "key_ComBox_check_0".."4"
    int mediaItem = kNoSelection;
    int systemItem = kNoSelection;
    int macroItem = kNoSelection;
    int macroPlayItem = kNoSelection;  // "keyset_macro_over_combo"
    bool macroCycleVisible = false;    // "keyset_macro_cycle_layout"
    std::string macroCycleCount;
    int gunKeyItem = kNoSelection;
    int combinationKeyItem = kNoSelection;
};

// The decimal value of an edit's text cut to one byte; 0 when empty or not a number.
std::uint8_t EditNumber(std::string_view text);

// Whether the function list shows function `function` for this device kind
// (the keyboard has no DPI and no gun keys).
bool IsFunctionShown(int deviceKind, int function);

// The code for the panel's present choices. A function whose combo has no
// selected item yields the working entry unchanged.
KeyAssignmentEntry EncodeFromPanel(const KeySetPanelState& state);

// Sets the choices from a code; may clear the working entry's params where
// the code cannot be shown (see the keyboard-key rules).
void DecodeToPanel(KeySetPanelState& state, const KeyAssignmentEntry& entry);

// A key was selected: keep its pair, start a working copy and show it.
void ShowKey(KeySetPanelState& state, const KeyAssignmentEntry& current, const KeyAssignmentEntry& defaults);

// "key_butt_keydefalut": the default code is shown (always as function 0);
// the working entry waits for the next Apply.
void ShowDefault(KeySetPanelState& state);

// "key_butt_keycancel": the entry the page holds is shown again.
void CancelEdit(KeySetPanelState& state);

// Apply's first half: the working entry becomes the encoded choices and is
// returned for the page to store.
KeyAssignmentEntry ApplyPanel(KeySetPanelState& state);

// The user picked a function item: its tab page is shown; the keyboard key
// function starts from an empty key and no modifier. The caller then applies.
void ChooseFunction(KeySetPanelState& state, int function);

// The user picked a play mode: the count edit shows only for the count item.
void ChooseMacroPlayMode(KeySetPanelState& state, int item);

// A single key from the keyboard while the keyboard key function is shown.
// Returns false (nothing changed) for any other function or an unknown key;
// on true the caller applies.
bool CaptureKey(KeySetPanelState& state, std::uint8_t scanCode, bool extended);

}  // namespace r88
