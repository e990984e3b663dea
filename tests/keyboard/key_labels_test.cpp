// Key labels on the device picture, from the assignment codes.
#include "keyboard/key_labels.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace r88 {
namespace {

// Shows text ids in brackets so tests see which parts were ids.
std::string Shown(const std::optional<KeyLabel>& label) {
    if (!label) return "(unchanged)";
    return KeyLabelText(*label, [](std::string_view id) { return "[" + std::string(id) + "]"; });
}

TEST(KeyLabels, LabelsByType) {
    const std::vector<std::string> macros = {"m0", "m1", "m2", "m3", "m4"};
    struct Case {
        KeyAssignment code;
        const char* shown;
    };
    const Case cases[] = {
        {{0x20, 0x01, 0x12}, "[keyboard_key_LCtrl]+[keyboard_key_O]"},
        {{0x20, 0x05, 0x04}, "[keyboard_key_A]"},  // a mask no row names adds nothing
        {{0x20, 0x03, 0x00}, ""},
        {{0x20, 0x00, 0x00}, "[key_set_visible_text]"},
        {{0x00, 0x00, 0x00}, "[key_set_visible_text]"},
        {{0x20, 0x00, 0x04}, "[keyboard_key_A]"},
        {{0x20, 0x10, 0x00}, "[keyboard_key_RCtrl]"},
        {{0x10, 0x02, 0x00}, "[mouse_key_right]"},
        {{0x10, 0x40, 0x00}, ""},
        {{0x11, 0x15, 0x83}, "[mouse_key_right_Swing]"},
        {{0x11, 0x15, 0x03}, "[mouse_key_left_Swing]"},
        {{0x12, 0x00, 0xFD}, "[mouse_key_down_Swing]"},
        {{0x12, 0x00, 0x03}, "[mouse_key_up_Swing]"},
        {{0x13, 0x03, 0x00}, "[mouse_key_DPI_loop]"},
        {{0x14, 0x10, 0x05}, "[mouse_key_fire_key]"},
        {{0x16, 0x90, 0x01}, "[mouse_key_DPI_shift]"},
        {{0x22, 0x00, 0x07}, "[custem_save]"},
        {{0x22, 0x00, 0x09}, ""},
        {{0x23, 0x00, 0x00}, "[show_window]"},
        {{0x30, 0x26, 0x02}, "[wed_stop]"},
        {{0x40, 0x02, 0x00}, "[system_sleep]"},
        {{0x70, 0x04, 0x02}, "m4"},
        {{0x71, 0x01, 0x09}, "m1"},
        {{0x70, 0x05, 0x02}, ""},  // one past the list
        {{0x71, 0xFF, 0x02}, ""},
        {{0x72, 0x01, 0x00}, "关闭"},
        {{0x99, 0x00, 0x00}, "关闭"},
        {{0xA0, 0x01, 0x00}, "[keyboard_key_FN]"},
        {{0xA0, 0x02, 0x00}, "[mouse_key_smart_key]"},
        {{0xA0, 0x00, 0x00}, "[key_set_visible_text]"},
        {{0xA0, 0x55, 0x00}, ""},
        {{0xD0, 0xA2, 0x03}, "[keyboard_key_M3]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Shown(DeriveKeyLabel(c.code, macros)), c.shown)
            << int(c.code.type) << " " << int(c.code.param1);
    }
    for (std::uint8_t type : {0x15, 0x21, 0x50, 0x60, 0xB0, 0xC0}) {
        EXPECT_FALSE(DeriveKeyLabel({type, 0x01, 0x02}, macros).has_value()) << int(type);
    }
}

TEST(KeyLabels, KeyMarksCompareDisplayTextsWithoutCase) {
    EXPECT_EQ(KeyMarkFor("Esc", "ESC", true), KeyMark::kHideSetImage);
    EXPECT_EQ(KeyMarkFor("Ctrl+O", "Esc", true), KeyMark::kShowUnsetImage);
    EXPECT_EQ(KeyMarkFor("Ctrl+O", "Esc", false), KeyMark::kPlain);
    EXPECT_STREQ(DefaultKeyName({0x20, 0x00, 0x29}), "keyboard_key_Esc");
    EXPECT_STREQ(DefaultKeyName({0xA0, 0x24, 0x00}), "keyboard_key_COLOR");
    EXPECT_EQ(DefaultKeyName({0x20, 0x00, 0x00}), nullptr);
}

}  // namespace
}  // namespace r88
