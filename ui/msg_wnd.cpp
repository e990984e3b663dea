#include "ui/msg_wnd.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/dialogs.h"
#include "ui/dpi.h"
#include "ui/find_control.h"
#include "ui/font_set.h"
#include "ui/skin_loader.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"
#include "ui/window_caption.h"

namespace r88::ui {

CMsgWnd::CMsgWnd(QWidget* owner) : QDialog(owner, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MsgWnd"));
    setWindowTitle(QStringLiteral("msgwnd"));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

bool CMsgWnd::Build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    CSkinLoader loader;
    content_ = loader.LoadLayout(QStringLiteral("XML_MSG"), this);
    const bool built = content_ != nullptr;
    if (!built) {
        // Without the skin the message still reaches the user in plain controls.
        content_ = new QWidget(this);
        auto* v = new QVBoxLayout(content_);
        auto* title = new QLabel(content_);
        title->setObjectName(QStringLiteral("MessageTitle"));
        auto* text = new QLabel(content_);
        text->setObjectName(QStringLiteral("MessageText"));
        text->setWordWrap(true);
        auto* confirm = new QPushButton(QStringLiteral("OK"), content_);
        confirm->setObjectName(QStringLiteral("confirm_btn"));
        auto* cancel = new QPushButton(QStringLiteral("Cancel"), content_);
        cancel->setObjectName(QStringLiteral("cancel_btn"));
        v->addWidget(title);
        v->addWidget(text);
        v->addWidget(confirm);
        v->addWidget(cancel);
    }
    layout->addWidget(content_);
    const QString style = CSkinResources::Instance().StyleSheet();
    if (!style.isEmpty()) setStyleSheet(style);
    new CNotifyDispatcher(this, this);
    CWindowCaption::Install(this);
    CFontSet::Instance().ApplyTo(this);  // the numbered fonts of the current language
    return built;
}

void CMsgWnd::Setup(const QString& title, const QString& text, int dpi, bool textIsIdentifier, int buttons) {
    if (auto* label = FindControl<QLabel>(this, QStringLiteral("MessageTitle")); label && !title.isEmpty())
        SetTextId(label, title);
    if (auto* label = FindControl<QLabel>(this, QStringLiteral("MessageText")); label && !text.isEmpty()) {
        if (textIsIdentifier) SetTextId(label, text);
        else SetPlainText(label, text);
    }
    CToolkitDpi::SetAll(CToolkitDpi::Checked(dpi, "MSG_WND DPI SET ERROR"));
    QWidget* cancel = FindControl(this, QStringLiteral("cancel_btn"));
    QWidget* confirm = FindControl(this, QStringLiteral("confirm_btn"));
    if (buttons == kConfirmOnly) {
        if (cancel) cancel->setVisible(false);
        if (confirm) confirm->setVisible(true);
    } else if (buttons == kConfirmCancel) {
        if (cancel) cancel->setVisible(true);
        if (confirm) confirm->setVisible(true);
    }
}

void CMsgWnd::Notify(const Notification& n) {
    if (n.type != event::kClick) return;
    const QString name = n.SenderName();
    if (name == QLatin1String("confirm_btn")) done(1);
    else if (name == QLatin1String("cancel_btn") || name == QLatin1String("closebtn")) done(0);
    else if (name == QLatin1String("minbtn")) showMinimized();
    else if (name == QLatin1String("maxbtn")) showMaximized();
    else if (name == QLatin1String("restorebtn")) showNormal();
}

bool CMsgWnd::event(QEvent* e) {
    // The window frame's close (Escape, the window manager) is a cancel.
    if (e->type() == QEvent::Close && result() != 1) setResult(0);
    return QDialog::event(e);
}

void CMsgWnd::CentreOverOwner() {
    adjustSize();
    QWidget* owner = parentWidget();
    QRect area = owner != nullptr && owner->isVisible() ? owner->frameGeometry()
                                                        : (screen() ? screen()->availableGeometry() : QRect());
    if (!area.isEmpty()) move(area.center() - rect().center());
}

int CMsgWnd::ShowMessage(QWidget* owner, const QString& title, const QString& text, int dpi, bool textIsIdentifier,
                         int buttons) {
    CMsgWnd box(owner);
    box.Build();
    box.Setup(title, text, dpi, textIsIdentifier, buttons);
    box.CentreOverOwner();
    return box.exec() == 1 ? 1 : 0;
}

}  // namespace r88::ui
