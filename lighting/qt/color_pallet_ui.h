#pragma once
// The lighting panel's colour picker: hue from left to right, saturation from
// the top (full) down to white at the bottom, always at full value, since an
// LED's brightness is set separately. Picking by a click or a drag sends
// "colorchanged" once, when the button is released.
#include <QColor>
#include <QWidget>

namespace r88 {

class CColorPalletUI : public QWidget {
    Q_OBJECT
public:
    explicit CColorPalletUI(QWidget* parent = nullptr);

    // 0xFFRRGGBB.
    QRgb Color() const { return colour_; }
    // Shows a colour without notifying; the marker goes to its place.
    void SetColor(QRgb argb);

    // The colour at a point of the field (clamped to the field).
    QRgb ColorAt(QPoint p) const;

    QSize sizeHint() const override { return {260, 170}; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRect Field() const;
    void Pick(QPoint p);

    QRgb colour_ = 0xFFFFFFFFu;
    bool picking_ = false;
};

}  // namespace r88
