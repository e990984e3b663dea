#pragma once
// The code tables behind key assignments: what each row of the function
// combos stands for, and the key table used for names, capture and labels.
// Names are language text ids; the panels resolve them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "profile/profile_records.h"

namespace r88 {

// The type byte of a KeyAssignment.
namespace assign_type {
inline constexpr std::uint8_t kNone = 0x00;
inline constexpr std::uint8_t kMouseButton = 0x10;
inline constexpr std::uint8_t kMouseSwing = 0x11;
inline constexpr std::uint8_t kMouseWheel = 0x12;
inline constexpr std::uint8_t kDpi = 0x13;
inline constexpr std::uint8_t kMouseFire = 0x14;
inline constexpr std::uint8_t kDpiShift = 0x16;
inline constexpr std::uint8_t kKeyboard = 0x20;
inline constexpr std::uint8_t kEditCommand = 0x22;
inline constexpr std::uint8_t kShowWindow = 0x23;
inline constexpr std::uint8_t kMedia = 0x30;
inline constexpr std::uint8_t kSystem = 0x40;
inline constexpr std::uint8_t kMacro = 0x70;
inline constexpr std::uint8_t kMacroCount = 0x71;
inline constexpr std::uint8_t kGun = 0x72;
inline constexpr std::uint8_t kSpecial = 0xA0;
inline constexpr std::uint8_t kMKey = 0xD0;
}  // namespace assign_type

// A row of the key table. scanCode and extended are meaningful for rows
// 0..kLastScanCodeRow only (the keys a keyboard reports by scan code).
struct KeyTableRow {
    const char* textId;
    std::uint8_t scanCode;
    bool extended;
    KeyAssignment code;
};

// A row of the smaller tables: a name and the code it stands for.
struct NamedCode {
    const char* textId;
    KeyAssignment code;
};

inline constexpr std::size_t kModifierRowCount = 8;  // rows 0..7
inline constexpr std::size_t kLastScanCodeRow = 112;

inline constexpr std::array<KeyTableRow, 142> kKeyTable{{
    {"keyboard_key_LCtrl", 0x1D, false, {0x20, 0x01, 0x00}},                // 0
    {"keyboard_key_LShift", 0x2A, false, {0x20, 0x02, 0x00}},               // 1
    {"keyboard_key_LAlt", 0x38, false, {0x20, 0x04, 0x00}},                 // 2
    {"keyboard_key_LWin", 0x5B, true, {0x20, 0x08, 0x00}},                  // 3
    {"keyboard_key_RCtrl", 0x1D, true, {0x20, 0x10, 0x00}},                 // 4
    {"keyboard_key_RShift", 0x36, true, {0x20, 0x20, 0x00}},                // 5
    {"keyboard_key_RAlt", 0x38, true, {0x20, 0x40, 0x00}},                  // 6
    {"keyboard_key_RWin", 0x5C, true, {0x20, 0x80, 0x00}},                  // 7
    {"keyboard_key_A", 0x1E, false, {0x20, 0x00, 0x04}},                    // 8
    {"keyboard_key_B", 0x30, false, {0x20, 0x00, 0x05}},                    // 9
    {"keyboard_key_C", 0x2E, false, {0x20, 0x00, 0x06}},                    // 10
    {"keyboard_key_D", 0x20, false, {0x20, 0x00, 0x07}},                    // 11
    {"keyboard_key_E", 0x12, false, {0x20, 0x00, 0x08}},                    // 12
    {"keyboard_key_F", 0x21, false, {0x20, 0x00, 0x09}},                    // 13
    {"keyboard_key_G", 0x22, false, {0x20, 0x00, 0x0A}},                    // 14
    {"keyboard_key_H", 0x23, false, {0x20, 0x00, 0x0B}},                    // 15
    {"keyboard_key_I", 0x17, false, {0x20, 0x00, 0x0C}},                    // 16
    {"keyboard_key_J", 0x24, false, {0x20, 0x00, 0x0D}},                    // 17
    {"keyboard_key_K", 0x25, false, {0x20, 0x00, 0x0E}},                    // 18
    {"keyboard_key_L", 0x26, false, {0x20, 0x00, 0x0F}},                    // 19
    {"keyboard_key_M", 0x32, false, {0x20, 0x00, 0x10}},                    // 20
    {"keyboard_key_N", 0x31, false, {0x20, 0x00, 0x11}},                    // 21
    {"keyboard_key_O", 0x18, false, {0x20, 0x00, 0x12}},                    // 22
    {"keyboard_key_P", 0x19, false, {0x20, 0x00, 0x13}},                    // 23
    {"keyboard_key_Q", 0x10, false, {0x20, 0x00, 0x14}},                    // 24
    {"keyboard_key_R", 0x13, false, {0x20, 0x00, 0x15}},                    // 25
    {"keyboard_key_S", 0x1F, false, {0x20, 0x00, 0x16}},                    // 26
    {"keyboard_key_T", 0x14, false, {0x20, 0x00, 0x17}},                    // 27
    {"keyboard_key_U", 0x16, false, {0x20, 0x00, 0x18}},                    // 28
    {"keyboard_key_V", 0x2F, false, {0x20, 0x00, 0x19}},                    // 29
    {"keyboard_key_W", 0x11, false, {0x20, 0x00, 0x1A}},                    // 30
    {"keyboard_key_X", 0x2D, false, {0x20, 0x00, 0x1B}},                    // 31
    {"keyboard_key_Y", 0x15, false, {0x20, 0x00, 0x1C}},                    // 32
    {"keyboard_key_Z", 0x2C, false, {0x20, 0x00, 0x1D}},                    // 33
    {"keyboard_key_1", 0x02, false, {0x20, 0x00, 0x1E}},                    // 34
    {"keyboard_key_2", 0x03, false, {0x20, 0x00, 0x1F}},                    // 35
    {"keyboard_key_3", 0x04, false, {0x20, 0x00, 0x20}},                    // 36
    {"keyboard_key_4", 0x05, false, {0x20, 0x00, 0x21}},                    // 37
    {"keyboard_key_5", 0x06, false, {0x20, 0x00, 0x22}},                    // 38
    {"keyboard_key_6", 0x07, false, {0x20, 0x00, 0x23}},                    // 39
    {"keyboard_key_7", 0x08, false, {0x20, 0x00, 0x24}},                    // 40
    {"keyboard_key_8", 0x09, false, {0x20, 0x00, 0x25}},                    // 41
    {"keyboard_key_9", 0x0A, false, {0x20, 0x00, 0x26}},                    // 42
    {"keyboard_key_0", 0x0B, false, {0x20, 0x00, 0x27}},                    // 43
    {"keyboard_key_Enter", 0x1C, false, {0x20, 0x00, 0x28}},                // 44
    {"keyboard_key_Esc", 0x01, false, {0x20, 0x00, 0x29}},                  // 45
    {"keyboard_key_BackSpace", 0x0E, false, {0x20, 0x00, 0x2A}},            // 46
    {"keyboard_key_Tab", 0x0F, false, {0x20, 0x00, 0x2B}},                  // 47
    {"keyboard_key_Space", 0x39, false, {0x20, 0x00, 0x2C}},                // 48
    {"keyboard_key_-", 0x0C, false, {0x20, 0x00, 0x2D}},                    // 49
    {"keyboard_key_=", 0x0D, false, {0x20, 0x00, 0x2E}},                    // 50
    {"keyboard_key_[", 0x1A, false, {0x20, 0x00, 0x2F}},                    // 51
    {"keyboard_key_]", 0x1B, false, {0x20, 0x00, 0x30}},                    // 52
    {"keyboard_key_xiegang", 0x2B, false, {0x20, 0x00, 0x31}},              // 53
    {"keyboard_key_;", 0x27, false, {0x20, 0x00, 0x33}},                    // 54
    {"keyboard_key_'", 0x28, false, {0x20, 0x00, 0x34}},                    // 55
    {"keyboard_key_`", 0x29, false, {0x20, 0x00, 0x35}},                    // 56
    {"keyboard_key_<", 0x33, false, {0x20, 0x00, 0x36}},                    // 57
    {"keyboard_key_.", 0x34, false, {0x20, 0x00, 0x37}},                    // 58
    {"keyboard_key_/", 0x35, false, {0x20, 0x00, 0x38}},                    // 59
    {"keyboard_key_Caplk", 0x3A, false, {0x20, 0x00, 0x39}},                // 60
    {"keyboard_key_F1", 0x3B, false, {0x20, 0x00, 0x3A}},                   // 61
    {"keyboard_key_F2", 0x3C, false, {0x20, 0x00, 0x3B}},                   // 62
    {"keyboard_key_F3", 0x3D, false, {0x20, 0x00, 0x3C}},                   // 63
    {"keyboard_key_F4", 0x3E, false, {0x20, 0x00, 0x3D}},                   // 64
    {"keyboard_key_F5", 0x3F, false, {0x20, 0x00, 0x3E}},                   // 65
    {"keyboard_key_F6", 0x40, false, {0x20, 0x00, 0x3F}},                   // 66
    {"keyboard_key_F7", 0x41, false, {0x20, 0x00, 0x40}},                   // 67
    {"keyboard_key_F8", 0x42, false, {0x20, 0x00, 0x41}},                   // 68
    {"keyboard_key_F9", 0x43, false, {0x20, 0x00, 0x42}},                   // 69
    {"keyboard_key_F10", 0x44, false, {0x20, 0x00, 0x43}},                  // 70
    {"keyboard_key_F11", 0x57, false, {0x20, 0x00, 0x44}},                  // 71
    {"keyboard_key_F12", 0x58, false, {0x20, 0x00, 0x45}},                  // 72
    {"keyboard_key_Print Scr", 0x37, true, {0x20, 0x00, 0x46}},             // 73
    {"keyboard_key_Scroll Lock", 0x46, false, {0x20, 0x00, 0x47}},          // 74
    {"keyboard_key_Pause", 0x45, false, {0x20, 0x00, 0x48}},                // 75
    {"keyboard_key_Insert", 0x52, true, {0x20, 0x00, 0x49}},                // 76
    {"keyboard_key_Home", 0x47, true, {0x20, 0x00, 0x4A}},                  // 77
    {"keyboard_key_Page Up", 0x49, true, {0x20, 0x00, 0x4B}},               // 78
    {"keyboard_key_Delete", 0x53, true, {0x20, 0x00, 0x4C}},                // 79
    {"keyboard_key_End", 0x4F, true, {0x20, 0x00, 0x4D}},                   // 80
    {"keyboard_key_Page Down", 0x51, true, {0x20, 0x00, 0x4E}},             // 81
    {"keyboard_key_Right", 0x4D, true, {0x20, 0x00, 0x4F}},                 // 82
    {"keyboard_key_Left", 0x4B, true, {0x20, 0x00, 0x50}},                  // 83
    {"keyboard_key_Down", 0x50, true, {0x20, 0x00, 0x51}},                  // 84
    {"keyboard_key_Up", 0x48, true, {0x20, 0x00, 0x52}},                    // 85
    {"keyboard_key_Num Lock", 0x45, true, {0x20, 0x00, 0x53}},              // 86
    {"keyboard_key_Num /", 0x35, true, {0x20, 0x00, 0x54}},                 // 87
    {"keyboard_key_Num *", 0x37, false, {0x20, 0x00, 0x55}},                // 88
    {"keyboard_key_Num -", 0x4A, false, {0x20, 0x00, 0x56}},                // 89
    {"keyboard_key_Num +", 0x4E, false, {0x20, 0x00, 0x57}},                // 90
    {"keyboard_key_Num Enter", 0x1C, true, {0x20, 0x00, 0x58}},             // 91
    {"keyboard_key_Num 1", 0x4F, false, {0x20, 0x00, 0x59}},                // 92
    {"keyboard_key_Num 2", 0x50, false, {0x20, 0x00, 0x5A}},                // 93
    {"keyboard_key_Num 3", 0x51, false, {0x20, 0x00, 0x5B}},                // 94
    {"keyboard_key_Num 4", 0x4B, false, {0x20, 0x00, 0x5C}},                // 95
    {"keyboard_key_Num 5", 0x4C, false, {0x20, 0x00, 0x5D}},                // 96
    {"keyboard_key_Num 6", 0x4D, false, {0x20, 0x00, 0x5E}},                // 97
    {"keyboard_key_Num 7", 0x47, false, {0x20, 0x00, 0x5F}},                // 98
    {"keyboard_key_Num 8", 0x48, false, {0x20, 0x00, 0x60}},                // 99
    {"keyboard_key_Num 9", 0x49, false, {0x20, 0x00, 0x61}},                // 100
    {"keyboard_key_Num 0", 0x52, false, {0x20, 0x00, 0x62}},                // 101
    {"keyboard_key_Decimal", 0x53, false, {0x20, 0x00, 0x63}},              // 102
    {"keyboard_key_App", 0x5D, true, {0x20, 0x00, 0x65}},                   // 103
    {"keyboard_key_K45", 0x56, false, {0x20, 0x00, 0x64}},                  // 104
    {"keyboard_key_K56", 0x73, false, {0x20, 0x00, 0x87}},                  // 105
    {"keyboard_key_K14", 0x7D, false, {0x20, 0x00, 0x89}},                  // 106
    {"keyboard_key_K107", 0x7E, false, {0x20, 0x00, 0x85}},                 // 107
    {"keyboard_key_K131", 0x7B, false, {0x20, 0x00, 0x8B}},                 // 108
    {"keyboard_key_K132", 0x79, false, {0x20, 0x00, 0x8A}},                 // 109
    {"keyboard_key_K133", 0x70, false, {0x20, 0x00, 0x88}},                 // 110
    {"keyboard_key_K150", 0x71, false, {0x20, 0x00, 0x91}},                 // 111
    {"keyboard_key_K151", 0x72, false, {0x20, 0x00, 0x90}},                 // 112
    {"keyboard_key_Launch App2", 0x00, false, {0x30, 0x92, 0x01}},          // 113
    {"keyboard_key_Browaer Home", 0x00, false, {0x30, 0x23, 0x02}},         // 114
    {"keyboard_key_Media Play Pause", 0x00, false, {0x30, 0xCD, 0x00}},     // 115
    {"keyboard_key_Browser Search", 0x00, false, {0x30, 0x21, 0x02}},       // 116
    {"keyboard_key_Launch Mail", 0x00, false, {0x30, 0x8A, 0x01}},          // 117
    {"keyboard_key_Volume Up", 0x00, false, {0x30, 0xE9, 0x00}},            // 118
    {"keyboard_key_Volume Mute", 0x00, false, {0x30, 0xE2, 0x00}},          // 119
    {"keyboard_key_Media Stop", 0x00, false, {0x30, 0xB7, 0x00}},           // 120
    {"keyboard_key_Volume Down", 0x00, false, {0x30, 0xEA, 0x00}},          // 121
    {"keyboard_key_Browser Favorites", 0x00, false, {0x30, 0x2A, 0x02}},    // 122
    {"keyboard_key_Browser ForWard", 0x00, false, {0x30, 0x25, 0x02}},      // 123
    {"keyboard_key_Browser Back", 0x00, false, {0x30, 0x24, 0x02}},         // 124
    {"keyboard_key_Media Prev Track", 0x00, false, {0x30, 0xB6, 0x00}},     // 125
    {"keyboard_key_Media Next Track", 0x00, false, {0x30, 0xB5, 0x00}},     // 126
    {"keyboard_key_Computer", 0x00, false, {0x30, 0x94, 0x01}},             // 127
    {"keyboard_key_Browser Refresh", 0x00, false, {0x30, 0x27, 0x02}},      // 128
    {"wed_stop", 0x00, false, {0x30, 0x26, 0x02}},                          // 129
    {"keyboard_key_Launch Media Select", 0x00, false, {0x30, 0x83, 0x01}},  // 130
    {"keyboard_key_Power", 0x00, false, {0x40, 0x01, 0x00}},                // 131
    {"keyboard_key_Sleep", 0x00, false, {0x40, 0x02, 0x00}},                // 132
    {"keyboard_key_Wakeup", 0x00, false, {0x40, 0x04, 0x00}},               // 133
    {"keyboard_key_M1", 0x00, false, {0xD0, 0xA2, 0x01}},                   // 134
    {"keyboard_key_M2", 0x00, false, {0xD0, 0xA2, 0x02}},                   // 135
    {"keyboard_key_M3", 0x00, false, {0xD0, 0xA2, 0x03}},                   // 136
    {"keyboard_key_M4", 0x00, false, {0xD0, 0xA2, 0x04}},                   // 137
    {"keyboard_key_M5", 0x00, false, {0xD0, 0xA2, 0x05}},                   // 138
    {"keyboard_key_FN", 0x00, false, {0xA0, 0x01, 0x00}},                   // 139
    {"keyboard_key_GM", 0x00, false, {0xA0, 0x1B, 0x00}},                   // 140
    {"keyboard_key_COLOR", 0x00, false, {0xA0, 0x24, 0x00}},                // 141
}};

inline constexpr std::array<NamedCode, 5> kMouseButtonTable{{
    {"mouse_key_left", {0x10, 0x01, 0x00}},
    {"mouse_key_middle", {0x10, 0x04, 0x00}},
    {"mouse_key_right", {0x10, 0x02, 0x00}},
    {"mouse_key_forward", {0x10, 0x10, 0x00}},
    {"mouse_key_back", {0x10, 0x08, 0x00}},
}};

inline constexpr std::array<NamedCode, 3> kDpiTable{{
    {"mouse_key_DPI_add", {0x13, 0x01, 0x00}},
    {"mouse_key_DPI_sub", {0x13, 0x02, 0x00}},
    {"mouse_key_DPI_loop", {0x13, 0x03, 0x00}},
}};

// param1, param2 = the HID consumer usage, low byte first.
inline constexpr std::array<NamedCode, 18> kMediaTable{{
    {"media_text", {0x30, 0x83, 0x01}},
    {"media_play", {0x30, 0xCD, 0x00}},
    {"media_stop", {0x30, 0xB7, 0x00}},
    {"media_prev", {0x30, 0xB6, 0x00}},
    {"media_next", {0x30, 0xB5, 0x00}},
    {"media_vol_sub", {0x30, 0xEA, 0x00}},
    {"media_vol_add", {0x30, 0xE9, 0x00}},
    {"media_mute", {0x30, 0xE2, 0x00}},
    {"web_text", {0x30, 0x23, 0x02}},
    {"web_refresh", {0x30, 0x27, 0x02}},
    {"wed_stop", {0x30, 0x26, 0x02}},
    {"wed_back", {0x30, 0x24, 0x02}},
    {"wed_forward", {0x30, 0x25, 0x02}},
    {"wed_favorite", {0x30, 0x2A, 0x02}},
    {"web_search", {0x30, 0x21, 0x02}},
    {"media_mypc", {0x30, 0x94, 0x01}},
    {"media_calc", {0x30, 0x92, 0x01}},
    {"media_mail", {0x30, 0x8A, 0x01}},
}};

inline constexpr std::array<NamedCode, 3> kSystemTable{{
    {"system_power", {0x40, 0x01, 0x00}},
    {"system_sleep", {0x40, 0x02, 0x00}},
    {"system_wake_up", {0x40, 0x04, 0x00}},
}};

// All Ctrl + key; the item texts come from the layout file.
inline constexpr std::array<KeyAssignment, 11> kCombinationKeyTable{{
    {0x20, 0x01, 0x12},  // Ctrl+O
    {0x20, 0x01, 0x11},  // Ctrl+N
    {0x20, 0x01, 0x1D},  // Ctrl+Z
    {0x20, 0x01, 0x16},  // Ctrl+S
    {0x20, 0x01, 0x06},  // Ctrl+C
    {0x20, 0x01, 0x1B},  // Ctrl+X
    {0x20, 0x01, 0x19},  // Ctrl+V
    {0x20, 0x01, 0x09},  // Ctrl+F
    {0x20, 0x01, 0x04},  // Ctrl+A
    {0x20, 0x01, 0x2D},  // Ctrl+-
    {0x20, 0x01, 0x2E},  // Ctrl+=
}};

// Type 0x22 with param1 0: names by param2.
inline constexpr std::array<const char*, 9> kEditCommandTable{{
    "custem_cut",
    "custem_copy",
    "custem_paste",
    "custem_undo",
    "custem_select_all",
    "custem_find",
    "custem_new",
    "custem_save",
    "custem_open",
}};

// Label-only rows matched on the type and, where matchParam1 is set, param1.
struct SpecialLabel {
    std::uint8_t type;
    bool matchParam1;
    std::uint8_t param1;
    const char* textId;
};

inline constexpr std::array<SpecialLabel, 7> kSpecialLabelTable{{
    {0x14, false, 0x00, "mouse_key_fire_key"},
    {0x20, true, 0x00, "mouse_key_shortcut_key"},
    {0x20, true, 0x80, "win_key_text"},
    {0xA0, true, 0x02, "mouse_key_smart_key"},
    {0xA0, true, 0x00, "key_set_visible_text"},
    {0x16, false, 0x00, "mouse_key_DPI_shift"},
    {0x23, false, 0x00, "show_window"},
}};

// Modifier options "key_ComBox_check_0".."4": 0 no modifier, then Ctrl,
// Shift, Alt, Win.
inline constexpr int kModifierOptionCount = 5;
// The mask option k (1..4) stands for; 0 for option 0 and anything else.
constexpr std::uint8_t ModifierOptionMask(int option) {
    return option >= 1 && option < kModifierOptionCount ? static_cast<std::uint8_t>(1u << (option - 1)) : 0;
}
// The option of modifier row r (0..7); right-hand rows share their left twin's.
constexpr int ModifierOptionOfRow(std::size_t row) {
    return static_cast<int>((row + 1) % 5 + (row + 1) / 5);
}

// The first row of `table` whose code equals `code`, or -1.
int FindNamedCode(std::span<const NamedCode> table, const KeyAssignment& code);
// The first of rows 0..kLastScanCodeRow with this scan code and extended flag, or -1.
int FindKeyRowByScanCode(std::uint8_t scanCode, bool extended);
// The first key table row whose code equals `code` (type included), or -1.
int FindKeyRow(const KeyAssignment& code);
// The special label for a code, or nullptr.
const char* FindSpecialLabel(const KeyAssignment& code);

}  // namespace r88
