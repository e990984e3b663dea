// The device strip, the device pages and hot-plug, driven through the
// emulated bus: devices are plugged and unplugged as a user would, the
// discovery thread reports them and the window connects them.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTest>
#include <functional>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/main_wnd.h"
#include "app/mp_device_power_ui.h"
#include "device/qt/orvane_usb_device.h"
#include "keyboard/qt/orvane_keyboard_device.h"
#include "platform/trace.h"
#include "platform/window_messages.h"
#include "profile/json_file.h"
#include "profile/qt/device_profile_ui.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/app/emulated_window_test.h"
#include "tests/ui/ui_fixture.h"
#include "tests/ui/wait.h"
#include "ui/find_control.h"
#include "ui/skin_loader.h"

namespace r88 {
namespace {

class DeviceStripTest : public test::EmulatedWindowTest {
protected:
    QWidget* Control(const char* name) { return ui::FindControl(wnd_.get(), QString::fromLatin1(name)); }
    QStackedWidget* Tabs(const char* name) { return qobject_cast<QStackedWidget*>(Control(name)); }
    bool Shown(int row) { return Item(row).IsVisibleItem(); }

    std::shared_ptr<sim::EmulatedDevice> Plug(std::shared_ptr<sim::EmulatedDevice> device) {
        bus_->Plug(device);
        return device;
    }
};

TEST_F(DeviceStripTest, EveryKindGetsAHiddenItemAndAPageWithItsPicture) {
    ASSERT_EQ(Devices().Pages().size(), 5u);
    struct Expect {
        int row;
        const char* className;
        int keys;
        int leds;
    };
    for (const Expect& e : {Expect{kMouseRow, "r88::COrvaneMouseDevice", 8, 6},
                            Expect{kKeyboardRow, "r88::COrvaneKeyboardDevice", 126, 126},
                            Expect{kPadRow, "r88::COrvaneMousePadDevice", 0, 15},
                            Expect{kHeadsetRow, "r88::COrvaneHS6533Device", 0, 13},
                            Expect{4, "r88::COrvaneKeyboardDevice", 126, 126}}) {
        SCOPED_TRACE(e.row);
        COrvaneUSBDevice& d = Device(e.row);
        EXPECT_STREQ(d.metaObject()->className(), e.className);
        EXPECT_FALSE(Shown(e.row));
        EXPECT_EQ(d.GetKeyCount(), e.keys);
        EXPECT_EQ(d.GetLightCount(), e.leds);
        // Every key and every LED of the page table has its picture button.
        for (int n = 0; n < e.keys; ++n) EXPECT_NE(d.KeyButton(n), nullptr) << "key " << n;
        for (int m = 0; m < e.leds; ++m) EXPECT_NE(d.LedButton(m), nullptr) << "LED " << m;
        ASSERT_NE(d.ProfileBar(), nullptr);
        EXPECT_EQ(d.ProfileBar()->GetSelectedTab(), 1);
    }
    // On the keyboard, key n shows LED n, and no two keys of the board overlap.
    COrvaneUSBDevice& keyboard = Device(kKeyboardRow);
    std::vector<QRect> placed;
    for (int n = 0; n < 126; ++n) {
        EXPECT_EQ(keyboard.LedButton(n), keyboard.KeyButton(n)) << n;
        ui::CDeviceKeyButtonUI* key = keyboard.KeyButton(n);
        if (key == nullptr || key->isHidden()) continue;
        EXPECT_TRUE(keyboard.GetSelectPanel()->rect().contains(key->geometry()))
            << "key " << n << " is off the board";
        for (const QRect& other : placed)
            EXPECT_FALSE(other.intersects(key->geometry())) << "key " << n << " overlaps";
        placed.push_back(key->geometry());
    }
    // The board's 110 keys and the game-mode and colour keys above the pad; the
    // others are in the key list only.
    EXPECT_EQ(placed.size(), 112u);
    EXPECT_TRUE(Control(strip::kNoDeviceLink)->isVisible());
}

TEST_F(DeviceStripTest, FirstConnectedIsSelectedAndTheNextVisibleTakesOverWhenItGoes) {
    auto keyboard = Plug(sim::MakeEmulatedKeyboard());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kKeyboardRow); }));
    EXPECT_TRUE(Item(kKeyboardRow).IsSelected());
    EXPECT_EQ(wnd_->SelectedDevice(), &Device(kKeyboardRow));
    EXPECT_FALSE(Control(strip::kNoDeviceLink)->isVisible());
    EXPECT_EQ(Tabs(strip::kDeviceSwitch)->currentWidget(), &Device(kKeyboardRow));
    EXPECT_EQ(Tabs(strip::kPowerSwitch)->currentWidget(), PageOfRow(kKeyboardRow).power.data());
    // Both interfaces are connected: commands and notifications.
    EXPECT_TRUE(test::WaitUntil([&] { return Device(kKeyboardRow).IsNotificationOpen(); }));
    EXPECT_TRUE(Device(kKeyboardRow).IsCommandOpen());

    auto pad = Plug(sim::MakeEmulatedMousePad());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kPadRow); }));
    EXPECT_FALSE(Item(kPadRow).IsSelected());
    EXPECT_EQ(wnd_->SelectedDevice(), &Device(kKeyboardRow));
    EXPECT_TRUE(Device(kPadRow).SameMode());  // two devices shown
    Item(kKeyboardRow).SetSynchroMark(true);
    Item(kPadRow).SetSynchroMark(true);
    // The keyboard's first read ran; its light frames now come every 5 ms.
    ASSERT_TRUE(test::WaitUntil([&] { return Device(kKeyboardRow).LightThreadRunning(); }));
    EXPECT_TRUE(Item(kKeyboardRow).TimerActive(CDeviceOptionUI::kTimerLightFrame));

    // The selected keyboard goes: the pad, the next visible item, is selected.
    bus_->Unplug(keyboard);
    ASSERT_TRUE(test::WaitUntil([&] { return !Shown(kKeyboardRow); }));
    EXPECT_TRUE(Item(kPadRow).IsSelected());
    EXPECT_EQ(wnd_->SelectedDevice(), &Device(kPadRow));
    EXPECT_EQ(Tabs(strip::kDeviceSwitch)->currentWidget(), &Device(kPadRow));
    EXPECT_EQ(Devices().CurrentType(), kDeviceMousePad);
    EXPECT_FALSE(Device(kKeyboardRow).IsCommandOpen());
    EXPECT_TRUE(test::WaitUntil([&] { return !Device(kKeyboardRow).IsNotificationOpen(); }));
    EXPECT_FALSE(Device(kPadRow).SameMode());
    EXPECT_FALSE(Item(kPadRow).IsSynchroMarked());  // alone, it synchronises with nothing
    // The gone keyboard's frame cadence stops by itself.
    EXPECT_TRUE(
        test::WaitUntil([&] { return !Item(kKeyboardRow).TimerActive(CDeviceOptionUI::kTimerLightFrame); }));

    // The last one goes: nothing is selected, the no-device page shows.
    bus_->Unplug(pad);
    ASSERT_TRUE(test::WaitUntil([&] { return !Shown(kPadRow); }));
    EXPECT_EQ(wnd_->SelectedDevice(), nullptr);
    EXPECT_TRUE(Control(strip::kNoDeviceLink)->isVisible());
    EXPECT_EQ(Tabs(strip::kDeviceSwitch)->currentIndex(), 0);
    EXPECT_EQ(Tabs(strip::kPowerSwitch)->currentIndex(), 0);

    // Plugged again, it is connected again and selected as the only one.
    bus_->Plug(pad);
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kPadRow); }));
    EXPECT_TRUE(Item(kPadRow).IsSelected());
    EXPECT_TRUE(Device(kPadRow).IsCommandOpen());
}

TEST_F(DeviceStripTest, DevicesThatComeAndGoWhileAsleepAreSettledOnWaking) {
    auto pad = Plug(sim::MakeEmulatedMousePad());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kPadRow); }));
    wnd_->HandleMessage(kMsgPowerBroadcast, kPowerSuspend, 0);
    bus_->Unplug(pad);
    Plug(sim::MakeEmulatedKeyboard());
    // The discovery thread claims and releases slots; the sleeping window ignores it.
    ASSERT_TRUE(test::WaitUntil([&] {
        const auto known = Devices().Discovery().Slots();
        return known[0].connected != 0 && known[4].connected == 0;
    }));
    QTest::qWait(50);
    EXPECT_FALSE(Shown(kKeyboardRow));
    EXPECT_TRUE(Shown(kPadRow));

    wnd_->HandleMessage(kMsgPowerBroadcast, kPowerResume, 0);
    EXPECT_TRUE(Shown(kKeyboardRow));
    EXPECT_TRUE(Device(kKeyboardRow).IsCommandOpen());
    EXPECT_FALSE(Shown(kPadRow));
    EXPECT_FALSE(Device(kPadRow).IsCommandOpen());
}

TEST_F(DeviceStripTest, UserSelectionAndFunctionTabsRouteToTheSelectedPage) {
    Plug(sim::MakeEmulatedKeyboard());
    Plug(sim::MakeEmulatedHeadset());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kKeyboardRow) && Shown(kHeadsetRow); }));

    QTest::mouseClick(Item(kHeadsetRow).Selector(), Qt::LeftButton);
    EXPECT_TRUE(Item(kHeadsetRow).IsSelected());
    EXPECT_FALSE(Item(kKeyboardRow).IsSelected());
    EXPECT_EQ(wnd_->SelectedDevice(), &Device(kHeadsetRow));
    EXPECT_EQ(Devices().CurrentType(), kDeviceHeadset);
    EXPECT_EQ(Tabs(strip::kDeviceSwitch)->currentWidget(), &Device(kHeadsetRow));
    EXPECT_EQ(Tabs(strip::kPowerSwitch)->currentWidget(), PageOfRow(kHeadsetRow).power.data());

    // The headset's voice tab: the page shows its key-function tab 1, the bar follows.
    COrvaneUSBDevice& headset = Device(kHeadsetRow);
    auto* voiceTab = ui::FindControl<QAbstractButton>(&headset, QStringLiteral("6533_voice_Op_tab"));
    ASSERT_NE(voiceTab, nullptr);
    ASSERT_TRUE(voiceTab->isVisible());
    QTest::mouseClick(voiceTab, Qt::LeftButton);
    EXPECT_EQ(headset.GetFunctionTab(), 6);
    EXPECT_EQ(headset.ProfileBar()->GetSelectedTab(), 6);
    auto* functions = ui::FindControl<QStackedWidget>(&headset, QStringLiteral("device_function_switch"));
    auto* keyFunctions =
        ui::FindControl<QStackedWidget>(&headset, QStringLiteral("device_key_function_switch"));
    EXPECT_EQ(functions->currentIndex(), 0);
    EXPECT_EQ(keyFunctions->currentIndex(), 1);
    // The voice changer: function tab 1, the key-function tab stays.
    QTest::mouseClick(ui::FindControl<QAbstractButton>(&headset, QStringLiteral("magic_Op_tab")),
                      Qt::LeftButton);
    EXPECT_EQ(headset.GetFunctionTab(), 7);
    EXPECT_EQ(functions->currentIndex(), 1);
    EXPECT_EQ(keyFunctions->currentIndex(), 1);
    EXPECT_EQ(Device(kKeyboardRow).GetFunctionTab(), 1);  // the other page is left alone
}

TEST_F(DeviceStripTest, AClickAnywhereOnAnItemSelectsIt) {
    Plug(sim::MakeEmulatedKeyboard());
    Plug(sim::MakeEmulatedHeadset());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kKeyboardRow) && Shown(kHeadsetRow); }));
    ASSERT_TRUE(Item(kKeyboardRow).IsSelected());

    // On the device name ...
    auto* name = ui::FindControl<QLabel>(&Item(kHeadsetRow), QStringLiteral("device_select_name"));
    ASSERT_NE(name, nullptr);
    QTest::mouseClick(name, Qt::LeftButton);
    EXPECT_TRUE(Item(kHeadsetRow).IsSelected());
    EXPECT_FALSE(Item(kKeyboardRow).IsSelected());
    EXPECT_EQ(wnd_->SelectedDevice(), &Device(kHeadsetRow));
    EXPECT_EQ(Tabs(strip::kDeviceSwitch)->currentWidget(), &Device(kHeadsetRow));

    // ... or on the item's own background, right of its controls.
    CDeviceOptionUI& keyboard = Item(kKeyboardRow);
    const QPoint blank(keyboard.width() - 2, keyboard.height() / 2);
    ASSERT_EQ(keyboard.childAt(blank), nullptr);
    QTest::mouseClick(&keyboard, Qt::LeftButton, {}, blank);
    EXPECT_TRUE(keyboard.IsSelected());
    EXPECT_EQ(Devices().CurrentType(), kDeviceKeyboard);
    // A right click, or a press that leaves the item before it ends, selects nothing.
    QTest::mouseClick(&Item(kHeadsetRow), Qt::RightButton);
    QTest::mousePress(&Item(kHeadsetRow), Qt::LeftButton);
    QTest::mouseRelease(&Item(kHeadsetRow), Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(keyboard.IsSelected());
}

TEST_F(DeviceStripTest, TheSelectedPagesProfileBarIsDrivenByTheWindow) {
    Plug(sim::MakeEmulatedKeyboard());
    Plug(sim::MakeEmulatedMousePad());
    ASSERT_TRUE(test::WaitUntil([&] { return Shown(kKeyboardRow) && Shown(kPadRow); }));
    COrvaneUSBDevice& keyboard = Device(kKeyboardRow);
    CDeviceProfileUI& bar = *keyboard.ProfileBar();
    const std::string firstId = bar.GetCurrentProfileId();
    EXPECT_EQ(keyboard.GetDocumentPath(), DeviceDataFolder("keyboard") + firstId + ".Json");

    // The bar's buttons act on the selected keyboard's profiles only.
    QTest::mouseClick(ui::FindControl<QAbstractButton>(&keyboard, QStringLiteral("profile_fun_spread_btn")),
                      Qt::LeftButton);
    ASSERT_TRUE(bar.IsMenuVisible());
    QTest::mouseClick(ui::FindControl<QAbstractButton>(&keyboard, QStringLiteral("device_add_btn")),
                      Qt::LeftButton);
    EXPECT_EQ(bar.List().GetCount(), 2);
    EXPECT_EQ(bar.List().GetCurrentIndex(), 1);
    EXPECT_NE(bar.GetCurrentProfileId(), firstId);
    EXPECT_EQ(keyboard.GetDocumentPath(), DeviceDataFolder("keyboard") + bar.GetCurrentProfileId() + ".Json");
    EXPECT_EQ(Device(kPadRow).ProfileBar()->List().GetCount(), 1);

    // Choosing the first profile again in the drop-down loads it.
    bar.Select(0, true);
    EXPECT_EQ(bar.List().GetCurrentIndex(), 0);
    EXPECT_EQ(keyboard.GetDocumentPath(), DeviceDataFolder("keyboard") + firstId + ".Json");
}

TEST_F(DeviceStripTest, DeviceRequestsAndKeysReachTheWindowThroughTheReader) {
    auto keyboard = Plug(sim::MakeEmulatedKeyboard());
    auto& page = static_cast<COrvaneKeyboardDevice&>(Device(kKeyboardRow));
    ASSERT_TRUE(test::WaitUntil([&] { return page.IsNotificationOpen(); }));
    keyboard->PressKey(12);
    keyboard->ReleaseKey(12);
    EXPECT_TRUE(test::WaitUntil([&] { return page.KeyEventCount() == 2; }));
    // A re-read request arms the strip item's timer 1002 (100 ms for the keyboard).
    keyboard->RequestSync();
    EXPECT_TRUE(
        test::WaitUntil([&] { return Item(kKeyboardRow).TimerActive(CDeviceOptionUI::kTimerSyncRequest); }));
}

TEST_F(DeviceStripTest, ClosingTheWindowEndsEveryThreadWithinTheBudget) {
    Plug(sim::MakeEmulatedKeyboard());
    Plug(sim::MakeEmulatedMousePad());
    Plug(sim::MakeEmulatedHeadset());
    // After the first read (timer 1001) every device runs its light thread.
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            return Device(kKeyboardRow).LightThreadRunning() && Device(kPadRow).LightThreadRunning() &&
                   Device(kHeadsetRow).LightThreadRunning() && Device(kPadRow).IsNotificationOpen();
        },
        5000));
    ASSERT_TRUE(Devices().Discovery().Running());

    TraceCapture trace;
    QElapsedTimer clock;
    clock.start();
    wnd_->Exit();
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(Devices().Discovery().Running());
    for (int row : {kKeyboardRow, kPadRow, kHeadsetRow}) {
        EXPECT_FALSE(Device(row).LightThreadRunning()) << row;
        EXPECT_FALSE(Device(row).IsNotificationOpen()) << row;
    }
    EXPECT_TRUE(trace.Contains("所有对象处于激发状态\n"));
    EXPECT_TRUE(trace.Contains("线程退出：：对象处于激发状态\n"));
    EXPECT_TRUE(trace.Contains("KB灯光线程设定退出"));
    EXPECT_FALSE(trace.Contains("超时"));
    // A device that goes after the stop changes nothing.
    bus_->UnplugAll();
    QTest::qWait(150);
    EXPECT_TRUE(Shown(kKeyboardRow));
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++count;
        return false;
    }
};

// The picture redraws after light frames only while somebody can look at it,
// only when a frame changed what it shows, and at most once per display refresh.
TEST_F(DeviceStripTest, ThePictureRepaintsOnlyChangedFramesOnlyWhereSeenAtDisplayRate) {
    Plug(sim::MakeEmulatedMousePad());
    ASSERT_TRUE(test::WaitUntil([&] { return Item(kPadRow).TimerActive(CDeviceOptionUI::kTimerLightFrame); }, 5000));
    COrvaneUSBDevice& pad = Device(kPadRow);
    CDeviceOptionUI& item = Item(kPadRow);
    ASSERT_TRUE(item.IsSelected());
    ASSERT_NE(pad.LedButton(0), nullptr);
    wnd_->HandleMessage(kMsgActivate, 1, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(wnd_.get()));
    QTest::qWait(50);
    PaintCounter led(pad.LedButton(0));
    // The test draws the frames itself: the pad's own effect would keep changing them.
    pad.StopLightThread();

    // The light thread's part: a new frame every 5 ms for `ms` milliseconds.
    auto animate = [&](int ms) {
        QElapsedTimer clock;
        clock.start();
        std::uint32_t v = 0;
        while (clock.elapsed() < ms) {
            v = (v + 0x010203) & 0x00FFFFFF;
            for (int i = 0; i < pad.GetLightCount(); ++i) pad.SetLedValue(i, v | 0xFF000000u);
            QTest::qWait(5);
        }
    };
    struct Case {
        const char* state;
        std::function<void()> enter;
        bool repaints;
    };
    const std::vector<Case> cases = {
        {"shown and active", [] {}, true},
        {"inactive", [&] { wnd_->HandleMessage(kMsgActivate, 0, 0); }, false},
        {"minimised", [&] { wnd_->showMinimized(); }, false},
        {"hidden", [&] { wnd_->hide(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        wnd_->showNormal();
        wnd_->HandleMessage(kMsgActivate, 1, 0);
        QTest::qWait(30);
        c.enter();
        QTest::qWait(30);
        const std::int64_t before = item.PictureRepaints();
        led.count = 0;
        animate(300);
        const std::int64_t repaints = item.PictureRepaints() - before;
        if (c.repaints) {
            EXPECT_GT(repaints, 0);
            EXPECT_GT(led.count, 0);
            // 60 frames a second at most, though frames came every 5 ms.
            EXPECT_LE(repaints, 300 / 16 + 2);
            EXPECT_LE(led.count, 300 / 16 + 2);
        } else {
            EXPECT_EQ(repaints, 0);
            EXPECT_EQ(led.count, 0);
        }
    }

    // Shown and active again, but the frame stays as it is: nothing redraws.
    wnd_->showNormal();
    wnd_->HandleMessage(kMsgActivate, 1, 0);
    QTest::qWait(60);
    const std::int64_t settled = item.PictureRepaints();
    led.count = 0;
    QTest::qWait(200);
    EXPECT_EQ(item.PictureRepaints(), settled);
    EXPECT_EQ(led.count, 0);
}

// Nothing may restart a device's threads once the workers were stopped, and a
// device that goes leaves no timer of its item running.
TEST_F(DeviceStripTest, AGoneDeviceAndAStoppedManagerLeaveNoTimerArmed) {
    const std::vector<int> ids = {CDeviceOptionUI::kTimerLightFrame, CDeviceOptionUI::kTimerConnected,
                                  CDeviceOptionUI::kTimerSyncRequest, CDeviceOptionUI::kTimerPower};
    auto anyArmed = [&](int row) {
        for (int id : ids)
            if (Item(row).TimerActive(id)) return true;
        return false;
    };
    auto pad = Plug(sim::MakeEmulatedMousePad());
    ASSERT_TRUE(test::WaitUntil([&] { return Item(kPadRow).TimerActive(CDeviceOptionUI::kTimerLightFrame); }, 5000));
    Item(kPadRow).ArmTimer(CDeviceOptionUI::kTimerSyncRequest, 10'000);
    bus_->Unplug(pad);
    ASSERT_TRUE(test::WaitUntil([&] { return !Shown(kPadRow); }));
    EXPECT_FALSE(anyArmed(kPadRow));

    // Stopped while the first read of a new connection is still pending.
    Plug(sim::MakeEmulatedKeyboard());
    ASSERT_TRUE(test::WaitUntil([&] { return Item(kKeyboardRow).TimerActive(CDeviceOptionUI::kTimerConnected); }));
    wnd_->Exit();
    for (const CDeviceManager::Page& p : Devices().Pages()) EXPECT_FALSE(anyArmed(p.row)) << p.row;
    QTest::qWait(CDeviceOptionUI::kConnectedMs + 200);
    EXPECT_FALSE(Device(kKeyboardRow).LightThreadRunning());
}

// ---- the power indicator, from its layout ----

class PowerIndicatorTest : public test::SkinTest {
protected:
    CMpDevicePowerUI* Build(int type) {
        CLayoutTagTable tags;
        ui::CSkinLoader loader(&tags);
        QWidget* w = loader.LoadLayout(QStringLiteral("XML/CustomControlXML/MpDevicePower.ui"), &holder_);
        auto* power = qobject_cast<CMpDevicePowerUI*>(w);
        if (power != nullptr) power->SetKind(type, 0);
        return power;
    }
    template <class T>
    T* Sub(QWidget* power, const char* name) {
        return ui::FindControl<T>(power, QString::fromLatin1(name));
    }
    static QString Image(QWidget* w) { return w->property(CMpDevicePowerUI::kImageProperty).toString(); }

    QWidget holder_;
};

TEST_F(PowerIndicatorTest, ShowsLevelChargeStateWirelessAndPhone) {
    struct Case {
        const char* what;
        int type;
        std::vector<std::uint8_t> record;
        int bar;
        bool barShown;
        const char* text;
        const char* status;
        bool logoShown;
    };
    const Case cases[] = {
        {"charging by cable", 7, {30, 1, 0, 0}, 70, true, "30%", "file='power/powering.png'", false},
        {"charging wirelessly", 2, {55, 1, 0, 1}, 45, false, "55%", "file='power/wuxian_powering.png'", true},
        {"full", 2, {100, 0, 0, 0}, 0, true, "100%", "file='power/powered.png'", false},
        {"on battery", 3, {8, 2}, 92, true, "8%", "file='power/power.png'", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMpDevicePowerUI* power = Build(c.type);
        ASSERT_NE(power, nullptr);
        power->SetPowerKind(1);
        power->ShowPowerStatus(c.record.data(), c.record.size());
        EXPECT_EQ(Sub<QProgressBar>(power, "device_Power_progress")->value(), c.bar);
        EXPECT_EQ(!Sub<QWidget>(power, "device_Power_progress")->isHidden(), c.barShown);
        EXPECT_EQ(Sub<QLabel>(power, "device_power_value")->text(), QString::fromLatin1(c.text));
        EXPECT_EQ(Image(Sub<QWidget>(power, "device_power_status")), QString::fromLatin1(c.status));
        EXPECT_EQ(!Sub<QWidget>(power, "device_wuxian_logo")->isHidden(), c.logoShown);
        EXPECT_FALSE(Sub<QLabel>(power, "device_power_status")->pixmap().isNull());
    }
}

TEST_F(PowerIndicatorTest, PhoneOnThePadAndUnknownStatesAndOddRecords) {
    CMpDevicePowerUI* pad = Build(3);
    ASSERT_NE(pad, nullptr);
    QWidget* phone = Sub<QWidget>(pad, "device_phone_type");
    for (const auto& [byte5, image] :
         std::vector<std::pair<int, const char*>>{{1, "file='power/Phone_type_iphone.png'"},
                                                  {2, "file='power/Phone_type_samsung.png'"},
                                                  {3, "file='power/Phone_type_other.png'"},
                                                  {9, "file='power/Phone_type_no_device.png'"}}) {
        std::uint8_t record[6] = {50, 2, 0, 0, 0, static_cast<std::uint8_t>(byte5)};
        pad->ShowPowerStatus(record, sizeof record);
        EXPECT_EQ(Image(phone), QString::fromLatin1(image)) << byte5;
    }
    // An unknown charge state leaves bar and picture as they were; a long
    // record is cut at 64 bytes; a short one reads as zeros beyond its end.
    std::vector<std::uint8_t> longRecord(500, 0);
    longRecord[0] = 40;
    longRecord[1] = 7;
    pad->ShowPowerStatus(longRecord.data(), longRecord.size());
    EXPECT_EQ(Image(Sub<QWidget>(pad, "device_power_status")), QStringLiteral("file='power/power.png'"));
    EXPECT_EQ(Sub<QLabel>(pad, "device_power_value")->text(), QStringLiteral("40%"));
    std::uint8_t one = 12;
    pad->ShowPowerStatus(&one, 1);
    EXPECT_EQ(Image(phone), QStringLiteral("file='power/Phone_type_no_device.png'"));
    // Not a wireless device: the indicator is hidden.
    pad->SetPowerKind(0);
    EXPECT_TRUE(Sub<QWidget>(pad, "device_power_Layout")->isHidden());

    // Without its sub-controls the indicator shows nothing and does not fail.
    CMpDevicePowerUI bare;
    bare.ShowPowerStatus(longRecord.data(), longRecord.size());
    bare.ShowPowerStatus(nullptr, 0);
}

}  // namespace
}  // namespace r88
