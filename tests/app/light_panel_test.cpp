// The lighting panel and its routes: the window turns what the user does on
// the panel into the selected device's light state, its profile document and
// the panel's groups.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <functional>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/light_panel_routes.h"
#include "app/main_wnd.h"
#include "device/qt/orvane_usb_device.h"
#include "lighting/qt/color_pallet_ui.h"
#include "lighting/qt/light_control_ui.h"
#include "lighting/qt/logo_tool_tip.h"
#include "profile/json_file.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/app/emulated_window_test.h"
#include "tests/ui/wait.h"
#include "ui/find_control.h"
#include "ui/texts.h"

namespace r88 {
namespace {

const QSize kScreen(1920, 1080);

class LightPanelTest : public test::EmulatedWindowTest {
protected:
    CLightControlUI& Panel(int row) { return *Device(row).LightControl(); }
    template <class T = QWidget>
    T* Control(int row, const char* name) {
        return ui::FindControl<T>(&Panel(row), QString::fromLatin1(name));
    }

    // The mouse pad, connected, selected and with its profile loaded by the first read.
    COrvaneUSBDevice& PlugPad() {
        padSim_ = sim::MakeEmulatedMousePad();
        bus_->Plug(padSim_);
        COrvaneUSBDevice& pad = Device(kPadRow);
        EXPECT_TRUE(test::WaitUntil(
            [&] { return wnd_->SelectedDevice() == &pad && pad.Profile()->GetSection().isObject(); }));
        return pad;
    }

    void Send(const QString& type, QWidget* sender) { wnd_->Notify(ui::Notification{type, sender}); }

    // "LightInfo" of the device's profile document on disk.
    static LightState Stored(COrvaneUSBDevice& device) {
        const Json::Value doc = CJsonFile().ReadJson(device.GetDocumentPath());
        const Json::Value& info = doc["Device"][0]["LightInfo"];
        LightState s;
        s.effect = static_cast<std::uint8_t>(info["SelectItem"].asInt());
        s.brightness = static_cast<std::uint8_t>(info["Light"].asInt());
        s.speed = static_cast<std::uint8_t>(info["Speed"].asInt());
        s.direction = static_cast<std::uint8_t>(info["Fx"].asInt());
        s.multiColor = static_cast<std::uint8_t>(info["MultiColor"].asInt());
        s.red = static_cast<std::uint8_t>(info["Red"].asInt());
        s.green = static_cast<std::uint8_t>(info["Green"].asInt());
        s.blue = static_cast<std::uint8_t>(info["Blue"].asInt());
        return s;
    }

    std::shared_ptr<sim::EmulatedDevice> padSim_;
};

TEST_F(LightPanelTest, EveryChangeIsStoredSavedAndEndsTheSynchronisedLighting) {
    COrvaneUSBDevice& pad = PlugPad();
    ASSERT_FALSE(pad.GetDocumentPath().empty());
    struct Case {
        const char* what;
        std::function<void()> act;
        std::function<void(LightState&)> expect;
        bool keepsSync;
    };
    const Case cases[] = {
        {"effect",
         [&] {
             Control<QComboBox>(kPadRow, CLightControlUI::kEffectCombo)->setCurrentIndex(2);
             Send(ui::event::kItemSelect, Control(kPadRow, CLightControlUI::kEffectCombo));
         },
         [](LightState& s) { s.effect = 2; }, false},
        {"brightness",
         [&] {
             Control<QSlider>(kPadRow, CLightControlUI::kBrightnessSlider)->setValue(3);
             Send(ui::event::kValueChanged, Control(kPadRow, CLightControlUI::kBrightnessSlider));
         },
         [](LightState& s) { s.brightness = 3; }, false},
        {"speed",
         [&] {
             Control<QSlider>(kPadRow, CLightControlUI::kSpeedSlider)->setValue(1);
             Send(ui::event::kValueChanged, Control(kPadRow, CLightControlUI::kSpeedSlider));
         },
         [](LightState& s) { s.speed = 1; }, false},
        {"direction left", [&] { Send(ui::event::kSelectChanged, Control(kPadRow, CLightControlUI::kLeftCheck)); },
         [](LightState& s) { s.direction = 1; }, false},
        {"multicolour",
         [&] {
             Control<QAbstractButton>(kPadRow, CLightControlUI::kMultiColorCheck)->setChecked(true);
             Send(ui::event::kSelectChanged, Control(kPadRow, CLightControlUI::kMultiColorCheck));
         },
         [](LightState& s) { s.multiColor = 1; }, false},
        {"palette",
         [&] {
             Control<CColorPalletUI>(kPadRow, CLightControlUI::kPallet)->SetColor(0xFF102030u);
             Send(ui::event::kColorChanged, Control(kPadRow, CLightControlUI::kPallet));
         },
         [](LightState& s) {
             s.red = 0x10, s.green = 0x20, s.blue = 0x30;
             s.multiColor = 0;
         },
         false},
        {"direction right", [&] { Send(ui::event::kSelectChanged, Control(kPadRow, CLightControlUI::kRightCheck)); },
         [](LightState& s) { s.direction = 0; }, false},
        // A swatch leaves the synchronised lighting on.
        {"swatch", [&] { QTest::mouseClick(Control<QAbstractButton>(kPadRow, "color_option_2"), Qt::LeftButton); },
         [](LightState& s) { s.red = 255, s.green = 255, s.blue = 0; }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LightState expected = pad.GetLightState();
        c.expect(expected);
        pad.CommandChannel().SetSyncLighting(true);
        c.act();
        EXPECT_EQ(pad.GetLightState(), expected);
        EXPECT_EQ(Stored(pad), expected);
        EXPECT_EQ(pad.CommandChannel().IsSyncLighting(), c.keepsSync);
        // The pad's settings block of profile 0 holds it (the speed sent as 4 - speed).
        const std::vector<uint8_t> block = padSim_->Memory(sim::SimMemory::kData);
        ASSERT_GE(block.size(), 9u);
        EXPECT_EQ(block[1], expected.effect);
        EXPECT_EQ(block[2], expected.brightness);
        EXPECT_EQ(block[3], 4 - expected.speed);
        EXPECT_EQ(block[5], expected.multiColor);
        EXPECT_EQ((std::vector<uint8_t>(block.begin() + 6, block.begin() + 9)),
                  (std::vector<uint8_t>{expected.red, expected.green, expected.blue}));
        // The panel shows what was stored.
        CLightControlUI& panel = Panel(kPadRow);
        EXPECT_EQ(panel.EffectSelection(), expected.effect);
        EXPECT_EQ(panel.MultiColorChecked(), expected.multiColor != 0);
        EXPECT_EQ(panel.LeftChecked(), expected.direction != 0);
        EXPECT_EQ(panel.RightChecked(), expected.direction == 0);
    }
    // The chosen colour is in the boxes, on the colour button and in the palette.
    CLightControlUI& panel = Panel(kPadRow);
    EXPECT_EQ(panel.ChannelText(0), QStringLiteral("255"));
    EXPECT_EQ(panel.ChannelText(2), QStringLiteral("0"));
    EXPECT_EQ(panel.ShownColour(), QColor(255, 255, 0));
    EXPECT_EQ(panel.PalletColour(), 0xFFFFFF00u);
}

TEST_F(LightPanelTest, ColourBoxesTakeDecimalsUpTo255AndShowWhatWasTaken) {
    COrvaneUSBDevice& pad = PlugPad();
    auto* green = Control<QLineEdit>(kPadRow, CLightControlUI::kEditG);
    struct Case {
        const char* text;
        int stored;
        const char* shown;
        bool changes;
    };
    const Case cases[] = {
        {"300", 255, "255", true}, {"12", 12, "12", true},   {"012", 12, "12", false},
        {"abc", 12, "12", false},  {"", 12, "12", false},    {"-5", 12, "12", false},
        {"999", 255, "255", true}, {"0", 0, "0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        LightState before = pad.GetLightState();
        before.multiColor = 1;
        pad.SetLightState(before);
        Panel(kPadRow).SetMultiColorChecked(true);
        green->setText(QString::fromLatin1(c.text));
        Send(ui::event::kKillFocus, green);
        EXPECT_EQ(pad.GetLightState().green, c.stored);
        EXPECT_EQ(green->text(), QString::fromLatin1(c.shown));
        // A new value switches the multicolour flag off; leaving the box unchanged does not.
        EXPECT_EQ(pad.GetLightState().multiColor, c.changes ? 0 : 1);
        EXPECT_EQ(Panel(kPadRow).MultiColorChecked(), !c.changes);
        if (c.changes) {
            EXPECT_EQ(Stored(pad), pad.GetLightState());
            EXPECT_EQ(qGreen(Panel(kPadRow).PalletColour()), c.stored);
        }
    }
}

TEST_F(LightPanelTest, AnEffectThatIsNotOfferedCannotBeChosen) {
    COrvaneUSBDevice& pad = PlugPad();
    CLightControlUI& panel = Panel(kPadRow);
    auto* combo = Control<QComboBox>(kPadRow, CLightControlUI::kEffectCombo);
    ASSERT_EQ(combo->count(), 9);
    // Listed with its name, tall as every item, but not offered.
    EXPECT_FALSE(panel.EffectOffered(5));
    EXPECT_TRUE(panel.EffectOffered(4));
    const QString name = ui::TextOf(QStringLiteral("light_effect_sequence"));
    EXPECT_EQ(combo->itemText(5), name);
    EXPECT_EQ(combo->itemData(5, Qt::ToolTipRole).toString(), name);
    EXPECT_EQ(combo->itemData(0, Qt::SizeHintRole).toSize().height(), CLightControlUI::kEffectItemHeight);

    // The keyboard steps over it.
    combo->setCurrentIndex(4);
    Send(ui::event::kItemSelect, combo);
    ASSERT_EQ(pad.GetLightState().effect, 4);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(pad.GetLightState().effect, 6);
    // Chosen some other way, it is refused and the combo shows the effect again.
    combo->setCurrentIndex(5);
    Send(ui::event::kItemSelect, combo);
    EXPECT_EQ(pad.GetLightState().effect, 6);
    EXPECT_EQ(combo->currentIndex(), 6);
    EXPECT_EQ(Stored(pad).effect, 6);
}

TEST_F(LightPanelTest, APadProfileOnItsUserSequenceShowsEveryGroupDisabled) {
    COrvaneUSBDevice& pad = PlugPad();
    LightState state = pad.GetLightState();
    state.effect = 5;
    state.red = 7;
    pad.SetLightState(state);
    pad.RefreshControls();
    for (const char* group : {"deng_color_layout", "colorpallet_layout", "deng_light_layout", "deng_speed_layout",
                              "deng_fx_layout", CLightControlUI::kMultiColorCheck}) {
        EXPECT_FALSE(Control(kPadRow, group)->isEnabled()) << group;
        EXPECT_FALSE(Control(kPadRow, group)->isHidden()) << group;
    }
    EXPECT_TRUE(Control(kPadRow, "lighteffect_layout")->isEnabled());
    EXPECT_EQ(Panel(kPadRow).ChannelText(0), QStringLiteral("7"));
    EXPECT_EQ(Panel(kPadRow).EffectSelection(), 5);  // a profile may hold it
    // Static (3): colour and palette, no speed.
    state.effect = 3;
    pad.SetLightState(state);
    pad.RefreshControls();
    EXPECT_TRUE(Control(kPadRow, "deng_color_layout")->isEnabled());
    EXPECT_FALSE(Control(kPadRow, "deng_speed_layout")->isEnabled());
}

TEST_F(LightPanelTest, TheMouseHidesWhatItsEffectDoesNotUse) {
    // The mouse never connects here; its page's panel takes the routes all the same.
    COrvaneUSBDevice& mouse = Device(kMouseRow);
    CLightControlUI& panel = Panel(kMouseRow);
    auto* combo = Control<QComboBox>(kMouseRow, CLightControlUI::kEffectCombo);
    ASSERT_EQ(combo->count(), 9);
    auto choose = [&](int effect) {
        combo->setCurrentIndex(effect);
        ASSERT_TRUE(RouteLightPanel(ui::Notification{ui::event::kItemSelect, combo}, &mouse, kScreen));
        ASSERT_EQ(mouse.GetLightState().effect, effect);
    };
    choose(7);
    EXPECT_FALSE(Control(kMouseRow, "deng_light_layout")->isEnabled());
    EXPECT_FALSE(Control(kMouseRow, "deng_speed_layout")->isEnabled());
    EXPECT_TRUE(Control(kMouseRow, "deng_light_layout")->isHidden());
    EXPECT_TRUE(Control(kMouseRow, "deng_fx_layout")->isHidden());
    EXPECT_TRUE(Control(kMouseRow, "deng_on_or_off")->isHidden());
    choose(6);
    EXPECT_FALSE(Control(kMouseRow, "deng_light_layout")->isHidden());
    EXPECT_FALSE(Control(kMouseRow, "deng_speed_layout")->isHidden());
    EXPECT_TRUE(Control(kMouseRow, "deng_speed_layout")->isEnabled());
    // The synchronise action shows while more than one device is shown.
    EXPECT_TRUE(Control(kMouseRow, CLightControlUI::kSameMode)->isHidden());
    mouse.SetSameMode(true);
    EXPECT_FALSE(Control(kMouseRow, CLightControlUI::kSameMode)->isHidden());
    mouse.SetSameMode(false);
    EXPECT_TRUE(Control(kMouseRow, CLightControlUI::kSameMode)->isHidden());
    EXPECT_FALSE(panel.SameMode());

    // The logo's tooltip names the effect and the button keeps its layout tooltip.
    choose(4);
    QWidget* logo = FindLogoButton(mouse.GetSelectPanel());
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->toolTip(), QStringLiteral("logo"));
    CLogoToolTip* tip = CLogoToolTip::For(logo);
    EXPECT_EQ(tip->Title(), QStringLiteral("Logo"));
    EXPECT_EQ(tip->Text(), ui::TextOf(QStringLiteral("Light_Set")) + QLatin1Char('\n') +
                               ui::TextOf(QStringLiteral("Overall_Light_Set")) +
                               ui::TextOf(QStringLiteral("light_effect_mouse_4")));
}

TEST_F(LightPanelTest, ASelectionOnTheKeyboardPictureReachesItsPanel) {
    COrvaneUSBDevice& keyboard = Device(kKeyboardRow);
    keyboard.KeyButton(3)->SetSelected(true);
    keyboard.KeyButton(70)->SetSelected(true);
    EXPECT_TRUE(RouteLightPanel(ui::Notification{QStringLiteral("click_select_end"), keyboard.GetSelectPanel()},
                                &keyboard, kScreen));
    EXPECT_EQ(Panel(kKeyboardRow).SelectedKeys(), (std::vector<int>{3, 70}));
    // A lighting notification from another page changes nothing here.
    const LightState before = keyboard.GetLightState();
    auto* otherSlider = Control<QSlider>(kPadRow, CLightControlUI::kBrightnessSlider);
    otherSlider->setValue(4);
    EXPECT_TRUE(RouteLightPanel(ui::Notification{ui::event::kValueChanged, otherSlider}, &keyboard, kScreen));
    EXPECT_EQ(keyboard.GetLightState(), before);
    // Without a selected device the window takes it and nothing happens.
    EXPECT_TRUE(RouteLightPanel(ui::Notification{ui::event::kValueChanged, otherSlider}, nullptr, kScreen));
    EXPECT_FALSE(RouteLightPanel(ui::Notification{ui::event::kClick, otherSlider}, &keyboard, kScreen));
}

}  // namespace
}  // namespace r88
