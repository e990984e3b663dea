#include "app/main_wnd.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/light_control_bus.h"
#include "platform/hid_backend.h"
#include "platform/trace.h"
#include "sim/sim_bus.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/ui_fixture.h"
#include "tests/ui/wait.h"
#include "ui/find_control.h"
#include "ui/font_set.h"

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
        SetCurrentHidBackend(std::make_shared<sim::SimHidBus>());
        wnd_ = std::make_unique<CMainWnd>(dialogs_, bus_);
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

TEST_F(MainWndTest, TrayMenuExitEndsTheProgram) {
    wnd_->HandleMessage(kMsgTrayIcon, 0, kTrayRightButtonUp);
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->TrayMenu() != nullptr; }));
    TraceCapture trace;
    wnd_->HandleMessage(kMsgMenuCommand, 0, 0);  // the first item is "exit"
    EXPECT_TRUE(trace.Contains("退出测试"));
    EXPECT_FALSE(wnd_->isVisible());
}

}  // namespace
}  // namespace r88
