#pragma once
// User actions on the widgets of one window arrive at the window as
// notifications: an event type, the sending control and two numbers.
// Only user actions notify; a change made by code (showing a profile)
// never does.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace r88::ui {

struct Notification {
    QString type;      // "click", "selectchanged", "valuechanged", ...
    QWidget* sender = nullptr;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;

    QString SenderName() const { return sender != nullptr ? sender->objectName() : QString(); }
};

// Event types produced by the dispatcher and by the custom controls.
namespace event {
inline const QString kClick = QStringLiteral("click");
inline const QString kSelectChanged = QStringLiteral("selectchanged");
inline const QString kItemSelect = QStringLiteral("itemselect");
inline const QString kValueChanged = QStringLiteral("valuechanged");
inline const QString kMoveValueChanged = QStringLiteral("movevaluechanged");
inline const QString kKillFocus = QStringLiteral("killfocus");
inline const QString kSetFocus = QStringLiteral("setfocus");
inline const QString kTextChanged = QStringLiteral("textchanged");
inline const QString kReturn = QStringLiteral("return");
inline const QString kTimer = QStringLiteral("timer");
inline const QString kWindowInit = QStringLiteral("windowinit");
inline const QString kWindowSize = QStringLiteral("windowsize");
inline const QString kMouseEnter = QStringLiteral("msenter");
inline const QString kMouseLeave = QStringLiteral("msleave");
inline const QString kDoubleClick = QStringLiteral("dbclick");
inline const QString kItemClick = QStringLiteral("itemclick");
inline const QString kItemActivate = QStringLiteral("itemactivate");
inline const QString kMenu = QStringLiteral("menu");
inline const QString kColorChanged = QStringLiteral("colorchanged");
}  // namespace event

class INotifyHandler {
public:
    virtual ~INotifyHandler() = default;
    virtual void Notify(const Notification& n) = 0;
};

// Watches every widget of a window and turns user actions into notifications:
// clicked → "click" (checkable buttons also "selectchanged" when the click
// changed their state), combo chosen → "itemselect", slider dragged →
// "movevaluechanged", slider released or stepped → "valuechanged", edit
// typed → "textchanged", focus lost → "killfocus", focus gained → "setfocus",
// Return in an edit → "return". Widgets added later are wired by Attach().
class CNotifyDispatcher : public QObject {
    Q_OBJECT
public:
    CNotifyDispatcher(QWidget* window, INotifyHandler* handler);

    // Wires root and all its descendants (each widget once).
    void Attach(QWidget* root);

    // Delivers a notification to the handler (custom controls and code use this).
    void Send(const QString& type, QWidget* sender, uintptr_t wParam = 0, intptr_t lParam = 0);

    // The dispatcher of the window a widget belongs to, or nullptr.
    static CNotifyDispatcher* For(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Wire(QWidget* w);

    QPointer<QWidget> window_;
    INotifyHandler* handler_;
    QHash<QObject*, bool> checkedAtPress_;
};

// Sends a notification from a control to its window's handler, if it has one.
void SendNotify(QWidget* sender, const QString& type, uintptr_t wParam = 0, intptr_t lParam = 0);

}  // namespace r88::ui
