#pragma once
// Runs the event loop until the condition holds or the time is up.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace r88::test {

template <class Pred>
bool WaitUntil(Pred pred, int timeoutMs = 2000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

}  // namespace r88::test
