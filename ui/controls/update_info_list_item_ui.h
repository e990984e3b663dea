#pragma once
// A row of the update list in the settings window: a tick box with the
// row's label, the current and the new version, a busy mark with the
// percent done, and a done mark. The status decides which parts show and
// the colours of the texts.
#include <QColor>
#include <QWidget>

class QAbstractButton;
class QLabel;

namespace r88::ui {

class CUpdateInfoListItemUI : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 30;

    explicit CUpdateInfoListItemUI(QWidget* parent = nullptr);

    // Status 0..8 as the update list uses them; any other value, or the
    // status the row already has, changes nothing.
    void SetStatus(int status);
    int Status() const { return status_; }
    // "%d%s" of the percent and "%".
    void SetProgress(int percent);

    QAbstractButton* TickBox() const;
    QLabel* Part(const char* name) const;
    // Text colours of the current status (normal, disabled).
    QColor TextColour() const { return text_; }
    QColor DisabledTextColour() const { return disabledText_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void ApplyColours(QColor text, QColor disabled);
    void ShowMarks(bool busy, bool done);

    int status_ = -1;
    bool hovered_ = false;
    QColor text_;
    QColor disabledText_;
};

}  // namespace r88::ui
