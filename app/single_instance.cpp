#include "app/single_instance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QThread>
#include <cerrno>
#include <cstring>

namespace r88 {

namespace {
constexpr char kWakeLine[] = "wake 0 1\n";

void Say(QString* problem, const QString& text) {
    if (problem != nullptr) *problem = text;
}
}  // namespace

bool CSingleInstance::IsPrivateFolder(const QString& path, QString* problem) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (lstat(native.constData(), &st) != 0) {
        Say(problem, QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        Say(problem, QStringLiteral("%1 is not a folder").arg(path));
        return false;
    }
    if (st.st_uid != geteuid()) {
        Say(problem, QStringLiteral("%1 belongs to another user").arg(path));
        return false;
    }
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        Say(problem, QStringLiteral("%1 is open to other users (mode %2)")
                         .arg(path)
                         .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0')));
        return false;
    }
    return true;
}

QString CSingleInstance::PrivateFolder(const QString& runtimeFolder, const QString& sharedBase,
                                       QString* problem) {
    if (!runtimeFolder.isEmpty() && IsPrivateFolder(runtimeFolder)) return runtimeFolder;
    const QString own = QDir(sharedBase).filePath(QStringLiteral("vantiro-r88-%1").arg(geteuid()));
    const QByteArray native = QFile::encodeName(own);
    // A folder we have just made is ours; the umask may have taken bits we need.
    if (mkdir(native.constData(), S_IRWXU) == 0) chmod(native.constData(), S_IRWXU);
    if (IsPrivateFolder(own, problem)) return own;
    return {};
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
