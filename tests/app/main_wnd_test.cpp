#include "app/main_wnd.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "app/light_control_bus.h"
#include "device/qt/orvane_usb_device.h"
#include "platform/hid_backend.h"
#include "platform/trace.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/ui_fixture.h"
#include "tests/ui/wait.h"
#include "ui/dpi.h"
#include "ui/find_control.h"
#include "ui/font_set.h"
#include "ui/msg_wnd.h"

namespace r88 {
namespace {

struct RecordingLightBus : ILightControlBus {
    std::vector<std::pair<int, int>> announced;
    void Announce(int w, int l) override { announced.emplace_back(w, l); }
};

class MainWndTest : public test::SkinTest {
protected:
    void SetUp() override {
        test::SkinTest::SetUp();
        qputenv("VANTIRO_DATA_DIR", (test::BinaryDir() + QStringLiteral("/share/vantiro-r88")).toUtf8());
        // The device pages keep their profiles in a private data folder, and
        // no device is plugged: the window looks at an empty emulated bus.
        ASSERT_TRUE(home_.isValid());
        savedDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        previousBackend_ = CurrentHidBackend();
        SetCurrentHidBackend(simBus_);
        Recreate();
    }

    // A fresh window; `hidden` as with --hidden.
    void Recreate(bool hidden = false) {
        wnd_.reset();
        wnd_ = std::make_unique<CMainWnd>(dialogs_, bus_);
        wnd_->SetStartHidden(hidden);
        ASSERT_TRUE(wnd_->Create()) << wnd_->Error().toStdString();
    }

    void TearDown() override {
        wnd_.reset();
        SetCurrentHidBackend(previousBackend_);
        if (savedDataHome_.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedDataHome_);
    }

    void Click(const char* name) {
        auto* b = ui::FindControl<QPushButton>(wnd_.get(), QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QTemporaryDir home_;
    QByteArray savedDataHome_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::shared_ptr<sim::SimHidBus> simBus_ = std::make_shared<sim::SimHidBus>();
    test::CScriptedDialogs dialogs_;
    RecordingLightBus bus_;
    std::unique_ptr<CMainWnd> wnd_;
};

TEST_F(MainWndTest, StartsShownWithTheApplicationTitleAndTakesTheLighting) {
    EXPECT_EQ(wnd_->windowTitle().toUtf8(), QByteArray("VANTIRO  R88 Gaming Keyboard"));
    EXPECT_TRUE(wnd_->isVisible());
    EXPECT_EQ(wnd_->size(), CMainWnd::kInitialSize);
    ASSERT_EQ(bus_.announced.size(), 1u);
    EXPECT_EQ(bus_.announced[0], std::make_pair(1, 1));
    // Timer 1011 lays the window out at its full size.
    EXPECT_TRUE(test::WaitUntil([&] { return wnd_->RestoreLayoutCount() > 0; }));
    EXPECT_EQ(wnd_->size(), CMainWnd::kLayoutSize);
    const QSize needed = wnd_->Root()->minimumSizeHint();
    EXPECT_LE(needed.width(), CMainWnd::kLayoutSize.width());
    EXPECT_LE(needed.height(), CMainWnd::kLayoutSize.height());
    EXPECT_TRUE(ui::FindControl(wnd_.get(), QStringLiteral("No_device_Link"))->isVisible());
}

TEST_F(MainWndTest, CloseButtonOnlyHidesAndTheTrayBringsTheWindowBack) {
    wnd_->SetTrayProbe([] { return true; });
    Click("closebtn");
    EXPECT_FALSE(wnd_->isVisible());
    wnd_->HandleMessage(kMsgTrayIcon, 0, kTrayLeftButtonUp);
    EXPECT_TRUE(wnd_->isVisible());
    wnd_->HandleMessage(kMsgTrayIcon, 0, kTrayLeftButtonUp);
    EXPECT_FALSE(wnd_->isVisible());
    wnd_->HandleMessage(kMsgApplication, 0, 1);  // a second start
    EXPECT_TRUE(wnd_->isVisible());
}

TEST_F(MainWndTest, LightControlTogglesAnnouncesAndFollowsRequests) {
    auto* status = ui::FindControl<QPushButton>(wnd_.get(), QStringLiteral("control_light_status"));
    Click("control_light_status");
    EXPECT_FALSE(wnd_->LightControl());
    EXPECT_EQ(bus_.announced.back(), std::make_pair(1, 0));
    EXPECT_EQ(status->text(), QStringLiteral("不控制灯光"));
    wnd_->HandleMessage(kMsgLightControlRequest, 1, 1);
    EXPECT_TRUE(wnd_->LightControl());
    EXPECT_EQ(status->text(), QStringLiteral("控制灯光"));
    wnd_->HandleMessage(kMsgLightControlRequest, 0, 0);  // only wParam 1 is a request
    EXPECT_TRUE(wnd_->LightControl());
    EXPECT_EQ(bus_.announced.size(), 2u);  // requests are not announced back
}

TEST_F(MainWndTest, WhileSuspendedOnlyTheEarlyMessagesAreHandled) {
    const int layouts = wnd_->RestoreLayoutCount();
    wnd_->HandleMessage(kMsgPowerBroadcast, kPowerSuspend, 0);
    EXPECT_FALSE(wnd_->Awake());
    wnd_->HandleMessage(kMsgDisplayChange, 0, 0);
    wnd_->HandleMessage(kMsgDpiChanged, 144, 0);
    wnd_->HandleMessage(kMsgTimer, CMainWnd::kTimerRestoreLayout, 0);
    EXPECT_EQ(wnd_->RestoreLayoutCount(), layouts);
    EXPECT_FALSE(wnd_->RelayoutPending());
    // Messages before the check still work.
    wnd_->HandleMessage(kMsgLightControlRequest, 1, 0);
    EXPECT_FALSE(wnd_->LightControl());

    wnd_->HandleMessage(kMsgPowerBroadcast, kPowerResume, 0);
    EXPECT_TRUE(wnd_->Awake());
    wnd_->HandleMessage(kMsgDisplayChange, 0, 0);
    EXPECT_GT(wnd_->RestoreLayoutCount(), layouts);
}

TEST_F(MainWndTest, SetLanguageAppliesOnlyANewIndexAndSwitchesFontsByTable) {
    wnd_->SetLanguage(1);
    EXPECT_EQ(wnd_->Language(), 1);
    EXPECT_EQ(ui::CFontSet::Instance().Family(), QStringLiteral("Arial Unicode MS"));
    EXPECT_EQ(wnd_->ResolveTextId(QStringLiteral("menu_exit")), QStringLiteral("退出"));

    ui::CFontSet::Instance().Install(QStringLiteral("Marker"));
    TraceCapture trace;
    wnd_->SetLanguage(1);  // the current index: nothing at all happens
    EXPECT_EQ(ui::CFontSet::Instance().Family(), QStringLiteral("Marker"));
    EXPECT_FALSE(trace.Contains("写成功！"));

    wnd_->SetLanguage(0);
    EXPECT_EQ(ui::CFontSet::Instance().Family(), QStringLiteral("Meiryo UI"));
    EXPECT_EQ(wnd_->ResolveTextId(QStringLiteral("menu_exit")), QStringLiteral("Exit"));
    EXPECT_TRUE(trace.Contains("写成功！"));

    // No font family and no language entry for 3: fonts and texts stay.
    wnd_->SetLanguage(3);
    EXPECT_EQ(wnd_->Language(), 3);
    EXPECT_EQ(ui::CFontSet::Instance().Family(), QStringLiteral("Meiryo UI"));
    EXPECT_EQ(wnd_->ResolveTextId(QStringLiteral("menu_exit")), QStringLiteral("Exit"));
}

TEST_F(MainWndTest, StoredLanguageIsUsedAtTheNextStart) {
    wnd_->SetLanguage(1);
    wnd_.reset();
    wnd_ = std::make_unique<CMainWnd>(dialogs_, bus_);
    ASSERT_TRUE(wnd_->Create());
    EXPECT_EQ(wnd_->Language(), 1);
    wnd_->SetLanguage(0);
}

TEST_F(MainWndTest, MenuCommandsAreKnownByNameNotByPlace) {
    // Neither a bare index nor an unknown name ends anything; other names
    // belong to the macro action menu.
    EXPECT_EQ(wnd_->HandleMessage(kMsgMenuCommand, 0, 0), 1);
    MenuCommand macro{QStringLiteral("macro_item_play")};
    EXPECT_EQ(wnd_->HandleMessage(kMsgMenuCommand, 0, reinterpret_cast<intptr_t>(&macro)), 1);
    EXPECT_FALSE(wnd_->Exiting());
    EXPECT_TRUE(wnd_->isVisible());

    // The tray menu's "exit" item names its command.
    wnd_->HandleMessage(kMsgTrayIcon, 0, kTrayRightButtonUp);
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->TrayMenu() != nullptr; }));
    auto* exit = wnd_->TrayMenu()->findChild<QAction*>(QStringLiteral("exit"));
    ASSERT_NE(exit, nullptr);
    TraceCapture trace;
    exit->trigger();
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->Exiting(); }));
    EXPECT_TRUE(trace.Contains("退出测试"));
    EXPECT_TRUE(wnd_->Devices().Stopping());
    EXPECT_FALSE(wnd_->isVisible());
}

TEST_F(MainWndTest, ClosingHidesToATrayAndEndsTheProgramWithoutOne) {
    struct Case {
        bool tray;
        bool byWindowManager;  // the window manager's close, else the skin's close button
    };
    for (const Case c : {Case{true, false}, Case{true, true}, Case{false, false}, Case{false, true}}) {
        SCOPED_TRACE(testing::Message() << "tray " << c.tray << ", window manager " << c.byWindowManager);
        Recreate();
        wnd_->SetTrayProbe([tray = c.tray] { return tray; });
        TraceCapture trace;
        if (c.byWindowManager)
            wnd_->close();
        else
            Click("closebtn");
        EXPECT_FALSE(wnd_->isVisible());
        // Without a tray the workers are stopped as the tray menu's exit does.
        EXPECT_EQ(wnd_->Exiting(), !c.tray);
        EXPECT_EQ(wnd_->Devices().Stopping(), !c.tray);
        EXPECT_EQ(trace.Contains("退出测试"), !c.tray);
    }
}

TEST_F(MainWndTest, CtrlQEndsTheProgramTrayOrNot) {
    for (const bool tray : {true, false}) {
        SCOPED_TRACE(tray);
        Recreate();
        wnd_->SetTrayProbe([tray] { return tray; });
        wnd_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(wnd_.get()));
        QTest::keyClick(wnd_.get(), Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(wnd_->Exiting());
        EXPECT_TRUE(wnd_->Devices().Stopping());
    }
}

TEST_F(MainWndTest, StartedHiddenItStaysHiddenUntilTheTrayOrASecondStartAsks) {
    for (const bool bySecondStart : {true, false}) {
        SCOPED_TRACE(bySecondStart);
        Recreate(true);
        EXPECT_FALSE(wnd_->isVisible());
        // Neither timer 1011, nor the first scan's message, nor a device
        // connection brings it up.
        wnd_->HandleMessage(kMsgApplication, 0, 0);
        auto keyboard = sim::MakeEmulatedKeyboard();
        simBus_->Plug(keyboard);
        ASSERT_TRUE(test::WaitUntil([&] {
            for (const CDeviceManager::Page& p : wnd_->Devices().Pages())
                if (p.item && p.item->IsVisibleItem()) return true;
            return false;
        }));
        QTest::qWait(150);
        EXPECT_FALSE(wnd_->isVisible());
        EXPECT_EQ(wnd_->RestoreLayoutCount(), 0);

        if (bySecondStart)
            wnd_->HandleMessage(kMsgApplication, 0, 1);
        else
            wnd_->HandleMessage(kMsgTrayIcon, 0, kTrayLeftButtonUp);
        EXPECT_TRUE(wnd_->isVisible());
        EXPECT_EQ(wnd_->size(), CMainWnd::kLayoutSize);  // laid out when first shown
        // From then on it behaves as a window started shown.
        wnd_->hide();
        simBus_->Unplug(keyboard);
        ASSERT_TRUE(test::WaitUntil([&] { return !wnd_->SelectedDevice(); }));
        simBus_->Plug(keyboard);
        EXPECT_TRUE(test::WaitUntil([&] { return wnd_->isVisible(); }));
        simBus_->Unplug(keyboard);
    }
}

TEST_F(MainWndTest, ASecondStartRestoresAMinimisedWindow) {
    for (const bool alsoHidden : {false, true}) {
        SCOPED_TRACE(alsoHidden);
        wnd_->showMinimized();
        ASSERT_TRUE(wnd_->isMinimized());
        if (alsoHidden) wnd_->hide();
        wnd_->HandleMessage(kMsgApplication, 0, 1);
        EXPECT_TRUE(wnd_->isVisible());
        EXPECT_FALSE(wnd_->isMinimized());
        EXPECT_FALSE(wnd_->windowState() & Qt::WindowMinimized);
    }
}

TEST_F(MainWndTest, ADpiChangeStaysThroughLaterLayouts) {
    wnd_->HandleMessage(kMsgDpiChanged, 144, 0);
    EXPECT_EQ(wnd_->Dpi(), 144);
    EXPECT_EQ(ui::CToolkitDpi::Current(), 144);
    // Every later layout returns to the screen's DPI, not to 96.
    wnd_->HandleMessage(kMsgDisplayChange, 0, 0);
    wnd_->HandleMessage(kMsgTimer, CMainWnd::kTimerRestoreLayout, 0);
    wnd_->RestoreLayout();
    EXPECT_EQ(ui::CToolkitDpi::Current(), 144);
    EXPECT_EQ(wnd_->size(), CMainWnd::kLayoutSize);
    // A value that is not one of the steps is taken as 96.
    wnd_->HandleMessage(kMsgDpiChanged, 100, 0);
    EXPECT_EQ(wnd_->Dpi(), 96);
    EXPECT_EQ(ui::CToolkitDpi::Current(), 96);
}

TEST(FitWindowTest, TheDesignSizeStaysWhereItFitsAndTheWindowNeverLeavesTheArea) {
    struct Case {
        QRect area;
        QRect expected;
    };
    const QSize design = CMainWnd::kLayoutSize;
    for (const Case& c : {
             Case{QRect(0, 0, 1920, 1080), QRect(285, 135, 1350, 810)},
             Case{QRect(0, 0, 1366, 728), QRect(8, 0, 1350, 728)},           // 1366 x 768 with a panel below
             Case{QRect(0, 32, 1280, 688), QRect(0, 32, 1280, 688)},         // a panel above
             Case{QRect(1920, 0, 1280, 1024), QRect(1920, 107, 1280, 810)},  // a second screen
             Case{QRect(), QRect(0, 0, 1350, 810)},                          // no screen known
         }) {
        SCOPED_TRACE(testing::Message()
                     << c.area.x() << "," << c.area.y() << " " << c.area.width() << "x" << c.area.height());
        const QRect placed = CMainWnd::FitWindow(design, c.area);
        EXPECT_EQ(placed, c.expected);
        if (c.area.isValid()) {
            EXPECT_TRUE(c.area.contains(placed));
        }
    }
}

TEST_F(MainWndTest, OnASmallScreenTheTitleBarStaysOnItAndTheBoardPictureScrolls) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2) GTEST_SKIP() << "the test platform has one screen";
    QScreen* laptop = screens[1];
    ASSERT_LT(laptop->availableGeometry().height(), CMainWnd::kLayoutSize.height());
    wnd_->setScreen(laptop);
    wnd_->RestoreLayout();
    const QRect area = laptop->availableGeometry();
    EXPECT_EQ(wnd_->geometry(), CMainWnd::FitWindow(CMainWnd::kLayoutSize, area));
    QWidget* title = ui::FindControl(wnd_.get(), QStringLiteral("title_bar"));
    ASSERT_NE(title, nullptr);
    EXPECT_TRUE(area.contains(QRect(title->mapToGlobal(QPoint(0, 0)), title->size())));
    // Nothing the window needs is taller or wider than that.
    const QSize needed = wnd_->Root()->minimumSizeHint();
    EXPECT_LE(needed.height(), area.height());
    EXPECT_LE(needed.width(), area.width());

    // Smaller still, the keyboard's picture keeps its size and can be scrolled to.
    wnd_->resize(1000, 560);
    COrvaneUSBDevice* keyboard = nullptr;
    for (const CDeviceManager::Page& p : wnd_->Devices().Pages())
        if (p.device && p.device->GetSelectPanel() && p.device->GetKeyCount() == 126) keyboard = p.device;
    ASSERT_NE(keyboard, nullptr);
    ui::FindControl(wnd_.get(), QStringLiteral("No_device_Link"))->hide();
    auto* pages = ui::FindControl<QStackedWidget>(wnd_.get(), QStringLiteral("device_switch"));
    auto* scroll = ui::FindControl<QScrollArea>(wnd_.get(), QStringLiteral("device_scroll"));
    ASSERT_NE(pages, nullptr);
    ASSERT_NE(scroll, nullptr);
    ASSERT_EQ(scroll->widget(), pages);
    pages->setCurrentWidget(keyboard);
    // The page is taller than the room left for it: it scrolls (once the layouts settle).
    EXPECT_TRUE(test::WaitUntil([&] { return scroll->verticalScrollBar()->maximum() > 0; }));
    QWidget* picture = keyboard->GetSelectPanel();
    EXPECT_EQ(picture->size(), QSize(872, 242));
    // The whole picture lies on the scrolled page, nothing of it cut off.
    EXPECT_TRUE(pages->rect().contains(QRect(picture->mapTo(pages, QPoint(0, 0)), picture->size())));
    EXPECT_TRUE(keyboard->rect().contains(QRect(picture->mapTo(keyboard, QPoint(0, 0)), picture->size())));
    scroll->ensureWidgetVisible(picture, 0, 0);
    EXPECT_FALSE(picture->visibleRegion().isEmpty());
}

TEST_F(MainWndTest, NumberedFontsReachEveryPageAndWindowBuiltAtStart) {
    wnd_->SetLanguage(1);
    Recreate();  // the stored language: its fonts go out before the pages are built
    const ui::CFontSet& fonts = ui::CFontSet::Instance();
    ASSERT_EQ(fonts.Family(), QStringLiteral("Arial Unicode MS"));
    auto check = [&fonts](QWidget* root) {
        int numbered = 0;
        for (QWidget* w : root->findChildren<QWidget*>()) {
            const QVariant id = w->property("fontId");
            if (!id.isValid()) continue;
            ++numbered;
            SCOPED_TRACE(w->objectName().toStdString());
            EXPECT_TRUE(w->testAttribute(Qt::WA_SetFont));  // its own font, not only the window's
            EXPECT_EQ(w->font().family(), fonts.Font(id.toInt()).family());
        }
        return numbered;
    };
    QStringList pageFonts;
    for (const CDeviceManager::Page& p : wnd_->Devices().Pages())
        for (QWidget* w : p.device->findChildren<QWidget*>())
            if (w->property("fontId").isValid()) pageFonts << w->objectName();
    EXPECT_TRUE(pageFonts.contains(QStringLiteral("keyboard_system_panel_title")));
    EXPECT_GT(check(wnd_.get()), 10);
    // A message window made later gets them as well.
    ui::CMsgWnd box(wnd_.get());
    box.Build();
    EXPECT_GT(check(&box), 0);
    wnd_->SetLanguage(0);
}

}  // namespace
}  // namespace r88
