#pragma once
// One running copy per user session: a lock file in a folder only this user
// can write and a local socket beside it. A second start finds the lock held,
// wakes the running copy through the socket and ends.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace r88 {

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // Where the lock and socket live: the runtime folder when it is private
    // to this user, else "<sharedBase>/vantiro-r88-<uid>", created 0700. A
    // folder that another user owns or may write is never used: anyone
    // could hold the lock there and keep the program from starting. Empty
    // (with `problem` saying why) when neither folder can be used.
    static QString PrivateFolder(const QString& runtimeFolder, const QString& sharedBase, QString* problem);
    // True when `path` is a real folder (not a link) owned by this user that
    // no one else may read or write.
    static bool IsPrivateFolder(const QString& path, QString* problem = nullptr);

    // name: the application name; folder: where the lock and socket live.
    CSingleInstance(const QString& name, const QString& folder, QObject* parent = nullptr);
    ~CSingleInstance() override;

    // True when this process is the first: it then listens for wake-ups.
    bool Acquire();

    // From a second process: asks the running copy to come to the front.
    // Retries for up to timeoutMs while the first copy is still starting.
    bool WakeRunning(int timeoutMs = 1500) const;

    QString SocketPath() const { return base_ + QStringLiteral(".socket"); }
    QString LockPath() const { return base_ + QStringLiteral(".lock"); }

signals:
    // A second start asked to wake us (wParam 0, lParam 1).
    void woken(quintptr wParam, qintptr lParam);

private:
    void OnConnection();

    QString base_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace r88
