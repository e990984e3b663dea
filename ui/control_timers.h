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
//
// Short periods (frame cadences) are not timers of their own: every timer of
// the same short period on the thread rides one shared cadence, so the frames
// of all devices cost one wake-up instead of one per device.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <functional>

class QWidget;

namespace r88::ui {

class CFrameCadence;

class CControlTimers : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<void(QWidget* control, int id)>;
    // Periods up to this ride a shared cadence.
    static constexpr int kCadenceMaxMs = 20;

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
    friend class CFrameCadence;
    using Key = QPair<QObject*, int>;
    struct Entry {
        QTimer* timer = nullptr;        // periods above kCadenceMaxMs
        QPointer<CFrameCadence> cadence;  // shorter periods
        int interval = 0;
        bool active = false;
    };

    void SetOnUiThread(QWidget* control, int id, int intervalMs);
    void KillOnUiThread(QObject* control, int id);
    void Start(const Key& key, Entry& e, int interval);
    void Stop(const Key& key, Entry& e);
    void Fire(QObject* control, int id);
    void Forget(QObject* control);

    Callback onTimer_;
    QHash<Key, Entry> timers_;
    QHash<QObject*, QMetaObject::Connection> watched_;
    // The timer whose expiry is being handled, and whether its handler has
    // killed it (and not armed it again) so far.
    bool firing_ = false;
    Key firingKey_;
    bool firingKilled_ = false;
};

// One repeating wake-up of a short period that the timers of that period
// share. It runs while anyone rides it. Its ticks keep their due times (a
// precise repeating timer is armed against its due time, not against the
// time a handler ran), so a loaded machine makes ticks late but never makes
// the cadence drift; a tick due less than half a period after a late one is
// left out, so no two frames go out back to back.
class CFrameCadence : public QObject {
    Q_OBJECT
public:
    // The cadence of that period on the calling thread.
    static CFrameCadence* ForThread(int intervalMs);

    void Join(CControlTimers* owner, QObject* control, int id);
    void Leave(CControlTimers* owner, QObject* control, int id);
    int Riders() const { return static_cast<int>(riders_.size()); }
    // Whether a tick `sinceLast` after the last one that ran comes too soon.
    static bool TickTooSoon(std::chrono::steady_clock::duration sinceLast, int intervalMs);

private:
    explicit CFrameCadence(int intervalMs);
    void Tick();

    struct Rider {
        QPointer<CControlTimers> owner;
        QObject* control;
        int id;
        bool operator==(const Rider& o) const {
            return owner.data() == o.owner.data() && control == o.control && id == o.id;
        }
    };
    QTimer timer_;
    int intervalMs_ = 0;
    std::chrono::steady_clock::time_point lastTick_{};
    bool ticked_ = false;  // since the cadence started
    QList<Rider> riders_;
};

}  // namespace r88::ui
