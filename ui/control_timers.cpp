#include "ui/control_timers.h"

#include <QThread>
#include <QWidget>
#include <algorithm>

namespace r88::ui {

CControlTimers::CControlTimers(Callback onTimer, QObject* parent) : QObject(parent), onTimer_(std::move(onTimer)) {}

CControlTimers::~CControlTimers() { KillAll(); }

void CControlTimers::SetTimer(QWidget* control, int id, int intervalMs) {
    if (QThread::currentThread() == thread()) {
        SetOnUiThread(control, id, intervalMs);
        return;
    }
    QPointer<QWidget> guarded(control);
    QMetaObject::invokeMethod(
        this, [this, guarded, id, intervalMs] { if (guarded) SetOnUiThread(guarded, id, intervalMs); },
        Qt::QueuedConnection);
}

void CControlTimers::KillTimer(QWidget* control, int id) {
    if (QThread::currentThread() == thread()) {
        KillOnUiThread(control, id);
        return;
    }
    QMetaObject::invokeMethod(this, [this, control, id] { KillOnUiThread(control, id); }, Qt::QueuedConnection);
}

void CControlTimers::KillAll() {
    for (QTimer* t : std::as_const(timers_)) delete t;
    timers_.clear();
}

bool CControlTimers::IsActive(QWidget* control, int id) const {
    QTimer* t = timers_.value(Key(control, id), nullptr);
    return t != nullptr && t->isActive();
}

void CControlTimers::SetOnUiThread(QWidget* control, int id, int intervalMs) {
    const Key key(control, id);
    QTimer* timer = timers_.value(key, nullptr);
    if (timer == nullptr) {
        timer = new QTimer(this);
        timers_.insert(key, timer);
        QPointer<QWidget> guarded(control);
        connect(timer, &QTimer::timeout, this, [this, guarded, id, control] {
            if (!guarded) {
                KillOnUiThread(control, id);
                return;
            }
            onTimer_(guarded, id);
        });
        // A control that goes away takes its timers with it.
        connect(control, &QObject::destroyed, this, [this, control, id] { KillOnUiThread(control, id); });
    }
    timer->start(std::max(0, intervalMs));
}

void CControlTimers::KillOnUiThread(QObject* control, int id) {
    if (QTimer* t = timers_.take(Key(control, id))) t->deleteLater();
}

}  // namespace r88::ui
