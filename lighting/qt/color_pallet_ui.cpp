#include "lighting/qt/color_pallet_ui.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/notify.h"

namespace r88 {

namespace {
constexpr int kMarkerRadius = 6;
}  // namespace

CColorPalletUI::CColorPalletUI(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::CrossCursor);
    setMinimumSize(120, 80);
}

void CColorPalletUI::SetColor(QRgb argb) {
    colour_ = argb | 0xFF000000u;
    update();
}

QRect CColorPalletUI::Field() const {
    // Inset so the marker stays inside the control at the edges.
    return rect().adjusted(kMarkerRadius, kMarkerRadius, -kMarkerRadius - 1, -kMarkerRadius - 1);
}

QRgb CColorPalletUI::ColorAt(QPoint p) const {
    const QRect f = Field();
    if (f.width() <= 0 || f.height() <= 0) return colour_;
    const int x = std::clamp(p.x(), f.left(), f.right()) - f.left();
    const int y = std::clamp(p.y(), f.top(), f.bottom()) - f.top();
    const int hue = std::min(359, x * 360 / std::max(1, f.width()));
    const int saturation = 255 - std::min(255, y * 256 / std::max(1, f.height()));
    return QColor::fromHsv(hue, saturation, 255).rgb();
}

void CColorPalletUI::Pick(QPoint p) {
    const QRgb picked = ColorAt(p);
    if (picked == colour_) return;
    colour_ = picked;
    update();
}

void CColorPalletUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect f = Field();
    QLinearGradient hues(f.topLeft(), f.topRight());
    for (int i = 0; i <= 6; ++i) hues.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    painter.fillRect(f, hues);
    QLinearGradient white(f.topLeft(), f.bottomLeft());
    white.setColorAt(0.0, QColor(255, 255, 255, 0));
    white.setColorAt(1.0, QColor(255, 255, 255, 255));
    painter.fillRect(f, white);
    if (!isEnabled()) painter.fillRect(rect(), QColor(16, 18, 23, 170));

    // The marker at the shown colour's hue and saturation.
    const QColor c = QColor::fromRgb(colour_);
    const int hue = std::max(0, c.hsvHue());
    const QPoint at(f.left() + hue * f.width() / 360, f.top() + (255 - c.hsvSaturation()) * f.height() / 256);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(c);
    painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kMarkerRadius - 2, kMarkerRadius - 2);
}

void CColorPalletUI::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    picking_ = true;
    Pick(e->position().toPoint());
}

void CColorPalletUI::mouseMoveEvent(QMouseEvent* e) {
    if (picking_) Pick(e->position().toPoint());
}

void CColorPalletUI::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !picking_) return QWidget::mouseReleaseEvent(e);
    picking_ = false;
    Pick(e->position().toPoint());
    ui::SendNotify(this, ui::event::kColorChanged);
}

}  // namespace r88
