#include "ui/window_caption.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace r88::ui {

void CWindowCaption::Install(QWidget* root) {
    if (root == nullptr) return;
    auto* filter = new CWindowCaption(root);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (w->property("caption").toBool()) w->installEventFilter(filter);
}

bool CWindowCaption::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        auto* w = qobject_cast<QWidget*>(watched);
        if (me->button() == Qt::LeftButton && w != nullptr && w->window()->windowHandle() != nullptr) {
            w->window()->windowHandle()->startSystemMove();
            return true;
        }
    }
    return QObject::eventFilter(watched, e);
}

}  // namespace r88::ui
