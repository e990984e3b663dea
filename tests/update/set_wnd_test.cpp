#include "update/qt/set_wnd.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include "app/light_control_bus.h"
#include "app/main_wnd.h"
#include "device/qt/orvane_usb_device.h"
#include "platform/autostart.h"
#include "platform/hid_backend.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/ui_fixture.h"
#include "tests/ui/wait.h"
#include "tests/update/loopback_server.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/find_control.h"
#include "ui/language_settings.h"
#include "ui/skin_loader.h"
#include "ui/texts.h"
#include "update/update_time_config.h"

namespace r88 {
namespace {

using test::CLoopbackServer;
using test::HttpResponse;
using test::Reply;

// The window's owner: records what the window tells it and hands the
// update-progress messages back, as the main window does.
struct RecordingOwner : IMessageSink {
    struct Message {
        unsigned msg;
        uintptr_t w;
        intptr_t l;
    };
    CSetWnd* wnd = nullptr;
    mutable std::mutex mutex;  // the download thread posts its progress
    std::vector<Message> messages;
    void PostMessage(unsigned msg, uintptr_t w, intptr_t l) override {
        {
            std::lock_guard lock(mutex);
            messages.push_back({msg, w, l});
        }
        if (msg == kMsgUpdateProgress && wnd != nullptr) wnd->Messages().PostMessage(msg, w, l);
    }
    intptr_t SendMessage(unsigned msg, uintptr_t w, intptr_t l) override {
        std::lock_guard lock(mutex);
        messages.push_back({msg, w, l});
        return 0;
    }
    std::vector<Message> All() const {
        std::lock_guard lock(mutex);
        return messages;
    }
    std::vector<std::pair<uintptr_t, intptr_t>> Progress() const {
        std::vector<std::pair<uintptr_t, intptr_t>> out;
        for (const Message& m : All())
            if (m.msg == kMsgUpdateProgress) out.emplace_back(m.w, m.l);
        return out;
    }
};

// The application (1.0.0, "version=100") is offered 1.0.4, firmware 0110;
// their files are on the service's own host.
std::string Answer(const test::ReceivedRequest& r, const std::string& base) {
    if (r.body.find("&version=100") != std::string::npos)
        return R"({"version":"104","version_name":"1.0.4","name":"app","path":")" + base +
               R"(files/r88_1.0.4.deb"})";
    return R"({"version":"0110","version_name":"fw","name":"fw","path":")" + base + R"(files/fw_0110.bin"})";
}

class SetWndTest : public test::SkinTest {
protected:
    void SetUp() override {
        test::SkinTest::SetUp();
        test::ClearProxyEnvironment();
        ASSERT_TRUE(home_.isValid());
        for (const char* var : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
            saved_.emplace_back(var, qgetenv(var));
            qputenv(var, (home_.path() + "/" + var).toUtf8());
            QDir().mkpath(home_.path() + "/" + var);
        }
        qputenv("VANTIRO_DATA_DIR", (test::BinaryDir() + QStringLiteral("/share/vantiro-r88")).toUtf8());
        authority_ = test::MakeTestAuthority(home_.path().toStdString(), "set");
        folder_ = home_.path().toStdString() + "/downloads/";
    }
    void TearDown() override {
        wnd_.reset();
        for (const auto& [var, value] : saved_) {
            if (value.isNull())
                qunsetenv(var);
            else
                qputenv(var, value);
        }
    }

    UpdateServiceConfig Service(const std::string& base) const {
        UpdateServiceConfig s;
        s.baseUrl = base;
        s.client.caFile = authority_.caFile;
        s.downloadFolder = folder_;
        return s;
    }

    // Targets: the firmware rows that have a version, and the application (1.0.0).
    static std::vector<UpdateTarget> Targets(std::initializer_list<int> firmware) {
        std::vector<UpdateTarget> t = UpdateTargetTable();
        std::size_t k = 0;
        for (int v : firmware) t[k++].currentVersion = v;
        return t;
    }

    void Open(std::vector<UpdateTarget> targets, UpdateServiceConfig service) {
        wnd_ = std::make_unique<CSetWnd>();
        owner_.wnd = wnd_.get();
        wnd_->SetOwner(&owner_, 0);
        wnd_->SetTargets(std::move(targets));
        wnd_->SetService(std::move(service));
        wnd_->SetHandOver([this](const UpdateInfo&, bool application, const QString& path) {
            handedOver_.emplace_back(application, path);
        });
        ASSERT_TRUE(wnd_->Build());
        wnd_->show();
    }

    bool CheckEnds() {
        return test::WaitUntil([&] { return wnd_->WindowStatus() != set_status::kChecking; }, 10000);
    }

    QAbstractButton* Tick(int row) { return wnd_->RowControl(row)->TickBox(); }
    QString StatusTextId() {
        return ui::FindControl<QLabel>(wnd_.get(), QStringLiteral("Update_Status_text"))
            ->property("textId")
            .toString();
    }
    void Click(const char* name) {
        auto* b = ui::FindControl<QAbstractButton>(wnd_.get(), QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(4, b->height() / 2));
    }

    QTemporaryDir home_;
    std::vector<std::pair<const char*, QByteArray>> saved_;
    test::TestAuthority authority_;
    std::string folder_;
    RecordingOwner owner_;
    std::vector<std::pair<bool, QString>> handedOver_;
    std::unique_ptr<CSetWnd> wnd_;
};

TEST_F(SetWndTest, WithoutDevicesOnlyTheApplicationIsChecked) {
    CLoopbackServer server([&](const test::ReceivedRequest& r) { return Reply{HttpResponse(Answer(r, ""))}; },
                           &authority_);
    Open(UpdateTargetTable(), Service(server.BaseUrl()));
    ASSERT_TRUE(CheckEnds());
    ASSERT_EQ(wnd_->RowCount(), 1);
    EXPECT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(Tick(0)->text(), QStringLiteral("VANTIRO  R88 Gaming Keyboard :"));
    EXPECT_EQ(wnd_->RowInfo(0).status, update_status::kAvailable);
    EXPECT_EQ(wnd_->RowControl(0)->Part("updateRev")->text(), QStringLiteral("1.0.4"));
    EXPECT_TRUE(Tick(0)->isChecked());
    EXPECT_EQ(wnd_->WindowStatus(), set_status::kHaveUpdate);
    EXPECT_EQ(StatusTextId(), QStringLiteral("HaveUpdateInfoText"));
    EXPECT_TRUE(ui::FindControl(wnd_.get(), QStringLiteral("update_fw_and_ap"))->isVisible());
    EXPECT_FALSE(ReadLastCheckDate(UpdateTimeConfigPath()).empty());
}

TEST_F(SetWndTest, NoServiceToAskMeansNoUpdateInformationAndNothingToTick) {
    int closedPort = 0;
    {
        CLoopbackServer gone([](const test::ReceivedRequest&) { return Reply{}; }, &authority_);
        closedPort = gone.Port();
    }
    CLoopbackServer plain([](const test::ReceivedRequest&) { return Reply{HttpResponse("{}")}; });
    struct Case {
        const char* what;
        std::string base;
        const char* textId;
    };
    const Case cases[] = {
        {"unreachable", "https://127.0.0.1:" + std::to_string(closedPort) + "/", "NoUpdateInfoText"},
        {"nothing configured", "", "NoUpdateInfoText"},
        {"plain http refused", plain.BaseUrl(), "UpdateUrlNotHttpsText"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(Targets({0x0103, 0x0107}), Service(c.base));
        ASSERT_TRUE(CheckEnds());
        EXPECT_EQ(wnd_->WindowStatus(), set_status::kNoInformation);
        EXPECT_EQ(StatusTextId(), QString::fromLatin1(c.textId));
        ASSERT_EQ(wnd_->RowCount(), 3);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(wnd_->RowInfo(k).status, update_status::kUpToDate);
            EXPECT_FALSE(Tick(k)->isEnabled());
            EXPECT_FALSE(Tick(k)->isChecked());
        }
        EXPECT_EQ(wnd_->RowControl(0)->Part("OldRev")->text(), QStringLiteral("V0103"));
        EXPECT_EQ(wnd_->RowControl(2)->Part("OldRev")->text(), QStringLiteral("V0100"));
        EXPECT_FALSE(ui::FindControl(wnd_.get(), QStringLiteral("update_fw_and_ap"))->isVisible());
    }
    EXPECT_TRUE(plain.Requests().empty());
}

TEST_F(SetWndTest, UpToDateShowsTheLastCheckDateInTheCurrentLanguage) {
    CLoopbackServer server(
        [](const test::ReceivedRequest&) { return Reply{HttpResponse(R"({"version":"100","name":"app"})")}; },
        &authority_);
    ASSERT_EQ(WriteLastCheckDate(UpdateTimeConfigPath(), "2026-1-2"), 0);
    Open(UpdateTargetTable(), Service(server.BaseUrl()));
    ASSERT_TRUE(CheckEnds());
    EXPECT_EQ(wnd_->WindowStatus(), set_status::kLatest);
    EXPECT_EQ(wnd_->RowInfo(0).status, update_status::kUpToDate);
    EXPECT_EQ(owner_.All().back().msg, unsigned(kMsgClearUpdateBadge));
    auto* text = ui::FindControl<QLabel>(wnd_.get(), QStringLiteral("Update_Status_text"));
    EXPECT_EQ(text->text(), ui::TextOf(QStringLiteral("UpdateIsLastText")) + "2026-1-2");
    EXPECT_EQ(wnd_->LastCheckDate(), QStringLiteral("2026-1-2"));

    ASSERT_TRUE(ui::CLanguage::Instance().Load(test::BinaryDir() + "/share/vantiro-r88/lang/zh_CN.qm"));
    wnd_->HandleMessage(kMsgLanguageChanged, 1, 0);
    EXPECT_EQ(text->text(), ui::TextOf(QStringLiteral("UpdateIsLastText")) + "2026-1-2");
    EXPECT_TRUE(text->text().startsWith(QString::fromUtf8("已是最新版本"))) << text->text().toStdString();
    ui::CLanguage::Instance().Load(QString());
    // The check itself leaves today's date for the next opening.
    EXPECT_EQ(ReadLastCheckDate(UpdateTimeConfigPath()), TodayText());
}

TEST_F(SetWndTest, ConfirmingWithNothingTickedChangesNothing) {
    CLoopbackServer server([&](const test::ReceivedRequest& r) { return Reply{HttpResponse(Answer(r, ""))}; },
                           &authority_);
    Open(Targets({0x0103}), Service(server.BaseUrl()));
    ASSERT_TRUE(CheckEnds());
    ASSERT_EQ(wnd_->RowCount(), 2);
    for (int k = 0; k < 2; ++k) {
        ASSERT_TRUE(Tick(k)->isChecked());
        QTest::mouseClick(Tick(k), Qt::LeftButton, {}, QPoint(4, Tick(k)->height() / 2));
        EXPECT_FALSE(Tick(k)->isChecked());
    }
    // Nothing ticked: the update button is gone; confirming anyway does nothing.
    EXPECT_FALSE(ui::FindControl(wnd_.get(), QStringLiteral("update_fw_and_ap"))->isVisible());
    auto* tabs = ui::FindControl<QStackedWidget>(wnd_.get(), QStringLiteral("get_update_tab_layout"));
    tabs->setCurrentIndex(1);
    Click("update_OK_btn");
    EXPECT_EQ(tabs->currentIndex(), 0);
    for (int k = 0; k < 2; ++k) EXPECT_EQ(wnd_->RowInfo(k).status, update_status::kAvailable);
    EXPECT_FALSE(wnd_->Downloading());
    EXPECT_TRUE(owner_.Progress().empty());
    EXPECT_EQ(wnd_->WindowStatus(), set_status::kHaveUpdate);
}

TEST_F(SetWndTest, ConfirmedRowsDownloadInTurnAndTheCloseWaitsForThem) {
    const std::string file(150 * 1024, 'f');
    std::atomic<bool> release{false};
    std::string base;
    CLoopbackServer server(
        [&](const test::ReceivedRequest& r) {
            if (r.method != "GET") return Reply{HttpResponse(Answer(r, base))};
            // The firmware's file waits until the test has tried to close.
            while (r.target.find("fw_") != std::string::npos && !release) QThread::msleep(5);
            return Reply{HttpResponse(file, 200, "application/octet-stream")};
        },
        &authority_);
    base = server.BaseUrl();
    Open(Targets({0x0103}), Service(base));
    ASSERT_TRUE(CheckEnds());
    ASSERT_EQ(wnd_->RowCount(), 2);
    Click("update_fw_and_ap");
    Click("update_OK_btn");
    EXPECT_EQ(wnd_->WindowStatus(), set_status::kUpdating);
    EXPECT_EQ(wnd_->RowInfo(0).status, update_status::kUpdating);
    EXPECT_EQ(wnd_->RowInfo(1).status, update_status::kQueued);

    wnd_->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd_->isVisible());  // refused while rows are queued

    release = true;
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->WindowStatus() == set_status::kLatest; }, 15000));
    // Per row: the percents upwards, then 1.
    const auto progress = owner_.Progress();
    std::vector<std::vector<intptr_t>> rows(1);
    for (const auto& [code, percent] : progress) {
        if (code == 4)
            rows.back().push_back(percent);
        else {
            EXPECT_EQ(code, 1u);
            rows.emplace_back();
        }
    }
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[2].empty());
    for (int k = 0; k < 2; ++k) {
        ASSERT_FALSE(rows[k].empty());
        EXPECT_TRUE(std::is_sorted(rows[k].begin(), rows[k].end()));
        EXPECT_EQ(rows[k].back(), 100);
    }
    const std::vector<std::pair<bool, QString>> expected{
        {false, QString::fromStdString(folder_) + "fw_0110.bin"},
        {true, QString::fromStdString(folder_) + "r88_1.0.4.deb"}};
    EXPECT_EQ(handedOver_, expected);
    for (const auto& [application, path] : handedOver_)
        EXPECT_EQ(QFileInfo(path).size(), qint64(file.size()));
    EXPECT_EQ(wnd_->RowControl(0)->Part("OldRev")->text(), QStringLiteral("V0110"));
    EXPECT_EQ(wnd_->RowControl(1)->Part("OldRev")->text(), QStringLiteral("1.0.4"));
    for (int k = 0; k < 2; ++k) EXPECT_EQ(wnd_->RowInfo(k).status, update_status::kUpToDate);
    int done = 0;
    for (const auto& m : owner_.All()) done += m.msg == kMsgUpdateRowDone ? 1 : 0;
    EXPECT_EQ(done, 2);
    EXPECT_EQ(owner_.All().back().msg, unsigned(kMsgClearUpdateBadge));

    wnd_->close();
    EXPECT_FALSE(wnd_->isVisible());
}

TEST_F(SetWndTest, ABrokenDownloadFailsTheRowLeavesNoFileAndCanBeTriedAgain) {
    const std::string file(200 * 1024, 'b');
    std::string base;
    std::atomic<int> downloads{0};
    CLoopbackServer server(
        [&](const test::ReceivedRequest& r) {
            if (r.method != "GET") return Reply{HttpResponse(Answer(r, base))};
            Reply reply{HttpResponse(file, 200, "application/octet-stream")};
            if (++downloads == 1) reply.cutAfter = 64 * 1024;  // the first transfer breaks
            return reply;
        },
        &authority_);
    base = server.BaseUrl();
    Open(UpdateTargetTable(), Service(base));
    ASSERT_TRUE(CheckEnds());
    Click("update_fw_and_ap");
    Click("update_OK_btn");
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->RowInfo(0).status == update_status::kFailed; }, 15000));
    EXPECT_EQ(owner_.Progress().back().first, 2u);
    EXPECT_TRUE(handedOver_.empty());
    EXPECT_TRUE(QDir(QString::fromStdString(folder_))
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_EQ(wnd_->WindowStatus(), set_status::kHaveUpdate);
    EXPECT_TRUE(Tick(0)->isEnabled());
    EXPECT_FALSE(wnd_->InUpdateState());  // the window may close now

    Click("update_fw_and_ap");
    Click("update_OK_btn");
    ASSERT_TRUE(test::WaitUntil([&] { return wnd_->WindowStatus() == set_status::kLatest; }, 15000));
    ASSERT_EQ(handedOver_.size(), 1u);
    EXPECT_TRUE(handedOver_[0].first);
    EXPECT_EQ(QFileInfo(handedOver_[0].second).size(), qint64(file.size()));
    wnd_->close();
    EXPECT_FALSE(wnd_->isVisible());
}

TEST_F(SetWndTest, TheStartUpEntryIsWrittenOnceAndRemoved) {
    Open(UpdateTargetTable(), Service(""));
    auto* launch = ui::FindControl<QAbstractButton>(wnd_.get(), QStringLiteral("device_launch_app"));
    ASSERT_NE(launch, nullptr);
    EXPECT_FALSE(launch->isChecked());
    QTest::mouseClick(launch, Qt::LeftButton, {}, QPoint(4, launch->height() / 2));
    ASSERT_TRUE(AutostartEnabled());
    const auto entry = std::filesystem::path(AutostartEntryPath());
    const auto first = std::filesystem::last_write_time(entry);
    std::ifstream in(entry);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(RunningProgramPath() + "\" --hidden"), std::string::npos) << text.str();
    // Ticked again (as after reopening): the entry is left as it is.
    QThread::msleep(20);
    ui::SendNotify(launch, ui::event::kSelectChanged);
    EXPECT_EQ(std::filesystem::last_write_time(entry), first);
    QTest::mouseClick(launch, Qt::LeftButton, {}, QPoint(4, launch->height() / 2));
    EXPECT_FALSE(AutostartEnabled());

    // A window opened later shows what is stored.
    EnableAutostart(RunningProgramPath());
    Open(UpdateTargetTable(), Service(""));
    EXPECT_TRUE(
        ui::FindControl<QAbstractButton>(wnd_.get(), QStringLiteral("device_launch_app"))->isChecked());
}

TEST_F(SetWndTest, ARowShowsItsStatus) {
    ui::CSkinLoader loader;
    QWidget list;
    auto* row = qobject_cast<ui::CUpdateInfoListItemUI*>(
        loader.LoadLayout(QStringLiteral("XML/CustomControlXML/device_Update_list_item.ui"), &list));
    ASSERT_NE(row, nullptr) << loader.Error().toStdString();
    list.show();
    const QColor white = QColor::fromRgba(0xFFFFFFFF), grey = QColor::fromRgba(0xFF666666);
    const QColor blue = QColor::fromRgba(0xFF0099FF), darkBlue = QColor::fromRgba(0xFF0078C8);
    struct Case {
        int status;
        bool busy;
        bool done;
        QColor text;
        QColor disabled;
    };
    const Case cases[] = {
        {0, false, false, white, grey},    {1, false, false, blue, darkBlue},
        {3, false, false, blue, darkBlue}, {4, true, false, blue, darkBlue},
        {5, false, true, blue, darkBlue},  {6, true, false, blue, darkBlue},
        {7, false, false, white, grey},    {8, false, false, blue, darkBlue},
    };
    QWidget* ring = row->findChild<QWidget*>(QStringLiteral("update_status_ing"));
    ASSERT_NE(ring, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        row->SetStatus(c.status);
        EXPECT_EQ(row->Status(), c.status);
        EXPECT_EQ(ring->isVisible(), c.busy);
        EXPECT_EQ(row->Part("update_progress_value")->isVisible(), c.busy);
        EXPECT_EQ(row->Part("update_status_ok")->isVisible(), c.done);
        EXPECT_EQ(row->TextColour(), c.text);
        EXPECT_EQ(row->DisabledTextColour(), c.disabled);
    }
    row->SetStatus(4);
    row->SetProgress(42);
    EXPECT_EQ(row->Part("update_progress_value")->text(), QStringLiteral("42%"));
    // Values outside the table leave the row as it is.
    row->SetStatus(9);
    row->SetStatus(-1);
    EXPECT_EQ(row->Status(), 4);
    EXPECT_TRUE(ring->isVisible());
}

// The settings window as the main window opens, feeds and closes it.
class MainSetWndTest : public SetWndTest {
protected:
    void SetUp() override {
        SetWndTest::SetUp();
        previousBackend_ = CurrentHidBackend();
        SetCurrentHidBackend(simBus_);
        main_ = std::make_unique<CMainWnd>(dialogs_, bus_);
        ASSERT_TRUE(main_->Create()) << main_->Error().toStdString();
    }
    void TearDown() override {
        main_.reset();
        SetCurrentHidBackend(previousBackend_);
        SetWndTest::TearDown();
    }
    void ClickMain(const char* name) {
        auto* b = ui::FindControl<QAbstractButton>(main_.get(), QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    struct NoBus : ILightControlBus {
        void Announce(int, int) override {}
    } bus_;
    test::CScriptedDialogs dialogs_;
    std::shared_ptr<IHidBackend> previousBackend_;
    std::shared_ptr<sim::SimHidBus> simBus_ = std::make_shared<sim::SimHidBus>();
    std::unique_ptr<CMainWnd> main_;
};

TEST_F(MainSetWndTest, OpensFromTheSettingsButtonAndClosesOnDeviceChanges) {
    auto keyboard = sim::MakeEmulatedKeyboard();
    simBus_->Plug(keyboard);
    ASSERT_TRUE(test::WaitUntil([&] { return main_->SelectedDevice() != nullptr; }, 5000));
    ASSERT_TRUE(test::WaitUntil([&] { return main_->SelectedDevice()->IsCommandOpen(); }, 5000));

    ClickMain("setbtn");
    CSetWnd* wnd = main_->SettingsWindow();
    ASSERT_NE(wnd, nullptr);
    EXPECT_EQ(wnd->size(), CSetWnd::kSize);
    EXPECT_EQ(wnd->geometry().center(), main_->frameGeometry().center());
    // Nothing configured: no check, but the keyboard's firmware has its row.
    ASSERT_TRUE(test::WaitUntil([&] { return wnd->WindowStatus() == set_status::kNoInformation; }));
    bool keyboardRow = false;
    for (int k = 0; k < wnd->RowCount(); ++k) keyboardRow |= wnd->RowInfo(k).currentVersionText == "V0107";
    EXPECT_TRUE(keyboardRow);
    ClickMain("setbtn");
    EXPECT_EQ(main_->SettingsWindow(), wnd);  // one at a time

    // The language combo changes the main window's language.
    auto* combo = ui::FindControl<QComboBox>(wnd, QStringLiteral("Language_combox_info"));
    ASSERT_NE(combo, nullptr);
    ASSERT_GE(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), main_->Language());
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    EXPECT_EQ(main_->Language(), 1);

    // A device leaving closes it.
    QPointer<CSetWnd> watch(wnd);
    simBus_->Unplug(keyboard);
    ASSERT_TRUE(test::WaitUntil([&] { return watch.isNull(); }, 5000));
    EXPECT_EQ(main_->SettingsWindow(), nullptr);

    // Message 3093: 300 px right of the centred place; the tray click closes it.
    main_->HandleMessage(kMsgOpenSettingsShifted, 0, 0);
    ASSERT_NE(main_->SettingsWindow(), nullptr);
    QRect centred(QPoint(0, 0), CSetWnd::kSize);
    centred.moveCenter(main_->frameGeometry().center());
    EXPECT_EQ(main_->SettingsWindow()->x(), centred.x() + 300);
    watch = main_->SettingsWindow();
    main_->HandleMessage(kMsgTrayIcon, 0, kTrayLeftButtonUp);
    ASSERT_TRUE(test::WaitUntil([&] { return watch.isNull(); }));
}

}  // namespace
}  // namespace r88
