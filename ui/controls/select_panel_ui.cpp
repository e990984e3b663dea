#include "ui/controls/select_panel_ui.h"

#include <QMouseEvent>
#include <QRubberBand>

#include "ui/controls/device_key_button_ui.h"
#include "ui/notify.h"

namespace r88::ui {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : QWidget(parent) {
    // The skin paints the picture's background.
    setAttribute(Qt::WA_StyledBackground);
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* e) {
    if (isEnabled()) {
        armed_ = true;
        anchor_ = e->position().toPoint();
    }
    QWidget::mousePressEvent(e);
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* e) {
    if (armed_) dragging_ = true;
    if (dragging_) {
        current_ = e->position().toPoint();
        selection_ = QRect(anchor_, current_).normalized();
        if (band_ == nullptr) band_ = new QRubberBand(QRubberBand::Rectangle, this);
        band_->setGeometry(selection_);
        band_->show();
        band_->raise();
    }
    QWidget::mouseMoveEvent(e);
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* e) {
    armed_ = false;
    if (dragging_) {
        dragging_ = false;
        anchor_ = current_;
        if (band_ != nullptr) band_->hide();
        // Only key buttons themselves take part, not other controls on the picture.
        const auto keys = findChildren<CDeviceKeyButtonUI*>();
        for (CDeviceKeyButtonUI* key : keys) {
            if (key->metaObject() != &CDeviceKeyButtonUI::staticMetaObject) continue;
            const QRect keyRect(key->mapTo(this, QPoint(0, 0)), key->size());
            key->SetSelected(keyRect.intersects(selection_));
        }
        SendNotify(this, QStringLiteral("click_select_end"));
    }
    QWidget::mouseReleaseEvent(e);
}

}  // namespace r88::ui
