#pragma once
#include <QColor>
#include <QProgressBar>

namespace r88::ui {

// A progress shown as a ring: a filled circle in the background colour, a pie
// in the foreground colour from 90° sweeping value / (max - min) of the turn,
// and a white circle inset by 10 pixels over both.
class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
    Q_PROPERTY(QColor bkcolor MEMBER background_)
    Q_PROPERTY(QColor forecolor MEMBER foreground_)
public:
    explicit CCircleProgressUI(QWidget* parent = nullptr);

    // Sweep of the pie in degrees (clockwise) for the current value.
    double SweepDegrees() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QColor background_{0x2a, 0x2d, 0x34};
    QColor foreground_{0xe0, 0x1e, 0x37};
};

}  // namespace r88::ui
