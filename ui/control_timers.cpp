#include "ui/control_timers.h"

#include <QThread>
#include <QVarLengthArray>
#include <QWidget>
#include <algorithm>
#include <map>

namespace r88::ui {

// ---- the shared cadences ----

CFrameCadence* CFrameCadence::ForThread(int intervalMs) {
    // Cadences live as long as their thread (they are never freed: the
    // event loop they run on may end before thread-local objects go).
    thread_local std::map<int, CFrameCadence*> cadences;
    CFrameCadence*& c = cadences[intervalMs];
    if (c == nullptr) c = new CFrameCadence(intervalMs);
    return c;
}

CFrameCadence::CFrameCadence(int intervalMs) : intervalMs_(intervalMs) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, &CFrameCadence::Tick);
    riders_.reserve(8);
}

void CFrameCadence::Join(CControlTimers* owner, QObject* control, int id) {
    const Rider r{owner, control, id};
    if (!riders_.contains(r)) riders_.append(r);
    if (!timer_.isActive()) {
        ticked_ = false;
        timer_.start();
    }
}

void CFrameCadence::Leave(CControlTimers* owner, QObject* control, int id) {
    riders_.removeAll(Rider{owner, control, id});
    if (riders_.isEmpty()) timer_.stop();
}

bool CFrameCadence::TickTooSoon(std::chrono::steady_clock::duration sinceLast, int intervalMs) {
    return sinceLast * 2 < std::chrono::milliseconds(intervalMs);
}

void CFrameCadence::Tick() {
    const auto at = std::chrono::steady_clock::now();
    if (ticked_ && TickTooSoon(at - lastTick_, intervalMs_)) return;
    ticked_ = true;
    lastTick_ = at;
    // A handler may make others join or leave: the riders of this tick are
    // taken first (on the stack: nothing allocates per frame).
    QVarLengthArray<Rider, 16> now(riders_.begin(), riders_.end());
    for (const Rider& r : now) {
        if (CControlTimers* owner = r.owner.data()) owner->Fire(r.control, r.id);
    }
}

// ---- the timers of a window's controls ----

CControlTimers::CControlTimers(Callback onTimer, QObject* parent) : QObject(parent), onTimer_(std::move(onTimer)) {}

CControlTimers::~CControlTimers() {
    for (const QMetaObject::Connection& c : std::as_const(watched_)) disconnect(c);
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        Stop(it.key(), it.value());
        delete it.value().timer;
    }
}

void CControlTimers::SetTimer(QWidget* control, int id, int intervalMs) {
    if (control == nullptr) return;
    if (QThread::currentThread() == thread()) {
        SetOnUiThread(control, id, intervalMs);
        return;
    }
    // The control may be gone by the time this runs.
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
    for (auto it = timers_.begin(); it != timers_.end(); ++it) Stop(it.key(), it.value());
    if (firing_) firingKilled_ = true;
}

bool CControlTimers::IsActive(QWidget* control, int id) const {
    const Key key(control, id);
    const auto it = timers_.constFind(key);
    if (it == timers_.cend()) return false;
    if (firing_ && firingKey_ == key) return !firingKilled_;
    return it.value().active;
}

void CControlTimers::Start(const Key& key, Entry& e, int interval) {
    const bool shared = interval > 0 && interval <= kCadenceMaxMs;
    e.interval = interval;
    e.active = true;
    if (shared) {
        e.cadence = CFrameCadence::ForThread(interval);
        e.cadence->Join(this, key.first, key.second);
        return;
    }
    if (e.timer == nullptr) {
        e.timer = new QTimer(this);
        QObject* control = key.first;
        const int id = key.second;
        connect(e.timer, &QTimer::timeout, this, [this, control, id] { Fire(control, id); });
    }
    e.timer->start(interval);
}

void CControlTimers::Stop(const Key& key, Entry& e) {
    e.active = false;
    if (e.timer != nullptr) e.timer->stop();
    if (e.cadence) e.cadence->Leave(this, key.first, key.second);
    e.cadence = nullptr;
}

void CControlTimers::SetOnUiThread(QWidget* control, int id, int intervalMs) {
    const Key key(control, id);
    const int interval = std::max(0, intervalMs);
    auto it = timers_.find(key);
    if (it == timers_.end()) {
        it = timers_.insert(key, Entry{});
        if (!watched_.contains(control))
            watched_.insert(control, connect(control, &QObject::destroyed, this, [this, control] { Forget(control); }));
    }
    Entry& e = it.value();
    if (firing_ && firingKey_ == key) {
        firingKilled_ = false;
        // Killed and re-armed by its own handler with the same period: it
        // simply keeps running.
        if (e.active && e.interval == interval) return;
    }
    Stop(key, e);  // re-arming restarts the period
    Start(key, e, interval);
}

void CControlTimers::KillOnUiThread(QObject* control, int id) {
    const Key key(control, id);
    auto it = timers_.find(key);
    if (it == timers_.end()) return;
    if (firing_ && firingKey_ == key) {
        // Stopped after the handler unless it arms the timer again.
        firingKilled_ = true;
        return;
    }
    Stop(key, it.value());
}

void CControlTimers::Fire(QObject* control, int id) {
    const Key key(control, id);
    const auto found = timers_.constFind(key);
    // A cadence's tick may still name a timer that a handler stopped.
    if (found == timers_.cend() || !found.value().active) return;
    const bool outerFiring = firing_;
    const Key outerKey = firingKey_;
    const bool outerKilled = firingKilled_;
    firing_ = true;
    firingKey_ = key;
    firingKilled_ = false;
    onTimer_(static_cast<QWidget*>(control), id);
    // The handler may have destroyed the control and so its timers.
    if (firing_ && firingKey_ == key && firingKilled_) {
        auto it = timers_.find(key);
        if (it != timers_.end()) Stop(key, it.value());
    }
    firing_ = outerFiring;
    firingKey_ = outerKey;
    firingKilled_ = outerKilled;
}

void CControlTimers::Forget(QObject* control) {
    watched_.remove(control);
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it.key().first != control) {
            ++it;
            continue;
        }
        Stop(it.key(), it.value());
        if (it.value().timer != nullptr) it.value().timer->deleteLater();
        if (firing_ && firingKey_ == it.key()) firing_ = false;
        it = timers_.erase(it);
    }
}

}  // namespace r88::ui
