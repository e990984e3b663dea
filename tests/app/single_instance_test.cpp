// Where the single-instance lock lives: only in a folder no other user can
// write, so nobody else can hold the lock and keep the program from starting.
#include "app/single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace r88 {
namespace {

constexpr QFileDevice::Permissions kOwnerOnly =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

class InstanceFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString Folder(const char* name, QFileDevice::Permissions mode) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(QDir().mkpath(path));
        EXPECT_TRUE(QFile::setPermissions(path, mode));
        return path;
    }
    QString OwnFallback(const QString& base) const {
        return QDir(base).filePath(QStringLiteral("vantiro-r88-%1").arg(geteuid()));
    }
    static unsigned Mode(const QString& path) {
        struct stat st {};
        EXPECT_EQ(lstat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
        return st.st_mode & 07777;
    }

    QTemporaryDir dir_;
};

TEST_F(InstanceFolderTest, ThePrivateRuntimeFolderIsUsedAsItIs) {
    const QString runtime = Folder("runtime", kOwnerOnly);
    const QString shared = Folder("shared", kOwnerOnly | QFileDevice::WriteOther | QFileDevice::ExeOther);
    EXPECT_EQ(CSingleInstance::PrivateFolder(runtime, shared, nullptr), runtime);
    EXPECT_FALSE(QFileInfo::exists(OwnFallback(shared)));
}

TEST_F(InstanceFolderTest, WithoutAPrivateRuntimeFolderAnOwnFolderIsMadeOwnerOnly) {
    const QString shared = Folder("shared", kOwnerOnly | QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString openRuntime =
        Folder("open_runtime", kOwnerOnly | QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    const mode_t oldMask = umask(0);  // even a lax umask gives an owner-only folder
    for (const QString& runtime : {QString(), openRuntime, dir_.filePath(QStringLiteral("absent"))}) {
        SCOPED_TRACE(runtime.toStdString());
        QString problem;
        const QString folder = CSingleInstance::PrivateFolder(runtime, shared, &problem);
        EXPECT_EQ(folder, OwnFallback(shared)) << problem.toStdString();
        EXPECT_EQ(Mode(folder), 0700u);
    }
    umask(oldMask);
}

TEST_F(InstanceFolderTest, AFallbackFolderThatOthersMayUseIsRefused) {
    const QString shared = Folder("shared", kOwnerOnly | QFileDevice::WriteOther | QFileDevice::ExeOther);
    const QString own = OwnFallback(shared);
    struct Case {
        const char* what;
        QFileDevice::Permissions mode;
    };
    for (const Case& c :
         {Case{"group may write", kOwnerOnly | QFileDevice::WriteGroup | QFileDevice::ExeGroup},
          Case{"anyone may enter", kOwnerOnly | QFileDevice::ReadOther | QFileDevice::ExeOther},
          Case{"anyone may write", kOwnerOnly | QFileDevice::WriteOther | QFileDevice::ExeOther}}) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(QDir().mkpath(own));
        ASSERT_TRUE(QFile::setPermissions(own, c.mode));
        QString problem;
        EXPECT_EQ(CSingleInstance::PrivateFolder(QString(), shared, &problem), QString());
        EXPECT_TRUE(problem.contains(own)) << problem.toStdString();
        EXPECT_NE(Mode(own), 0700u);  // refused, not silently changed
    }
    // A link planted in its place is refused even when it points at a private folder.
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_TRUE(QFile::link(Folder("elsewhere", kOwnerOnly), own));
    EXPECT_EQ(CSingleInstance::PrivateFolder(QString(), shared, nullptr), QString());
    // A plain file too.
    ASSERT_TRUE(QFile::remove(own));
    QFile file(own);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(CSingleInstance::PrivateFolder(QString(), shared, nullptr), QString());
}

TEST_F(InstanceFolderTest, AFolderOfAnotherUserIsNeverPrivate) {
    // Root's home is owner-only and root's; as root there is no other user to try.
    struct stat st {};
    if (geteuid() == 0 || lstat("/root", &st) != 0 || (st.st_mode & 077) != 0)
        GTEST_SKIP() << "no owner-only folder of another user here";
    QString problem;
    EXPECT_FALSE(CSingleInstance::IsPrivateFolder(QStringLiteral("/root"), &problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("another user"))) << problem.toStdString();
    const QString shared = Folder("shared", kOwnerOnly);
    EXPECT_EQ(CSingleInstance::PrivateFolder(QStringLiteral("/root"), shared, nullptr), OwnFallback(shared));
}

}  // namespace
}  // namespace r88
