#include <gtest/gtest.h>

#include <QTest>

#include "tests/ui/qt_printers.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/notify.h"

namespace r88::ui {
namespace {

// A picture panel with two keys side by side: key_1 at x 10..29, key_2 at x 40..59.
class DevicePictureTest : public ::testing::Test, public INotifyHandler {
protected:
    void SetUp() override {
        window_.resize(200, 100);
        panel_ = new CSelectPanelUI(&window_);
        panel_->setObjectName(QStringLiteral("device_key_light"));
        panel_->setGeometry(0, 0, 200, 100);
        key1_ = MakeKey("key_1", 10);
        key2_ = MakeKey("key_2", 40);
        new CNotifyDispatcher(&window_, this);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    CDeviceKeyButtonUI* MakeKey(const char* name, int x) {
        auto* key = new CDeviceKeyButtonUI(panel_);
        key->setObjectName(QString::fromLatin1(name));
        key->setGeometry(x, 20, 20, 20);
        return key;
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(panel_, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, panel_->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(panel_, &move);
        QTest::mouseRelease(panel_, Qt::LeftButton, {}, to);
    }
    void Notify(const Notification& n) override { got_ << n.type + QLatin1Char(':') + n.SenderName(); }

    QWidget window_;
    CSelectPanelUI* panel_;
    CDeviceKeyButtonUI* key1_;
    CDeviceKeyButtonUI* key2_;
    QStringList got_;
};

TEST_F(DevicePictureTest, DragSelectsTheKeysTheBandTouchesEvenAtTheirBorder) {
    // The band ends exactly on key_2's left border column (x 40).
    Drag(QPoint(5, 5), QPoint(40, 60));
    EXPECT_TRUE(key1_->Selected());
    EXPECT_TRUE(key2_->Selected());
    EXPECT_EQ(got_, QStringList{"click_select_end:device_key_light"});
    EXPECT_EQ(panel_->SelectionRect(), QRect(QPoint(5, 5), QPoint(40, 60)));

    // A second drag from the other corner replaces the selection.
    got_.clear();
    Drag(QPoint(39, 90), QPoint(35, 0));
    EXPECT_FALSE(key1_->Selected());
    EXPECT_FALSE(key2_->Selected());
    EXPECT_EQ(got_.size(), 1);
}

TEST_F(DevicePictureTest, PressAndReleaseWithoutMovingChangesNothing) {
    key1_->SetSelected(true);
    QTest::mousePress(panel_, Qt::LeftButton, {}, QPoint(100, 80));
    QTest::mouseRelease(panel_, Qt::LeftButton, {}, QPoint(100, 80));
    EXPECT_TRUE(got_.isEmpty());
    EXPECT_TRUE(key1_->Selected());
}

TEST_F(DevicePictureTest, KeyOverlaysFollowTheirFlags) {
    struct Case {
        bool light, showUnset, hideSet, marked;
        QStringList layers;
    };
    const Case cases[] = {
        {false, false, true, false, {}},
        {true, false, true, false, {"light"}},
        {true, true, false, false, {"light", "unset", "set"}},
        {false, true, true, false, {"unset"}},
        {true, true, false, true, {"light", "unset"}},  // marked: only the unset image
    };
    for (const Case& c : cases) {
        key1_->SetLight(QColor(255, 0, 0), 200, c.light);
        key1_->SetShowUnsetImage(c.showUnset);
        key1_->SetHideSetImage(c.hideSet);
        key1_->SetMarked(c.marked);
        EXPECT_EQ(key1_->OverlayLayers(), c.layers);
    }
    key1_->grab();  // painting every layer (no images in this skin-less test) must not fail
}

TEST_F(DevicePictureTest, DoubleClickOnAnEnabledKeyNotifies) {
    QTest::mouseDClick(key2_, Qt::LeftButton);
    EXPECT_TRUE(got_.contains(QStringLiteral("dbclick:key_2")));
    got_.clear();
    key2_->setEnabled(false);
    QTest::mouseDClick(key2_, Qt::LeftButton);
    EXPECT_FALSE(got_.contains(QStringLiteral("dbclick:key_2")));
}

}  // namespace
}  // namespace r88::ui
