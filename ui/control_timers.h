#pragma once
// Timers per (control, id). A timer repeats until it is killed; each expiry is
// handed to the owner's callback on the UI thread. Arming from a worker
// thread is queued onto the UI thread.
//
// A timer is made once per (control, id) and reused: killing stops it,
// arming starts it again. A handler that kills its own timer and re-arms it
// with the same interval (the strip's 5 ms frame cadence) leaves it running,
// so the frame path neither re-registers nor allocates anything. Each control
// gets one `destroyed` connection, which takes all of its timers with it.
#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace r88::ui {

class CControlTimers : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(QWidget* control, int id)>;

    explicit CControlTimers(Callback onTimer, QObject* parent = nullptr);
    ~CControlTimers() override;

    // Arms (or re-arms) the timer of control and id; callable from any thread.
    void SetTimer(QWidget* control, int id, int intervalMs);
    // Stops it; callable from any thread. Unknown timers are ignored.
    void KillTimer(QWidget* control, int id);
    // Stops every timer of every control.
    void KillAll();

    bool IsActive(QWidget* control, int id) const;
    // How many timers exist and how many controls are watched (for tests).
    int TimerCount() const { return static_cast<int>(timers_.size()); }
    int WatchedControlCount() const { return static_cast<int>(watched_.size()); }

private:
    using Key = QPair<QObject*, int>;
    void SetOnUiThread(QWidget* control, int id, int intervalMs);
    void KillOnUiThread(QObject* control, int id);
    void Fire(QObject* control, int id);
    void Forget(QObject* control);

    Callback onTimer_;
    QHash<Key, QTimer*> timers_;
    QHash<QObject*, QMetaObject::Connection> watched_;
    // The timer whose expiry is being handled, and whether its handler has
    // killed it (and not armed it again) so far.
    QTimer* firing_ = nullptr;
    bool firingKilled_ = false;
};

}  // namespace r88::ui
