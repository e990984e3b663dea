#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "app/layout_tags.h"
#include "platform/trace.h"
#include "tests/ui/ui_fixture.h"
#include "ui/control_registry.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/find_control.h"
#include "ui/skin_loader.h"

namespace r88 {
namespace {

using test::SkinTest;

TEST_F(SkinTest, TagTableIgnoresCaseAndRefusesUnknownNames) {
    CLayoutTagTable tags;
    struct Case {
        const char* tag;
        const char* className;  // nullptr: no control
    };
    const Case cases[] = {
        {"SelectPanel", "r88::ui::CSelectPanelUI"},
        {"selectpanel", "r88::ui::CSelectPanelUI"},
        {"SELECTPANEL", "r88::ui::CSelectPanelUI"},
        {"OrvaneKeyboardDevice", "r88::COrvaneKeyboardDevice"},
        {"circleprogress", "r88::ui::CCircleProgressUI"},
        {"colorpallet", "r88::CColorPalletUI"},
        {"Select_Panel", nullptr},
        {"SelectPanelX", nullptr},
        {"", nullptr},
    };
    QWidget parent;
    for (const Case& c : cases) {
        QWidget* w = tags.CreateControl(QString::fromLatin1(c.tag), &parent);
        if (c.className == nullptr) {
            EXPECT_EQ(w, nullptr) << c.tag;
        } else {
            ASSERT_NE(w, nullptr) << c.tag;
            EXPECT_STREQ(w->metaObject()->className(), c.className) << c.tag;
        }
    }
    EXPECT_EQ(CLayoutTagTable::Entries().size(), 25u);
}

TEST_F(SkinTest, SubLayoutTagsBuildTheirLayoutWithTheSameTable) {
    CLayoutTagTable tags;
    QWidget parent;
    QWidget* profile = tags.CreateControl(QStringLiteral("deviceprofileui"), &parent);
    ASSERT_NE(profile, nullptr);
    EXPECT_NE(ui::FindControl<QComboBox>(profile, QStringLiteral("device_profile_combo")), nullptr);
    // Tags inside a sub-layout resolve through the table too.
    QWidget* light = tags.CreateControl(QStringLiteral("LightSetControlUI"), &parent);
    ASSERT_NE(light, nullptr);
    EXPECT_STREQ(light->metaObject()->className(), "r88::CLightControlUI");
}

TEST_F(SkinTest, RegistryHoldsOurControlClassesInOrder) {
    const QStringList names = ui::CControlRegistry::Instance().Names();
    ASSERT_EQ(names.size(), 24);
    EXPECT_EQ(names.first(), QStringLiteral("CCircleProgressUI"));
    EXPECT_EQ(names.last(), QStringLiteral("COrvaneHS6533Device"));
    QWidget parent;
    EXPECT_NE(ui::CControlRegistry::Instance().Create(QStringLiteral("CSelectPanelUI"), &parent), nullptr);
    EXPECT_EQ(ui::CControlRegistry::Instance().Create(QStringLiteral("cselectpanelui"), &parent), nullptr);
}

TEST_F(SkinTest, MainLayoutCarriesTheControlsTheWindowLooksUp) {
    CLayoutTagTable tags;
    ui::CSkinLoader loader(&tags);
    std::unique_ptr<QWidget> root(loader.LoadLayout(QStringLiteral("XML_MAIN")));
    ASSERT_NE(root, nullptr) << loader.Error().toStdString();
    for (const char* name : {"root", "closebtn", "maxbtn", "restorebtn", "minbtn", "skinbtn", "gamemodebtn",
                             "cloudbtn", "smarteyesbtn", "setbtn", "device_select_layout", "device_switch",
                             "device_power_switch", "No_device_Link", "control_light_status", "str_test",
                             "setting_progress", "device_updata_layout", "device_updata_switch",
                             "no_close_software_layout", "nodevice_ok_btn"}) {
        EXPECT_NE(ui::FindControl(root.get(), QString::fromLatin1(name)), nullptr) << name;
    }
    EXPECT_TRUE(ui::FindControl(root.get(), QStringLiteral("str_test"))->isHidden());
}

class BrokenSkinTest : public SkinTest {
protected:
    QString Write(const QString& name, const QByteArray& text) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    }
    QTemporaryDir dir_;
};

TEST_F(BrokenSkinTest, UnknownClassesGiveNoControlAndTheRestStillBuilds) {
    const QString path = Write(QStringLiteral("odd.ui"), R"(<?xml version="1.0"?><ui version="4.0">
      <widget class="QWidget" name="top"><layout class="QVBoxLayout" name="l">
        <item><widget class="NoSuchControl" name="ghost"/></item>
        <item><widget class="QLabel" name="kept"/></item>
      </layout></widget></ui>)");
    CLayoutTagTable tags;
    ui::CSkinLoader loader(&tags);
    TraceCapture trace;
    std::unique_ptr<QWidget> root(loader.LoadLayout(path));
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(ui::FindControl(root.get(), QStringLiteral("ghost")), nullptr);
    EXPECT_NE(ui::FindControl<QLabel>(root.get(), QStringLiteral("kept")), nullptr);
    EXPECT_TRUE(trace.Contains("NoSuchControl"));
}

TEST_F(BrokenSkinTest, MissingOrBrokenLayoutsAndIndexesAreRefusedWithAReason) {
    CLayoutTagTable tags;
    ui::CSkinLoader loader(&tags);
    EXPECT_EQ(loader.LoadLayout(dir_.filePath(QStringLiteral("absent.ui"))), nullptr);
    EXPECT_TRUE(loader.Error().contains(QStringLiteral("absent.ui")));
    EXPECT_EQ(loader.LoadLayout(Write(QStringLiteral("cut.ui"), "<ui version=\"4.0\"><widget class=")), nullptr);
    EXPECT_FALSE(loader.Error().isEmpty());

    ui::CSkinResources resources;
    EXPECT_FALSE(resources.Load(dir_.path()));
    EXPECT_TRUE(resources.Error().contains(QStringLiteral("res.xml")));
    Write(QStringLiteral("res.xml"), "<Res><layout name=\"XML_MAIN\" file=\"main.ui\"/><broken");
    EXPECT_FALSE(resources.Load(dir_.path()));
    EXPECT_FALSE(resources.HasResource(QStringLiteral("XML_MAIN")));
}

TEST_F(BrokenSkinTest, SubLayoutsThatIncludeThemselvesStop) {
    // A layout naming itself through the registry would recurse forever without the depth limit.
    const QString path = Write(QStringLiteral("loop.ui"), R"(<?xml version="1.0"?><ui version="4.0">
      <widget class="QWidget" name="top"><layout class="QVBoxLayout" name="l">
        <item><widget class="LoopTag" name="inner"/></item></layout></widget></ui>)");
    struct LoopTags : ui::ITagFactory {
        QString path;
        QWidget* CreateControl(const QString& tag, QWidget* parent) override {
            if (tag != QLatin1String("LoopTag")) return nullptr;
            ui::CSkinLoader sub(this);
            return sub.LoadLayout(path, parent);
        }
    } tags;
    tags.path = path;
    ui::CSkinLoader loader(&tags);
    std::unique_ptr<QWidget> root(loader.LoadLayout(path));
    EXPECT_NE(root, nullptr);
}

}  // namespace
}  // namespace r88
