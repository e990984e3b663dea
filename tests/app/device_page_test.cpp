// The device base page on its own: picture binding, LED values and the
// function tabs, on a small page built in code.
#include <QStackedWidget>
#include <QVBoxLayout>

#include "device/qt/orvane_usb_device.h"
#include "tests/ui/ui_fixture.h"

namespace r88 {
namespace {

class DevicePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        panel_ = new ui::CSelectPanelUI(&page_);
        auto* layout = new QVBoxLayout(&page_);
        layout->addWidget(panel_);
        // Name, user data.
        Key("key_0", "light_2");
        Key("KEY_3", "LIGHT_0");  // prefixes ignore case
        Key("key3", "light1");    // no "_": binds nothing
        Key("key_9", "light_9");  // beyond the counts below
        Key("logo", "light_1");   // an LED without a key
        functions_ = new QStackedWidget(&page_);
        functions_->setObjectName(QStringLiteral("device_function_switch"));
        keyFunctions_ = new QStackedWidget(&page_);
        keyFunctions_->setObjectName(QStringLiteral("device_key_function_switch"));
        for (int i = 0; i < 3; ++i) {
            functions_->addWidget(new QWidget);
            keyFunctions_->addWidget(new QWidget);
        }
    }

    ui::CDeviceKeyButtonUI* Key(const char* name, const char* userData) {
        auto* key = new ui::CDeviceKeyButtonUI(panel_);
        key->setObjectName(QString::fromLatin1(name));
        key->setProperty(COrvaneUSBDevice::kUserDataProperty, QString::fromLatin1(userData));
        keys_.push_back(key);
        return key;
    }

    void SetUpCounts(const QString& layoutPath, int keys, int leds) {
        page_.SetLayoutPath(layoutPath);
        page_.SetKeyCount(keys);
        page_.SetLightCount(leds);
        page_.BindPictureButtons();
    }

    COrvaneUSBDevice page_;
    ui::CSelectPanelUI* panel_ = nullptr;
    QStackedWidget* functions_ = nullptr;
    QStackedWidget* keyFunctions_ = nullptr;
    std::vector<ui::CDeviceKeyButtonUI*> keys_;
};

TEST_F(DevicePageTest, PictureButtonsBindByTheirNameAndUserData) {
    SetUpCounts(QStringLiteral("XML/DeviceXml/test.ui"), 4, 3);
    EXPECT_EQ(page_.GetSelectPanel(), panel_);
    EXPECT_EQ(page_.KeyButton(0), keys_[0]);
    EXPECT_EQ(page_.KeyButton(3), keys_[1]);
    EXPECT_EQ(page_.KeyButton(1), nullptr);
    EXPECT_EQ(page_.KeyButton(2), nullptr);
    EXPECT_EQ(page_.KeyButton(9), nullptr);
    EXPECT_EQ(page_.LedButton(2), keys_[0]);
    EXPECT_EQ(page_.LedButton(0), keys_[1]);
    EXPECT_EQ(page_.LedButton(1), keys_[4]);
    // A bound LED shows white at full level; the others show no light.
    EXPECT_TRUE(keys_[4]->LightShown());
    EXPECT_EQ(keys_[4]->LightColour(), QColor(255, 255, 255));
    EXPECT_EQ(keys_[4]->LightLevel(), 255);
    EXPECT_FALSE(keys_[2]->LightShown());
    EXPECT_FALSE(keys_[3]->LightShown());

    // The frame reaches the shown picture: red, green, blue, alpha from the low byte up.
    page_.show();
    page_.SetLedValue(1, 0x80102030u);
    page_.SetLedValue(3, 0xFFFFFFFFu);  // out of range: ignored
    page_.SetLedValue(-1, 0xFFFFFFFFu);
    EXPECT_EQ(page_.GetLedValue(1), 0x80102030u);
    EXPECT_EQ(page_.GetLedValue(3), 0u);
    EXPECT_EQ(page_.GetLedValue(-1), 0u);
    page_.SendLightFrame();
    EXPECT_EQ(keys_[4]->LightColour(), QColor(0x30, 0x20, 0x10));
    EXPECT_EQ(keys_[4]->LightLevel(), 0x80);
    // While the system does not drive the lighting, the picture stays.
    page_.SetSoftwareLighting(false);
    page_.SetLedValue(1, 0);
    page_.SendLightFrame();
    EXPECT_EQ(keys_[4]->LightLevel(), 0x80);

    // Setting the count again, even unchanged, clears every LED value.
    page_.SetLightCount(3);
    EXPECT_EQ(page_.GetLedValue(1), 0u);
}

TEST_F(DevicePageTest, APageWithoutLayoutHasNoKeysAndNoLeds) {
    SetUpCounts(QString(), 4, 3);
    EXPECT_EQ(page_.GetKeyCount(), 0);
    EXPECT_EQ(page_.GetLightCount(), 0);
    EXPECT_EQ(page_.KeyButton(0), nullptr);
    EXPECT_EQ(page_.LedButton(0), nullptr);
    page_.SendLightFrame();  // nothing to show, nothing to send
}

TEST_F(DevicePageTest, FunctionTabsSelectThePagesTabs) {
    struct Case {
        int kind;
        int function;
        int keyFunction;  // -1: left as it was
    };
    const Case cases[] = {{1, 0, 0}, {2, 0, 1},  {6, 0, 1}, {3, 1, -1}, {7, 1, -1},
                          {4, 0, 2}, {5, 2, -1}, {0, 0, 0}, {9, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        functions_->setCurrentIndex(2);
        keyFunctions_->setCurrentIndex(2);
        page_.SetFunctionTab(c.kind);
        EXPECT_EQ(page_.GetFunctionTab(), c.kind);
        EXPECT_EQ(functions_->currentIndex(), c.function);
        EXPECT_EQ(keyFunctions_->currentIndex(), c.keyFunction < 0 ? 2 : c.keyFunction);
    }
}

TEST_F(DevicePageTest, TheBasePageHasNoProfileAndWritesNothing) {
    EXPECT_EQ(page_.LoadProfile(), 0);
    EXPECT_EQ(page_.GetDocumentPath(), std::string());
    page_.SetDocumentPaths("2026_01_01_00_00_00_000");
    EXPECT_EQ(page_.GetDocumentPath(), std::string());
    EXPECT_EQ(page_.WriteMacros(), 0);
    EXPECT_EQ(page_.WriteSettings(0, 0, 1, 1920, 1080), 0);
    EXPECT_EQ(page_.WriteProfileKeyAssignments(0), 0);
    // Closed channels: commands answer 0 and the threads stop at once.
    EXPECT_FALSE(page_.IsCommandOpen());
    page_.StartLightThread();
    EXPECT_TRUE(page_.LightThreadRunning());
    page_.StopWorkers();
    EXPECT_FALSE(page_.LightThreadRunning());
}

}  // namespace
}  // namespace r88
