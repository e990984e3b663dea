// The key assignment panel's rules without widgets: choices to codes, codes
// to choices, and key capture.
#include "keyboard/key_set_panel_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "keyboard/key_assignment_tables.h"
#include "platform/trace.h"

namespace r88 {

std::ostream& operator<<(std::ostream& os, const KeyAssignment& c) {
    return os << std::hex << int(c.type) << " " << int(c.param1) << " " << int(c.param2) << std::dec;
}

namespace {

constexpr KeyAssignment kEsc{0x20, 0x00, 0x29};
constexpr KeyAssignment kFn{0xA0, 0x01, 0x00};

KeyAssignmentEntry E(KeyAssignment code, std::uint16_t index = 0) {
    return {index, code, 0};
}

// A keyboard panel with six macros, showing the Esc key (default Esc) as assigned to `current`.
KeySetPanelState PanelOn(KeyAssignment current, KeyAssignment defaults = kEsc, std::size_t macros = 6) {
    KeySetPanelState s;
    s.macroCount = macros;
    ShowKey(s, E(current, 45), E(defaults, 45));
    return s;
}

TEST(KeySetPanelModel, EncodesEachFunctionFromItsControls) {
    struct Case {
        const char* name;
        std::function<void(KeySetPanelState&)> choose;
        KeyAssignment expected;
    };
    const std::vector<Case> cases = {
        {"wheel down 3",
         [](auto& s) { s.function = 3, s.wheelCount = "3", s.wheelDirectionItem = 1; },
         {0x12, 0x00, 0xFD}},
        {"wheel up 3",
         [](auto& s) { s.function = 3, s.wheelCount = "3", s.wheelDirectionItem = 0; },
         {0x12, 0x00, 0x03}},
        {"wheel up keeps 7 bits",
         [](auto& s) { s.function = 3, s.wheelCount = "200", s.wheelDirectionItem = 0; },
         {0x12, 0x00, 0x48}},
        {"swing right 3",
         [](auto& s) { s.function = 2, s.swingCount = "3", s.swingDirectionItem = 1; },
         {0x11, 0x00, 0x83}},
        {"swing delay 17 speed 5",
         [](auto& s) {
             s.function = 2, s.swingDelay = "17", s.swingSpeed = "5", s.swingCount = "2",
             s.swingDirectionItem = 0;
         },
         {0x11, 0x15, 0x02}},
        {"wheel delay 17 speed 5",
         [](auto& s) { s.function = 3, s.wheelDelay = "17", s.wheelSpeed = "5", s.wheelDirectionItem = 0; },
         {0x12, 0x15, 0x00}},
        {"fire, values cut to a byte",
         [](auto& s) { s.function = 5, s.fireInterval = "300", s.fireCount = ""; },
         {0x14, 0x2C, 0x00}},
        {"mouse middle", [](auto& s) { s.function = 1, s.mouseKeyItem = 1; }, {0x10, 0x04, 0x00}},
        {"dpi loop", [](auto& s) { s.function = 4, s.dpiItem = 2; }, {0x13, 0x03, 0x00}},
        {"media text", [](auto& s) { s.function = 7, s.mediaItem = 0; }, {0x30, 0x83, 0x01}},
        {"system wake", [](auto& s) { s.function = 8, s.systemItem = 2; }, {0x40, 0x04, 0x00}},
        {"macro 2 mode 1",
         [](auto& s) { s.function = 9, s.macroItem = 2, s.macroPlayItem = 1; },
         {0x70, 0x02, 0x01}},
        {"macro 2 seven times",
         [](auto& s) { s.function = 9, s.macroItem = 2, s.macroPlayItem = 4, s.macroCycleCount = "7"; },
         {0x71, 0x02, 0x07}},
        {"gun key 3", [](auto& s) { s.function = 10, s.gunKeyItem = 3; }, {0x72, 0x03, 0x00}},
        {"Ctrl+O", [](auto& s) { s.function = 11, s.combinationKeyItem = 0; }, {0x20, 0x01, 0x12}},
        {"Ctrl+=", [](auto& s) { s.function = 11, s.combinationKeyItem = 10; }, {0x20, 0x01, 0x2E}},
        {"disable", [](auto& s) { s.function = 12; }, {0xA0, 0x00, 0x00}},
        {"default", [](auto& s) { s.function = 0; }, kEsc},
        {"unknown function number", [](auto& s) { s.function = 99; }, kEsc},
        {"key with Alt",
         [](auto& s) { s.function = 6, s.modifierOption = 3, s.keyTextId = "keyboard_key_Tab"; },
         {0x20, 0x04, 0x29}},
        {"empty key edit",
         [](auto& s) { s.function = 6, s.modifierOption = 4, s.keyTextId.clear(); },
         {0x20, 0x08, 0x00}},
    };
    for (const Case& c : cases) {
        KeySetPanelState s = PanelOn({0x30, 0xCD, 0x00});
        s.working.code = kEsc;  // the key-key function takes param2 from the working entry
        c.choose(s);
        EXPECT_EQ(EncodeFromPanel(s).code, c.expected) << c.name;
    }
}

TEST(KeySetPanelModel, NothingSelectedInTheFunctionsComboKeepsTheWorkingCode) {
    const KeyAssignment media{0x30, 0xCD, 0x00};
    for (int function : {1, 4, 7, 8, 9, 10, 11}) {
        KeySetPanelState s = PanelOn(media);
        ChooseFunction(s, function);
        EXPECT_EQ(ApplyPanel(s).code, media) << function;
    }
    KeySetPanelState s = PanelOn(media);
    s.function = 9, s.macroItem = 1, s.macroPlayItem = kNoSelection;
    EXPECT_EQ(EncodeFromPanel(s).code, media);
    s.function = 1, s.mouseKeyItem = 5;  // past the table
    EXPECT_EQ(EncodeFromPanel(s).code, media);
}

TEST(KeySetPanelModel, DecodesWheelSwingAndFireIntoTheirEdits) {
    KeySetPanelState s = PanelOn({0x12, 0x15, 0xFD});
    EXPECT_EQ(s.function, 3);
    EXPECT_EQ(s.wheelCount, "3");
    EXPECT_EQ(s.wheelDirectionItem, 1);
    EXPECT_EQ(s.wheelDelay, "1");
    EXPECT_EQ(s.wheelSpeed, "5");

    s = PanelOn({0x11, 0xF2, 0x83});
    EXPECT_EQ(s.function, 2);
    EXPECT_EQ(s.swingCount, "3");
    EXPECT_EQ(s.swingDirectionItem, 1);
    EXPECT_EQ(s.swingDelay, "15");
    EXPECT_EQ(s.swingSpeed, "2");

    s = PanelOn({0x14, 0x20, 0x05});
    EXPECT_EQ(s.function, 5);
    EXPECT_EQ(s.fireInterval, "32");
    EXPECT_EQ(s.fireCount, "5");
}

// Every code the panel can produce comes back unchanged through show and apply.
TEST(KeySetPanelModel, ShowingAndApplyingAgainKeepsEveryCodeThePanelMakes) {
    std::vector<KeyAssignment> codes = {
        {0x11, 0x15, 0x83}, {0x11, 0x00, 0x7F}, {0x12, 0x34, 0xFD}, {0x12, 0x00, 0x05}, {0x14, 0x10, 0x03},
        {0x70, 0x05, 0x03}, {0x71, 0x00, 0x09}, {0x72, 0x02, 0x00}, {0xA0, 0x00, 0x00},
    };
    for (const auto& r : kMouseButtonTable) codes.push_back(r.code);
    for (const auto& r : kDpiTable) codes.push_back(r.code);
    for (const auto& r : kMediaTable) codes.push_back(r.code);
    for (const auto& r : kSystemTable) codes.push_back(r.code);
    for (std::size_t r = 0; r <= kLastScanCodeRow; ++r) {
        if (r < kModifierRowCount && r >= 4) continue;  // right-hand modifiers become left-hand ones, below
        codes.push_back(kKeyTable[r].code);
        for (std::uint8_t mask : {0x01, 0x02, 0x04, 0x08}) {
            if (r >= kModifierRowCount) codes.push_back({0x20, mask, kKeyTable[r].code.param2});
        }
    }
    for (const KeyAssignment& code : codes) {
        KeySetPanelState s = PanelOn(code, {0xD0, 0xA2, 0x05});
        EXPECT_TRUE(s.layoutVisible) << code;
        EXPECT_EQ(ApplyPanel(s).code, code) << code;
    }
}

TEST(KeySetPanelModel, KeyboardCodesTheOptionsCannotShow) {
    // Two modifiers: only the key is shown and the working mask is dropped.
    KeySetPanelState s = PanelOn({0x20, 0x03, 0x04});
    EXPECT_EQ(s.function, 6);
    EXPECT_EQ(s.modifierOption, 0);
    EXPECT_EQ(s.keyTextId, "keyboard_key_A");
    EXPECT_EQ(s.working.code.param1, 0);
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x20, 0x00, 0x04}));

    // A right-hand modifier shows as its left twin.
    s = PanelOn({0x20, 0x10, 0x04});
    EXPECT_EQ(s.modifierOption, 1);
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x20, 0x01, 0x04}));
    s = PanelOn({0x20, 0x40, 0x00});
    EXPECT_EQ(s.modifierOption, 3);
    EXPECT_EQ(s.keyTextId, "keyboard_key_RAlt");
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x20, 0x04, 0x00}));

    // A code no row names clears the choices and the working params.
    s = PanelOn({0x20, 0x00, 0xEE});
    EXPECT_EQ(s.modifierOption, kNoSelection);
    EXPECT_EQ(s.keyTextId, "");
    EXPECT_EQ(s.working.code, (KeyAssignment{0x20, 0x00, 0x00}));
}

TEST(KeySetPanelModel, CombinationCodeDecodesAsTheKeyboardKeyFunction) {
    KeySetPanelState s = PanelOn({0x20, 0x01, 0x12});
    EXPECT_EQ(s.function, 6);
    EXPECT_EQ(s.modifierOption, 1);
    EXPECT_EQ(s.keyTextId, "keyboard_key_O");

    // Only a mask above 128 goes to the combination list; no row matches it.
    s = PanelOn({0x20, 0x81, 0x12});
    EXPECT_EQ(s.function, 11);
    EXPECT_EQ(s.combinationKeyItem, kNoSelection);
}

TEST(KeySetPanelModel, TheKeysOwnDefaultShowsAsTheDefaultFunction) {
    // FN elsewhere is a disabled key; applying stores the plain disable code.
    KeySetPanelState s = PanelOn(kFn);
    EXPECT_EQ(s.function, 12);
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0xA0, 0x00, 0x00}));

    // On the FN key itself the same code is its default.
    s = PanelOn(kFn, kFn);
    EXPECT_EQ(s.function, 0);
    EXPECT_TRUE(s.layoutVisible);
    EXPECT_EQ(ApplyPanel(s).code, kFn);

    // Whatever the type, even one the panel never makes.
    s = PanelOn({0x16, 0x90, 0x01}, {0x16, 0x90, 0x01});
    EXPECT_EQ(s.function, 0);
    EXPECT_TRUE(s.layoutVisible);
}

TEST(KeySetPanelModel, CodesWithoutAFunctionHideTheFunctionArea) {
    for (KeyAssignment code : {KeyAssignment{0x16, 0x90, 0x01}, KeyAssignment{0x22, 0x00, 0x03},
                               KeyAssignment{0xD0, 0xA2, 0x01}, KeyAssignment{0x15, 0x00, 0x00}}) {
        KeySetPanelState s = PanelOn(code);
        EXPECT_FALSE(s.layoutVisible) << code;
    }
    // A function missing from the layout's list hides it too.
    KeySetPanelState s;
    s.functionItems = {0, 1, 6};
    s.function = 6;
    ShowKey(s, E({0x30, 0xCD, 0x00}), E(kEsc));
    EXPECT_FALSE(s.layoutVisible);
    EXPECT_EQ(s.function, 6);
    s.functionItems = {0, 7};
    s.function = 7;
    ShowKey(s, E({0x20, 0x81, 0x12}), E(kEsc));
    EXPECT_FALSE(s.layoutVisible);
    EXPECT_EQ(s.function, 7);
}

TEST(KeySetPanelModel, MacroIndexPastTheListUnselectsTheMacroCombos) {
    KeySetPanelState s = PanelOn({0x70, 0x05, 0x02}, kEsc, 5);
    EXPECT_EQ(s.function, 9);
    EXPECT_EQ(s.macroItem, kNoSelection);
    EXPECT_EQ(s.macroPlayItem, kNoSelection);

    s = PanelOn({0x70, 0x05, 0x02}, kEsc, 6);
    EXPECT_EQ(s.macroItem, 5);
    EXPECT_EQ(s.macroPlayItem, 2);
    EXPECT_FALSE(s.macroCycleVisible);

    s = PanelOn({0x71, 0x05, 0x09}, kEsc, 5);
    EXPECT_EQ(s.macroItem, kNoSelection);
    EXPECT_EQ(s.macroPlayItem, kMacroPlayCountItem);
    EXPECT_FALSE(s.macroCycleVisible);
    EXPECT_EQ(s.macroCycleCount, "9");
    // Nothing to store until the user picks a macro.
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x71, 0x05, 0x09}));

    s = PanelOn({0x71, 0x04, 0x09}, kEsc, 5);
    EXPECT_EQ(s.macroItem, 4);
    EXPECT_TRUE(s.macroCycleVisible);
}

TEST(KeySetPanelModel, CaptureBuildsTheCodeFromModifierAndKey) {
    KeySetPanelState s = PanelOn({0x30, 0xCD, 0x00});
    EXPECT_FALSE(CaptureKey(s, 0x1E, false));  // not the keyboard key function
    ChooseFunction(s, 6);
    EXPECT_EQ(s.modifierOption, kNoSelection);
    EXPECT_EQ(s.keyTextId, "");

    ASSERT_TRUE(CaptureKey(s, 0x1D, true));  // RCtrl
    EXPECT_EQ(s.modifierOption, 1);
    EXPECT_EQ(s.working.code, (KeyAssignment{0x20, 0x01, 0x00}));  // keeps the previous param2
    EXPECT_EQ(s.keyTextId, "");

    ASSERT_TRUE(CaptureKey(s, 0x1C, true));  // Num Enter
    EXPECT_EQ(s.keyTextId, "keyboard_key_Num Enter");
    EXPECT_EQ(s.working.code, (KeyAssignment{0x20, 0x01, 0x58}));
    ASSERT_TRUE(CaptureKey(s, 0x38, true));  // RAlt replaces Ctrl, keeps the key
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x20, 0x04, 0x58}));

    EXPECT_FALSE(CaptureKey(s, 0x5B, false));  // no such key
    EXPECT_EQ(s.working.code, (KeyAssignment{0x20, 0x04, 0x58}));

    // A key with no option chosen selects "no modifier".
    ChooseFunction(s, 6);
    ASSERT_TRUE(CaptureKey(s, 0x39, false));
    EXPECT_EQ(s.modifierOption, 0);
    EXPECT_EQ(ApplyPanel(s).code, (KeyAssignment{0x20, 0x00, 0x2C}));
}

TEST(KeySetPanelModel, DefaultAndCancelButtons) {
    KeySetPanelState s = PanelOn({0x30, 0xCD, 0x00});
    ShowDefault(s);
    EXPECT_EQ(s.function, 0);
    EXPECT_EQ(s.working.code, (KeyAssignment{0x30, 0xCD, 0x00}));  // until the next Apply
    EXPECT_EQ(ApplyPanel(s).code, kEsc);

    ChooseFunction(s, 7);
    s.mediaItem = 2;
    ApplyPanel(s);
    s.mediaItem = 5;  // chosen, not applied
    CancelEdit(s);
    EXPECT_EQ(s.function, 7);
    EXPECT_EQ(s.mediaItem, 2);
}

TEST(KeySetPanelModel, MacroPlayModeShowsTheCountOnlyForTheCountItem) {
    KeySetPanelState s;
    ChooseMacroPlayMode(s, 4);
    EXPECT_TRUE(s.macroCycleVisible);
    ChooseMacroPlayMode(s, 3);
    EXPECT_FALSE(s.macroCycleVisible);
}

TEST(KeySetPanelModel, DisableTracesAndKeyboardHidesDpiAndGunKeys) {
    TraceCapture trace;
    KeySetPanelState s;
    s.function = 12;
    EncodeFromPanel(s);
    EXPECT_TRUE(trace.Contains("禁用按键"));

    for (int f = 0; f <= 12; ++f) {
        EXPECT_EQ(IsFunctionShown(kDeviceKindKeyboard, f), f != 4 && f != 10) << f;
        EXPECT_TRUE(IsFunctionShown(kDeviceKindMouse, f)) << f;
    }
}

TEST(KeySetPanelModel, EditNumbers) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},     {"7", 7},     {"255", 255}, {"256", 0},  {"300", 44},
        {" 12", 12}, {"12ab", 12}, {"ab", 0},    {"-1", 255}, {"99999999999999999999", 255},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(EditNumber(text), value) << text;
}

}  // namespace
}  // namespace r88
