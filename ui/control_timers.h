#pragma once
// Timers per (control, id). A timer repeats until it is killed; each expiry is
// handed to the owner's callback on the UI thread. Arming from a worker
// thread is queued onto the UI thread.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

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
    void KillAll();

    bool IsActive(QWidget* control, int id) const;

private:
    using Key = QPair<QObject*, int>;
    void SetOnUiThread(QWidget* control, int id, int intervalMs);
    void KillOnUiThread(QObject* control, int id);

    Callback onTimer_;
    QHash<Key, QTimer*> timers_;
};

}  // namespace r88::ui
