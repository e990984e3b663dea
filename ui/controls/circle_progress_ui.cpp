#include "ui/controls/circle_progress_ui.h"

#include <QPainter>

namespace r88::ui {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : QProgressBar(parent) { setTextVisible(false); }

double CCircleProgressUI::SweepDegrees() const {
    const int span = maximum() - minimum();
    if (span <= 0) return 0.0;
    return static_cast<double>(value()) / span * 360.0;
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QRectF r = rect();
    p.setBrush(background_);
    p.drawEllipse(r);
    const double sweep = SweepDegrees();
    if (sweep > 0.0) {
        p.setBrush(foreground_);
        // Qt counts angles anticlockwise in 1/16 degree; ours run clockwise from 90°.
        p.drawPie(r, static_cast<int>(-90.0 * 16), static_cast<int>(-sweep * 16));
    }
    p.setBrush(QColor(0xFF, 0xFF, 0xFF, 0xFF));
    p.drawEllipse(r.adjusted(10, 10, -10, -10));
}

}  // namespace r88::ui
