#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "platform/trace.h"
#include "tests/ui/ui_fixture.h"
#include "ui/dialogs.h"
#include "ui/dpi.h"
#include "ui/find_control.h"
#include "ui/msg_wnd.h"

namespace r88::ui {
namespace {

class MsgWndTest : public test::SkinTest {
protected:
    // Opens the box without blocking and clicks a button; returns the result.
    int ClickAfterSetup(int buttons, const char* button, bool* cancelVisible = nullptr) {
        CMsgWnd box(nullptr);
        EXPECT_TRUE(box.Build());
        box.Setup(QString(), QStringLiteral("message_text_22"), 96, true, buttons);
        box.open();
        if (cancelVisible) *cancelVisible = FindControl(&box, QStringLiteral("cancel_btn"))->isVisible();
        auto* b = FindControl<QPushButton>(&box, QString::fromLatin1(button));
        EXPECT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
        return box.result();
    }
};

TEST_F(MsgWndTest, ButtonModesAndResults) {
    struct Case {
        int buttons;
        const char* click;
        bool cancelShown;
        int result;
    };
    const Case cases[] = {
        {kConfirmOnly, "confirm_btn", false, 1},
        {kConfirmOnly, "closebtn", false, 0},
        {kConfirmCancel, "cancel_btn", true, 0},
        {kConfirmCancel, "confirm_btn", true, 1},
        {7, "cancel_btn", true, 0},  // other modes keep the layout's buttons
    };
    for (const Case& c : cases) {
        bool cancelVisible = false;
        EXPECT_EQ(ClickAfterSetup(c.buttons, c.click, &cancelVisible), c.result) << c.buttons << c.click;
        EXPECT_EQ(cancelVisible, c.cancelShown) << c.buttons << c.click;
    }
}

TEST_F(MsgWndTest, EmptyTitleKeepsTheLayoutsAndPlainTextIsShownAsIs) {
    CMsgWnd box(nullptr);
    ASSERT_TRUE(box.Build());
    auto* title = FindControl<QLabel>(&box, QStringLiteral("MessageTitle"));
    const QString layoutTitle = title->text();
    box.Setup(QString(), QStringLiteral("message_text_22"), 96, false, kConfirmOnly);
    EXPECT_EQ(title->text(), layoutTitle);
    EXPECT_EQ(FindControl<QLabel>(&box, QStringLiteral("MessageText"))->text(), QStringLiteral("message_text_22"));
}

TEST_F(MsgWndTest, UnsupportedDpiIsRefusedWithTheTraceLine) {
    CMsgWnd box(nullptr);
    box.Build();
    TraceCapture trace;
    box.Setup(QString(), QString(), 144, true, kConfirmOnly);
    EXPECT_EQ(CToolkitDpi::Current(), 144);
    EXPECT_FALSE(trace.Contains("MSG_WND DPI SET ERROR"));
    box.Setup(QString(), QString(), 100, true, kConfirmOnly);
    EXPECT_EQ(CToolkitDpi::Current(), 96);
    EXPECT_TRUE(trace.Contains("MSG_WND DPI SET ERROR"));
}

}  // namespace
}  // namespace r88::ui
