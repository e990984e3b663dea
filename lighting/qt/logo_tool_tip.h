#pragma once
// The two-part tooltip (a title and a text) of the mouse picture's logo
// button. It rides on the button as an event filter, so the button keeps the
// tooltip "logo" its layout gives it, by which it is found.
#include <QObject>
#include <QString>

class QWidget;

namespace r88 {

class CLogoToolTip : public QObject {
    Q_OBJECT
public:
    // The logo button's tooltip in the layout, compared without regard to case.
    static constexpr char kLogoToolTip[] = "logo";

    // The tooltip of button, made on first use.
    static CLogoToolTip* For(QWidget* button);

    void Set(const QString& title, const QString& text);
    QString Title() const { return title_; }
    QString Text() const { return text_; }
    // What the tooltip shows: the title in bold over the text.
    QString RichText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit CLogoToolTip(QWidget* button);

    QString title_;
    QString text_;
};

// The mouse picture's logo button among the children of picture, or nullptr.
QWidget* FindLogoButton(QWidget* picture);

}  // namespace r88
