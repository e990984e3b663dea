#include "ui/controls/device_key_button_ui.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/notify.h"
#include "ui/skin_resources.h"

namespace r88::ui {

namespace {

QPixmap SkinPixmap(const QString& path) {
    if (path.isEmpty()) return {};
    return QPixmap(CSkinResources::Instance().LayoutPath(path));
}

}  // namespace

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

void CDeviceKeyButtonUI::SetLightImage(const QString& path) {
    lightImage_ = path;
    lightPixmap_ = SkinPixmap(path);
    update();
}

void CDeviceKeyButtonUI::SetSetImage(const QString& path) {
    setImage_ = path;
    setPixmap_ = SkinPixmap(path);
    update();
}

void CDeviceKeyButtonUI::SetUnsetImage(const QString& path) {
    unsetImage_ = path;
    unsetPixmap_ = SkinPixmap(path);
    update();
}

void CDeviceKeyButtonUI::SetLight(QColor colour, int level, bool shown) {
    StoreLight(colour, level, shown);
    update();
}

bool CDeviceKeyButtonUI::StoreLight(QColor colour, int level, bool shown) {
    if (lightColour_ == colour && lightLevel_ == level && lightShown_ == shown) return false;
    lightColour_ = colour;
    lightLevel_ = level;
    lightShown_ = shown;
    return true;
}

void CDeviceKeyButtonUI::SetLightPaused(bool paused) {
    lightPaused_ = paused;
    update();
}

void CDeviceKeyButtonUI::SetSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    update();
}

void CDeviceKeyButtonUI::SetHideSetImage(bool hide) {
    if (hideSetImage_ == hide) return;
    hideSetImage_ = hide;
    update();
}

void CDeviceKeyButtonUI::SetShowUnsetImage(bool show) {
    showUnsetImage_ = show;
    update();
}

void CDeviceKeyButtonUI::SetMarked(bool marked) {
    marked_ = marked;
    update();
}

QStringList CDeviceKeyButtonUI::OverlayLayers() const {
    QStringList layers;
    // While the pointer rests on an unpaused key its light blinks: the pass
    // flips the light instead of drawing it.
    if (lightShown_ && !underMouse()) layers << QStringLiteral("light");
    if (marked_) {
        layers << QStringLiteral("unset");
    } else {
        if (showUnsetImage_) layers << QStringLiteral("unset");
        if (!hideSetImage_) layers << QStringLiteral("set");
    }
    return layers;
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent* e) {
    QPushButton::paintEvent(e);
    if (lightShown_ && underMouse() && !lightPaused_) {
        lightShown_ = !lightShown_;
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect r = rect();
    for (const QString& layer : OverlayLayers()) {
        if (layer == QLatin1String("light")) {
            QColor c = lightColour_;
            c.setAlpha(std::clamp(lightLevel_, 0, 255));
            const QPixmap& image = lightPixmap_;
            if (image.isNull()) {
                p.setPen(Qt::NoPen);
                p.setBrush(c);
                p.drawRoundedRect(QRectF(r).adjusted(2, 2, -2, -2), 3, 3);
            } else {
                // The light image is a mask: its shape filled with the LED colour.
                QPixmap tinted(image.size());
                tinted.fill(Qt::transparent);
                QPainter t(&tinted);
                t.drawPixmap(0, 0, image);
                t.setCompositionMode(QPainter::CompositionMode_SourceIn);
                t.fillRect(tinted.rect(), c);
                t.end();
                p.drawPixmap(r, tinted);
            }
        } else {
            const QPixmap& image = layer == QLatin1String("set") ? setPixmap_ : unsetPixmap_;
            if (!image.isNull()) p.drawPixmap(r, image);
        }
    }
    if (selected_) {
        p.setPen(QPen(QColor(0xff, 0xff, 0xff), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 3, 3);
    }
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* e) {
    if (isEnabled() && rect().contains(e->position().toPoint())) {
        setDown(true);
        SendNotify(this, event::kDoubleClick);
    }
    QPushButton::mouseDoubleClickEvent(e);
}

}  // namespace r88::ui
