#include "ui/control_timers.h"

#include <QPointer>
#include <QThread>
#include <QWidget>
#include <algorithm>

namespace r88::ui {

CControlTimers::CControlTimers(Callback onTimer, QObject* parent) : QObject(parent), onTimer_(std::move(onTimer)) {}

CControlTimers::~CControlTimers() {
    for (const QMetaObject::Connection& c : std::as_const(watched_)) disconnect(c);
    qDeleteAll(timers_);
}

void CControlTimers::SetTimer(QWidget* control, int id, int intervalMs) {
    if (control == nullptr) return;
    if (QThread::currentThread() == thread()) {
        SetOnUiThread(control, id, intervalMs);
        return;
    }
    // The control may be gone by the time this runs: only a watched control
    // (one whose timers exist, or which is still alive) is armed.
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
    for (QTimer* t : std::as_const(timers_)) t->stop();
    if (firing_ != nullptr) firingKilled_ = true;
}

bool CControlTimers::IsActive(QWidget* control, int id) const {
    QTimer* t = timers_.value(Key(control, id), nullptr);
    if (t == nullptr) return false;
    if (t == firing_) return !firingKilled_;
    return t->isActive();
}

void CControlTimers::SetOnUiThread(QWidget* control, int id, int intervalMs) {
    const Key key(control, id);
    const int interval = std::max(0, intervalMs);
    QTimer* timer = timers_.value(key, nullptr);
    if (timer == nullptr) {
        timer = new QTimer(this);
        // Short cadences (the 5 ms frames) keep their period.
        if (interval < 20) timer->setTimerType(Qt::PreciseTimer);
        timers_.insert(key, timer);
        connect(timer, &QTimer::timeout, this, [this, control, id] { Fire(control, id); });
        if (!watched_.contains(control))
            watched_.insert(control, connect(control, &QObject::destroyed, this, [this, control] { Forget(control); }));
    }
    if (timer == firing_ && !firingKilled_ && timer->isActive() && timer->interval() == interval) return;
    if (timer == firing_ && firingKilled_ && timer->isActive() && timer->interval() == interval) {
        // Killed and re-armed by its own handler: it simply keeps running.
        firingKilled_ = false;
        return;
    }
    if (timer == firing_) firingKilled_ = false;
    timer->start(interval);
}

void CControlTimers::KillOnUiThread(QObject* control, int id) {
    QTimer* t = timers_.value(Key(control, id), nullptr);
    if (t == nullptr) return;
    if (t == firing_) {
        // Stopped after the handler unless it arms the timer again.
        firingKilled_ = true;
        return;
    }
    t->stop();
}

void CControlTimers::Fire(QObject* control, int id) {
    QTimer* timer = timers_.value(Key(control, id), nullptr);
    if (timer == nullptr) return;
    QTimer* outer = firing_;
    const bool outerKilled = firingKilled_;
    firing_ = timer;
    firingKilled_ = false;
    onTimer_(static_cast<QWidget*>(control), id);
    // The handler may have destroyed the control and so the timer.
    if (firing_ == timer && firingKilled_ && timers_.value(Key(control, id), nullptr) == timer) timer->stop();
    firing_ = outer;
    firingKilled_ = outerKilled;
}

void CControlTimers::Forget(QObject* control) {
    watched_.remove(control);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it.key().first != control) {
            ++it;
            continue;
        }
        QTimer* t = it.value();
        if (t == firing_) firing_ = nullptr;
        t->stop();
        t->deleteLater();
        it = timers_.erase(it);
    }
}

}  // namespace r88::ui
