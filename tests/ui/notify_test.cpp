#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QVBoxLayout>

#include "tests/ui/qt_printers.h"
#include "ui/notify.h"

namespace r88::ui {
namespace {

// A window with one control of each kind, recording what reaches its handler.
class NotifyTest : public ::testing::Test, public INotifyHandler {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window_);
        button_ = Add<QPushButton>("closebtn", layout);
        check_ = Add<QCheckBox>("DPI_enable_check_1", layout);
        radioA_ = Add<QRadioButton>("polling_rate_option_0", layout);
        radioB_ = Add<QRadioButton>("polling_rate_option_1", layout);
        combo_ = Add<QComboBox>("device_profile_combo", layout);
        combo_->addItems({"a", "b", "c"});
        slider_ = Add<QSlider>("deng_light_slider", layout);
        slider_->setOrientation(Qt::Horizontal);
        slider_->setRange(0, 4);
        edit_ = Add<QLineEdit>("deng_edit_R", layout);
        new CNotifyDispatcher(&window_, this);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        got_.clear();
    }

    template <class T>
    T* Add(const char* name, QVBoxLayout* layout) {
        auto* w = new T(&window_);
        w->setObjectName(QString::fromLatin1(name));
        if constexpr (std::is_base_of_v<QAbstractButton, T>) w->setText(QStringLiteral("option"));
        layout->addWidget(w);
        return w;
    }

    // Options react to clicks on their indicator, at their left end.
    static void ClickOption(QWidget* option) {
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
    }

    void Notify(const Notification& n) override {
        got_.push_back(n.type + QLatin1Char(':') + n.SenderName() + QLatin1Char(':') + QString::number(n.wParam));
    }

    QStringList Take() {
        QCoreApplication::processEvents();
        QStringList out = got_;
        got_.clear();
        return out;
    }

    QWidget window_;
    QPushButton* button_;
    QCheckBox* check_;
    QRadioButton* radioA_;
    QRadioButton* radioB_;
    QComboBox* combo_;
    QSlider* slider_;
    QLineEdit* edit_;
    QStringList got_;
};

TEST_F(NotifyTest, UserActionsBecomeTheirEventTypes) {
    QTest::mouseClick(button_, Qt::LeftButton);
    EXPECT_EQ(Take(), QStringList{"click:closebtn:0"});

    ClickOption(check_);
    EXPECT_EQ(Take(), (QStringList{"click:DPI_enable_check_1:0", "selectchanged:DPI_enable_check_1:1"}));

    radioA_->setChecked(true);
    Take();
    ClickOption(radioB_);
    EXPECT_EQ(Take(), (QStringList{"click:polling_rate_option_1:0", "selectchanged:polling_rate_option_1:1"}));
    // Clicking the option that is already chosen changes nothing.
    ClickOption(radioB_);
    EXPECT_EQ(Take(), QStringList{"click:polling_rate_option_1:0"});

    emit combo_->activated(2);  // what the popup emits when the user picks an item
    EXPECT_EQ(Take(), QStringList{"itemselect:device_profile_combo:2"});

    slider_->setFocus();
    QTest::keyClick(slider_, Qt::Key_Right);
    EXPECT_EQ(Take(), QStringList{"valuechanged:deng_light_slider:1"});
    slider_->setSliderDown(true);
    slider_->setSliderPosition(3);
    slider_->setSliderDown(false);
    EXPECT_EQ(Take(), (QStringList{"movevaluechanged:deng_light_slider:3", "valuechanged:deng_light_slider:3"}));

    edit_->setFocus();
    QCoreApplication::processEvents();
    Take();
    QTest::keyClicks(edit_, "12");
    EXPECT_EQ(Take(), (QStringList{"textchanged:deng_edit_R:0", "textchanged:deng_edit_R:0"}));
    button_->setFocus();
    QStringList focus = Take();
    EXPECT_TRUE(focus.contains(QStringLiteral("killfocus:deng_edit_R:0"))) << focus.join(' ').toStdString();
}

TEST_F(NotifyTest, ChangesMadeByCodeNeverNotify) {
    check_->setChecked(true);
    radioB_->setChecked(true);
    combo_->setCurrentIndex(1);
    slider_->setValue(2);
    edit_->setText(QStringLiteral("200"));
    EXPECT_TRUE(Take().isEmpty());
}

TEST_F(NotifyTest, CustomControlsReachTheirWindowThroughSendNotify) {
    auto* inner = new QWidget(button_->parentWidget());
    inner->setObjectName(QStringLiteral("device_key_light"));
    SendNotify(inner, QStringLiteral("click_select_end"), 7, -1);
    EXPECT_EQ(Take(), QStringList{"click_select_end:device_key_light:7"});
    QWidget orphan;
    SendNotify(&orphan, QStringLiteral("click"));  // no window handler: nothing happens
    EXPECT_TRUE(Take().isEmpty());
}

}  // namespace
}  // namespace r88::ui
