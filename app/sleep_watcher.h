#pragma once
// Suspend and resume of the machine, from logind's PrepareForSleep signal on
// the system bus; silent where there is no system bus.
#include <QObject>

namespace r88 {

class CSleepWatcher : public QObject {
    Q_OBJECT
public:
    explicit CSleepWatcher(QObject* parent = nullptr);
    bool Connected() const { return connected_; }

signals:
    void suspending();
    void resumed();

private slots:
    void OnPrepareForSleep(bool start);

private:
    bool connected_ = false;
};

}  // namespace r88
