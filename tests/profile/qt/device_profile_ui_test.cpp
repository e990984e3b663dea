#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>
#include <memory>

#include "app/layout_tags.h"
#include "profile/device_profile_list.h"
#include "profile/json_file.h"
#include "profile/profile_tabs.h"
#include "profile/qt/device_profile_ui.h"
#include "profile/qt/profile_bar_commands.h"
#include "tests/ui/qt_printers.h"
#include "tests/ui/scripted_dialogs.h"
#include "tests/ui/ui_fixture.h"
#include "ui/find_control.h"
#include "ui/notify.h"

namespace r88 {
namespace {

// Records what the profile bar asks of the device object.
class RecordingDevice : public IProfileDevice {
public:
    void SetDocumentPaths(const std::string& id) override {
        calls << QStringLiteral("paths ") + QString::fromStdString(id);
        pathsId = id;
    }
    int LoadProfile() override {
        calls << QStringLiteral("load");
        return pathsId == unloadable ? 0 : 1;
    }
    bool RestoreDefaults() override {
        calls << QStringLiteral("defaults");
        return true;
    }
    void WriteProfileToDevice(ProfileWrite occasion) override {
        calls << (occasion == ProfileWrite::kSelected ? QStringLiteral("write selected")
                  : occasion == ProfileWrite::kReset  ? QStringLiteral("write reset")
                                                      : QStringLiteral("write defaults"));
    }
    QStringList calls;
    std::string pathsId;
    std::string unloadable;  // a profile whose document fails to load
};

// The profile bar built from the real skin inside a window that routes its
// notifications to the bar's handlers as the main window does.
class ProfileBar : public test::SkinTest, public ui::INotifyHandler {
protected:
    void SetUp() override {
        SkinTest::SetUp();
        ASSERT_TRUE(dir_.isValid());
        folder_ = dir_.path().toStdString() + "/device/";
        std::filesystem::create_directories(folder_);
    }

    // Writes a list whose profiles have the identifiers id0, id1, ..., each
    // with a copy of the factory document.
    void Seed(const QStringList& names, int select, const char* factory = "keyboard") {
        Json::Value list;
        for (int i = 0; i < names.size(); ++i) {
            const auto n = static_cast<Json::ArrayIndex>(i);
            const std::string id = "id" + std::to_string(i);
            list["profilelist"][n]["profilename"] = names[i].toStdString();
            list["profilelist"][n]["profileUUID"] = id;
            Json::Value doc = file_.ReadJson(DefaultDocumentPath(factory));
            doc["profilename"] = names[i].toStdString();
            doc["profileUUID"] = id;
            ASSERT_EQ(file_.WriteJson(folder_ + id + ".Json", doc), 0);
        }
        list["profileselect"] = select;
        ASSERT_EQ(file_.WriteJson(folder_ + kProfileListFileName, list), 0);
    }

    // Set-up as the device page does it; the menu is opened unless told not to.
    void Build(int kind, const char* factory = "keyboard", bool openMenu = true) {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        QWidget* built = CLayoutTagTable().CreateControl(QStringLiteral("DeviceProfileUI"), window_.get());
        bar_ = qobject_cast<CDeviceProfileUI*>(built);
        ASSERT_NE(bar_, nullptr) << (built != nullptr ? built->metaObject()->className() : "nothing built");
        layout->addWidget(bar_);
        new ui::CNotifyDispatcher(window_.get(), this);
        bar_->SetKind(kind);
        bar_->SetPaths(folder_, DefaultDocumentPath(factory));
        bar_->SetDevice(&device_);
        bar_->Init();
        bar_->SelectTab(1);
        if (openMenu) bar_->ShowMenu(true);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        initCalls_ = device_.calls;
        device_.calls.clear();
    }

    void Notify(const ui::Notification& n) override {
        notes_ << n.type + QLatin1Char(':') + n.SenderName();
        if (n.type == ui::event::kClick) HandleProfileBarClick(*bar_, dialogs_, window_.get(), n.SenderName());
        else if (n.type == ui::event::kItemSelect) HandleProfileBarItemSelect(*bar_, n.SenderName());
    }

    template <class T = QWidget>
    T* Get(const char* name) {
        T* w = ui::FindControl<T>(bar_, QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Click(const char* name) {
        auto* button = Get<QAbstractButton>(name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible()) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void TypeName(const QString& text) {
        auto* edit = Get<QLineEdit>(profile_bar::kNameEdit);
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    QStringList Items() {
        QStringList items;
        auto* combo = Get<QComboBox>(profile_bar::kCombo);
        for (int i = 0; combo != nullptr && i < combo->count(); ++i) {
            items << combo->itemText(i);
            EXPECT_EQ(combo->itemData(i, Qt::ToolTipRole).toString(), combo->itemText(i));
        }
        return items;
    }
    // The names of the list file, which must mirror the drop-down.
    QStringList ListNames() const {
        QStringList names;
        const Json::Value list = List();
        for (const Json::Value& e : list["profilelist"]) names << QString::fromStdString(e["profilename"].asString());
        return names;
    }
    Json::Value List() const { return file_.ReadJson(folder_ + kProfileListFileName); }
    Json::Value Document(const std::string& id) const { return file_.ReadJson(folder_ + id + ".Json"); }
    bool DocumentExists(const std::string& id) const { return QFile::exists(QString::fromStdString(folder_ + id + ".Json")); }
    std::string Current() const { return bar_->GetCurrentProfileId(); }
    QStringList Loaded(const std::string& id) const {
        return {QStringLiteral("paths ") + QString::fromStdString(id), QStringLiteral("load"),
                QStringLiteral("write selected")};
    }
    QString TempFile(const char* name) const { return dir_.path() + QLatin1Char('/') + QLatin1String(name); }

    QTemporaryDir dir_;
    std::string folder_;
    CJsonFile file_;
    std::unique_ptr<QWidget> window_;
    CDeviceProfileUI* bar_ = nullptr;
    RecordingDevice device_;
    test::CScriptedDialogs dialogs_;
    QStringList notes_;
    QStringList initCalls_;
};

TEST_F(ProfileBar, LayoutBuildsTheBarWithItsControls) {
    Build(kKindKeyboard, "keyboard", false);
    for (const char* name : {profile_bar::kSpreadButton, profile_bar::kAddButton, profile_bar::kDeleteButton,
                             profile_bar::kCopyButton, profile_bar::kExportButton, profile_bar::kImportButton,
                             profile_bar::kResetButton, profile_bar::kRenameButton, profile_bar::kDefaultButton})
        Get<QAbstractButton>(name);
    Get<QComboBox>(profile_bar::kCombo);
    Get<QLineEdit>(profile_bar::kNameEdit);
    for (const char* tab : kFunctionTabs) {
        auto* button = Get<QAbstractButton>(tab);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isCheckable() && button->autoExclusive()) << tab;
    }
    // The menu starts collapsed, its buttons with it.
    EXPECT_FALSE(bar_->IsMenuVisible());
    EXPECT_FALSE(Get(profile_bar::kAddButton)->isVisible());
    EXPECT_EQ(bar_->GetSelectedTab(), 1);
}

TEST_F(ProfileBar, InitShowsTheRecordedProfileWithoutLoadingItOrNotifying) {
    // An empty folder gets one profile with its document.
    Build(kKindKeyboard);
    EXPECT_EQ(Items(), QStringList{"Profile1"});
    EXPECT_EQ(ListNames(), QStringList{"Profile1"});
    EXPECT_TRUE(DocumentExists(Current()));
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("Profile1"));
    EXPECT_EQ(initCalls_, QStringList{QStringLiteral("paths ") + QString::fromStdString(Current())});

    Seed({"Profile1", "Gaming", "Work"}, 2);
    Build(kKindKeyboard);
    EXPECT_EQ(Items(), (QStringList{"Profile1", "Gaming", "Work"}));
    EXPECT_EQ(bar_->GetCurrentIndex(), 2);
    EXPECT_EQ(Current(), "id2");
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("Work"));
    EXPECT_EQ(initCalls_, QStringList{"paths id2"});
    // Changes made by code: set-up, selection without announcing, the menu.
    bar_->Select(0, false);
    bar_->ShowMenu(false);
    bar_->SetNameEditText(QStringLiteral("x"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(notes_.isEmpty()) << notes_.join(' ').toStdString();
    EXPECT_EQ(List()["profileselect"].asInt(), 0);
    EXPECT_EQ(device_.calls, QStringList{"paths id0"});
}

TEST_F(ProfileBar, ChoosingAProfileLoadsItAndWritesItToTheDevice) {
    Seed({"Profile1", "Gaming", "Work"}, 0);
    Build(kKindKeyboard);
    auto* combo = Get<QComboBox>(profile_bar::kCombo);
    ASSERT_NE(combo, nullptr);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);  // the user picks the next profile
    EXPECT_TRUE(notes_.contains(QStringLiteral("itemselect:device_profile_combo")));
    EXPECT_EQ(device_.calls, Loaded("id1"));
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("Gaming"));
    EXPECT_EQ(List()["profileselect"].asInt(), 1);

    // Picking the profile that is current already loads nothing again.
    device_.calls.clear();
    emit combo->activated(1);
    EXPECT_TRUE(device_.calls.isEmpty()) << device_.calls.join(' ').toStdString();

    // An announced selection by code takes the same way through the window;
    // the device is pointed at the profile only when it loads it.
    notes_.clear();
    device_.calls.clear();
    bar_->Select(2, true);
    EXPECT_EQ(notes_, QStringList{"itemselect:device_profile_combo"});
    EXPECT_EQ(device_.calls, Loaded("id2"));
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(List()["profileselect"].asInt(), 2);

    // A profile that cannot be loaded is not chosen: the drop-down, the name
    // box, the list and the device stay with the previous one.
    device_.unloadable = "id0";
    device_.calls.clear();
    QTest::keyClick(combo, Qt::Key_Home);
    EXPECT_EQ(device_.calls, (QStringList{"paths id0", "load", "paths id2", "load"}));
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("Work"));
    EXPECT_EQ(Current(), "id2");
    EXPECT_EQ(List()["profileselect"].asInt(), 2);

    // A profile another process added shows up with the next choice.
    Json::Value list = List();
    list["profilelist"][3]["profilename"] = "Added";
    list["profilelist"][3]["profileUUID"] = "id3";
    ASSERT_EQ(file_.WriteJson(folder_ + kProfileListFileName, list), 0);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(Items(), (QStringList{"Profile1", "Gaming", "Work", "Added"}));
    EXPECT_EQ(ListNames(), Items());
    EXPECT_EQ(Current(), "id1");
}

TEST_F(ProfileBar, NewAndCopyAddAProfileAndLoadItOnce) {
    Seed({"Profile1", "profile2"}, 1);
    Build(kKindKeyboard);
    Click(profile_bar::kAddButton);
    EXPECT_EQ(Items(), (QStringList{"Profile1", "profile2", "Profile3"}));
    EXPECT_EQ(ListNames(), Items());
    EXPECT_EQ(bar_->GetCurrentIndex(), 2);
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("Profile3"));
    const std::string added = Current();
    EXPECT_EQ(Document(added)["profilename"].asString(), "Profile3");
    EXPECT_EQ(device_.calls, Loaded(added));

    // The copy carries the source's content under a new name and identifier.
    Json::Value doc = Document(added);
    doc["Marker"] = 7;
    ASSERT_EQ(file_.WriteJson(folder_ + added + ".Json", doc), 0);
    device_.calls.clear();
    Click(profile_bar::kCopyButton);
    EXPECT_EQ(Items().last(), QStringLiteral("Profile3 copy"));
    EXPECT_EQ(bar_->GetCurrentIndex(), 3);
    const std::string copy = Current();
    EXPECT_NE(copy, added);
    EXPECT_EQ(Document(copy)["Marker"].asInt(), 7);
    EXPECT_EQ(Document(copy)["profileUUID"].asString(), copy);
    EXPECT_EQ(device_.calls, Loaded(copy));
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(ProfileBar, NewStopsAtFiftyProfilesWhileCopyStillAdds) {
    QStringList names;
    for (int i = 1; i <= kMaxNewProfiles; ++i) names << QStringLiteral("P%1").arg(i);
    Seed(names, 0);
    Build(kKindKeyboard);
    Click(profile_bar::kAddButton);
    EXPECT_EQ(Items().size(), kMaxNewProfiles);
    EXPECT_TRUE(device_.calls.isEmpty());
    Click(profile_bar::kCopyButton);
    EXPECT_EQ(Items().size(), kMaxNewProfiles + 1);
    EXPECT_EQ(Items().last(), QStringLiteral("P1 copy"));
}

TEST_F(ProfileBar, RenameTakesTheNameBoxAndRefusesANameInUse) {
    struct Case {
        int current;
        const char* typed;
        QStringList items;     // afterwards
        QStringList messages;  // shown
    };
    const Case cases[] = {
        {1, "PROFILE1", {"Profile1", "Profile2"}, {"message_text_5"}},  // another profile's name
        {0, "PROFILE1", {"PROFILE1", "Profile2"}, {}},                  // its own name in other letters
        {1, "  Gaming ", {"Profile1", "Gaming"}, {}},                   // blanks around are dropped
        {1, "PROFILÉ", {"Profile1", "Profile2", "profilé"}, {"message_text_5"}},  // not only ASCII
        {1, "   ", {"Profile1", "Profile2"}, {}},                                 // no name: nothing happens
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Seed(c.items.size() == 3 ? QStringList{"Profile1", "Profile2", "profilé"}
                                 : QStringList{"Profile1", "Profile2"},
             c.current);
        Build(kKindKeyboard);
        dialogs_.shown.clear();
        TypeName(QString::fromUtf8(c.typed));
        Click(profile_bar::kRenameButton);
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(ListNames(), c.items);
        EXPECT_EQ(dialogs_.ShownTexts(), c.messages);
        for (const auto& shown : dialogs_.shown) EXPECT_EQ(shown.buttons, ui::kConfirmOnly);
        const std::string id = "id" + std::to_string(c.current);
        EXPECT_EQ(QString::fromStdString(Document(id)["profilename"].asString()), c.items[c.current]);
        EXPECT_TRUE(device_.calls.isEmpty());
    }
}

TEST_F(ProfileBar, DeleteRemovesTheCurrentProfileButNeverTheLast) {
    Seed({"A", "B", "C"}, 0);
    Build(kKindKeyboard);
    Click(profile_bar::kDeleteButton);
    EXPECT_EQ(Items(), (QStringList{"B", "C"}));
    EXPECT_EQ(ListNames(), Items());
    EXPECT_FALSE(DocumentExists("id0"));
    EXPECT_EQ(List()["profileselect"].asInt(), 0);
    EXPECT_EQ(bar_->GetNameEditText(), QStringLiteral("B"));
    EXPECT_EQ(device_.calls, Loaded("id1"));

    Get<QComboBox>(profile_bar::kCombo)->setFocus();
    QTest::keyClick(Get<QComboBox>(profile_bar::kCombo), Qt::Key_Down);
    Click(profile_bar::kDeleteButton);  // "C": its neighbour before it becomes current
    EXPECT_EQ(Items(), QStringList{"B"});
    EXPECT_EQ(Current(), "id1");

    device_.calls.clear();
    Click(profile_bar::kDeleteButton);
    EXPECT_EQ(Items(), QStringList{"B"});
    EXPECT_TRUE(DocumentExists("id1"));
    EXPECT_TRUE(device_.calls.isEmpty());
}

TEST_F(ProfileBar, ResetAndRestoreDefaultsAskFirstAndDoNothingWhenCancelled) {
    struct Case {
        const char* button;
        int answer;
        QStringList calls;
        bool documentReset;
    };
    const Case cases[] = {
        {profile_bar::kResetButton, 0, {}, false},
        {profile_bar::kResetButton, 1, {"load", "write reset"}, true},
        {profile_bar::kDefaultButton, 0, {}, false},
        {profile_bar::kDefaultButton, 1, {"defaults", "write defaults"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " answered " + std::to_string(c.answer));
        Seed({"Mine", "Other"}, 1);
        Json::Value changed = Document("id1");
        changed["Device"][0]["Marker"] = 1;
        ASSERT_EQ(file_.WriteJson(folder_ + "id1.Json", changed), 0);
        Build(kKindKeyboard);
        dialogs_.shown.clear();
        dialogs_.answers = {c.answer};
        Click(c.button);
        ASSERT_EQ(dialogs_.ShownTexts(), QStringList{"message_text_22"});
        EXPECT_EQ(dialogs_.shown[0].buttons, ui::kConfirmCancel);
        EXPECT_EQ(device_.calls, c.calls);
        const Json::Value doc = Document("id1");
        EXPECT_EQ(doc["Device"][0].isMember("Marker"), !c.documentReset);
        EXPECT_EQ(doc["profilename"].asString(), "Other");
        EXPECT_EQ(doc["profileUUID"].asString(), "id1");
        EXPECT_EQ(Items(), (QStringList{"Mine", "Other"}));
    }
}

TEST_F(ProfileBar, ImportChecksTheDocumentAndAddsItUnderTheFileName) {
    Seed({"Profile1"}, 0);
    Build(kKindKeyboard);
    CJsonFile file;
    const QString mouseDoc = TempFile("Mouse.json");
    ASSERT_EQ(file.WriteJson(mouseDoc.toStdString(), file.ReadJson(DefaultDocumentPath("mouse"))), 0);
    const QString notProfile = TempFile("Notes.json");
    ASSERT_EQ(file.WriteJson(notProfile.toStdString(), Json::Value(Json::objectValue)), 0);
    Json::Value keyboard = file.ReadJson(DefaultDocumentPath("keyboard"));
    keyboard["profilename"] = "Elsewhere";
    keyboard["profileUUID"] = "../../outside";
    keyboard["Marker"] = 3;
    const QString keyboardDoc = TempFile("Profile1.json");
    ASSERT_EQ(file.WriteJson(keyboardDoc.toStdString(), keyboard), 0);

    struct Case {
        QString path;  // "" cancels the dialog
        QStringList items;
        QStringList messages;
    };
    const Case cases[] = {
        {QString(), {"Profile1"}, {}},
        {notProfile, {"Profile1"}, {}},
        {mouseDoc, {"Profile1"}, {"message_text_9"}},  // a mouse document into a keyboard
        {keyboardDoc, {"Profile1", "Profile1(1)"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        dialogs_.shown.clear();
        device_.calls.clear();
        dialogs_.openPaths = {c.path};
        Click(profile_bar::kImportButton);
        EXPECT_TRUE(dialogs_.openPaths.empty());
        EXPECT_EQ(Items(), c.items);
        EXPECT_EQ(dialogs_.ShownTexts(), c.messages);
        if (c.items.size() == 1) {
            EXPECT_TRUE(device_.calls.isEmpty());
        }
    }
    // The imported document keeps its content under its new name and identifier.
    const std::string id = Current();
    EXPECT_EQ(bar_->GetCurrentIndex(), 1);
    EXPECT_EQ(device_.calls, Loaded(id));
    const Json::Value doc = Document(id);
    EXPECT_EQ(doc["Marker"].asInt(), 3);
    EXPECT_EQ(doc["profilename"].asString(), "Profile1(1)");
    EXPECT_EQ(doc["profileUUID"].asString(), id);
}

TEST_F(ProfileBar, ExportWritesTheCurrentDocumentWhereTheUserSaysSo) {
    Seed({"Profile1", "Gaming"}, 1);
    Build(kKindKeyboard);
    const QString target = TempFile("out.json");
    dialogs_.savePaths = {QString()};  // cancelled
    Click(profile_bar::kExportButton);
    EXPECT_FALSE(QFile::exists(target));
    dialogs_.savePaths = {target};
    Click(profile_bar::kExportButton);
    EXPECT_EQ(file_.ReadJson(target.toStdString()), Document("id1"));
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_TRUE(device_.calls.isEmpty());
}

TEST_F(ProfileBar, SpreadButtonShowsAndHidesTheProfileMenu) {
    Build(kKindKeyboard, "keyboard", false);
    auto* spread = Get<QAbstractButton>(profile_bar::kSpreadButton);
    ASSERT_NE(spread, nullptr);
    QWidget* add = Get(profile_bar::kAddButton);
    for (const bool open : {true, false, true}) {
        Click(profile_bar::kSpreadButton);
        EXPECT_EQ(bar_->IsMenuVisible(), open);
        EXPECT_EQ(add->isVisible(), open);
        EXPECT_EQ(spread->isChecked(), open);
    }
    bar_->ShowMenu(false);  // by code: the check mark follows
    EXPECT_FALSE(spread->isChecked());
}

TEST_F(ProfileBar, FunctionTabsFollowTheDeviceKind) {
    struct Case {
        int kind;
        const char* factory;
        QStringList visible;
    };
    const Case cases[] = {
        {kKindKeyboard, "keyboard", {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab"}},
        {kKindMouse, "mouse", {"deng_Op_tab", "key_Op_tab", "system_Op_tab", "cursor_Op_tab"}},
        {kKindMousePad, "MousePad", {"deng_Op_tab"}},
        {kKindReceiverMouse, "mouse", {"deng_Op_tab", "key_Op_tab", "macro_Op_tab", "system_Op_tab", "cursor_Op_tab"}},
        {kKindHeadset, "HD", {"deng_Op_tab", "6533_voice_Op_tab", "magic_Op_tab"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        Build(c.kind, c.factory);
        QStringList visible;
        for (const char* tab : kFunctionTabs)
            if (auto* w = Get(tab); w != nullptr && !w->isHidden()) visible << QString::fromLatin1(tab);
        EXPECT_EQ(visible, c.visible);
    }
}

TEST_F(ProfileBar, SelectTabChecksExactlyOneTabOrNone) {
    Build(kKindKeyboard);
    for (const int n : {3, 7, 1, 0, 5, 8, -1}) {
        SCOPED_TRACE(n);
        bar_->SelectTab(n);
        int checked = 0;
        for (std::size_t i = 0; i < kFunctionTabs.size(); ++i) {
            auto* tab = Get<QAbstractButton>(kFunctionTabs[i]);
            if (tab != nullptr && tab->isChecked()) {
                ++checked;
                EXPECT_EQ(FunctionTabNumber(QString::fromLatin1(kFunctionTabs[i]).toUpper()), n);
            }
        }
        EXPECT_EQ(checked, n >= 1 && n <= 7 ? 1 : 0);
        EXPECT_EQ(bar_->GetSelectedTab(), n >= 1 && n <= 7 ? n : 0);
    }
    EXPECT_EQ(FunctionTabNumber(QStringLiteral("device_select")), 0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(notes_.isEmpty()) << notes_.join(' ').toStdString();
}

TEST_F(ProfileBar, HandlersClaimOnlyTheBarsControls) {
    Build(kKindKeyboard);
    EXPECT_FALSE(HandleProfileBarClick(*bar_, dialogs_, window_.get(), QStringLiteral("closebtn")));
    EXPECT_FALSE(HandleProfileBarItemSelect(*bar_, QStringLiteral("light_combo_modeSelect")));
    EXPECT_EQ(Items().size(), 1);
    EXPECT_TRUE(HandleProfileBarClick(*bar_, dialogs_, window_.get(), QStringLiteral("DEVICE_ADD_BTN")));
    EXPECT_EQ(Items().size(), 2);
    EXPECT_TRUE(HandleProfileBarItemSelect(*bar_, QStringLiteral("Device_Profile_Combo")));
}

TEST_F(ProfileBar, WithoutItsControlsTheBarDoesNothing) {
    CDeviceProfileUI bare;
    bare.SetKind(kKindKeyboard);
    bare.SetPaths(folder_, DefaultDocumentPath("keyboard"));
    bare.SetDevice(&device_);
    bare.Init();
    bare.SelectTab(1);
    EXPECT_EQ(bare.GetCurrentIndex(), -1);
    EXPECT_EQ(bare.GetNameEditText(), QString());
    EXPECT_FALSE(bare.IsMenuVisible());
    EXPECT_EQ(bare.GetSelectedTab(), 0);
    const QStringList before = ListNames();
    for (const char* name : {profile_bar::kAddButton, profile_bar::kCopyButton, profile_bar::kDeleteButton,
                             profile_bar::kImportButton, profile_bar::kExportButton, profile_bar::kResetButton,
                             profile_bar::kDefaultButton, profile_bar::kRenameButton, profile_bar::kSpreadButton})
        EXPECT_TRUE(HandleProfileBarClick(bare, dialogs_, nullptr, QString::fromLatin1(name))) << name;
    EXPECT_TRUE(HandleProfileBarItemSelect(bare, QString::fromLatin1(profile_bar::kCombo)));
    EXPECT_FALSE(bare.RenameProfile(QStringLiteral("x")).done);
    EXPECT_EQ(ListNames(), before);
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(device_.calls, QStringList{"paths " + QString::fromStdString(bare.GetCurrentProfileId())});
}

}  // namespace
}  // namespace r88
