#pragma once
// The application's one message box: a title, a text and one button
// (confirm) or two (confirm and cancel), built from the "XML_MSG" layout.
#include <QDialog>

#include "ui/notify.h"

namespace r88::ui {

class CMsgWnd : public QDialog, public INotifyHandler {
    Q_OBJECT
public:
    explicit CMsgWnd(QWidget* owner);

    // Builds the layout; false when the layout cannot be built (the box then
    // still shows its title and text in plain labels).
    bool Build();

    // Title and text keep the layout's own when empty; a text identifier is
    // resolved in the current language. buttons: 0 confirm only, 1 confirm and
    // cancel, other values keep the layout's buttons.
    void Setup(const QString& title, const QString& text, int dpi, bool textIsIdentifier, int buttons);

    // Shows the box modally over owner: 1 confirmed, 0 cancelled or closed.
    static int ShowMessage(QWidget* owner, const QString& title, const QString& text, int dpi,
                           bool textIsIdentifier, int buttons);

    void Notify(const Notification& n) override;

protected:
    bool event(QEvent* e) override;

private:
    void CentreOverOwner();
    QWidget* content_ = nullptr;
};

}  // namespace r88::ui
