#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>

namespace r88 {

namespace {
constexpr char kWakeLine[] = "wake 0 1\n";
}

CSingleInstance::CSingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), base_(QDir(folder).filePath(name)) {
    connect(&server_, &QLocalServer::newConnection, this, &CSingleInstance::OnConnection);
}

CSingleInstance::~CSingleInstance() {
    server_.close();
    if (lock_) lock_->unlock();
}

bool CSingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(LockPath());
    // Age never makes the lock stale (we run for days); a lock whose process is gone is.
  lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        lock_.reset();
        return false;
    }
    QLocalServer::removeServer(SocketPath());  // left behind by a copy that crashed
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(SocketPath());
    return true;
}

bool CSingleInstance::WakeRunning(int timeoutMs) const {
    QDeadlineTimer deadline(timeoutMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(200)) {
            socket.write(kWakeLine);
            const bool sent = socket.waitForBytesWritten(500);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return false;
}

void CSingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine(64);
                if (line == kWakeLine) emit woken(0, 1);
            }
        });
    }
}

}  // namespace r88
