#include "app/light_control_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/app_identity.h"

namespace r88 {

// The signals carry the names other programs already know for them.
CDBusLightControl::CDBusLightControl(QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    connected_ = bus.connect(QString(), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                             QStringLiteral("Request"), this, SLOT(OnRequest(int, int)));
}

void CDBusLightControl::Announce(int wParam, int lParam) {
    if (!connected_) return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                                                     QStringLiteral("Announce"));
    signal << QString::fromLatin1(kLightControlAnnounceName) << wParam << lParam;
    QDBusConnection::sessionBus().send(signal);
}

void CDBusLightControl::OnRequest(int wParam, int lParam) {
    emit requested(static_cast<quintptr>(wParam), static_cast<qintptr>(lParam));
}

}  // namespace r88
