#include "app/sleep_watcher.h"

#include <QDBusConnection>

namespace r88 {

CSleepWatcher::CSleepWatcher(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    connected_ = bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                             QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                             this, SLOT(OnPrepareForSleep(bool)));
}

void CSleepWatcher::OnPrepareForSleep(bool start) {
    if (start) emit suspending();
    else emit resumed();
}

}  // namespace r88
