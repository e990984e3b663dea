// Runs the real program: single instance across processes, start-up with
// broken data, the screenshot mode.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/app_identity.h"
#include "tests/ui/ui_fixture.h"
#include "tests/ui/wait.h"

namespace r88 {
namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        QDir(home_.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(Runtime(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    QString Runtime() const { return home_.filePath(QStringLiteral("runtime")); }
    static QString Program() { return test::BinaryDir() + QStringLiteral("/bin/vantiro-r88"); }

    // A session without a runtime folder: the lock goes to a private folder
    // in the temporary folder.
    QString SharedTemp() const { return home_.filePath(QStringLiteral("tmp")); }

    void Prepare(QProcess& p, const QString& dataDir = QString(), bool withRuntime = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // The tests' own platform, with their screens.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"),
                   qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), Runtime());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("VANTIRO_TRACE"), QStringLiteral("1"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        if (!dataDir.isEmpty()) env.insert(QStringLiteral("VANTIRO_DATA_DIR"), dataDir);
        if (!withRuntime) {
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
            QDir().mkpath(SharedTemp());
            env.insert(QStringLiteral("TMPDIR"), SharedTemp());
        }
        p.setProcessEnvironment(env);
        p.setProgram(Program());
    }

    // A data folder with the real skin and languages but our own DefaultData.
    QString DataDirWith(const QByteArray& languageConfig, bool withSkin) {
        const QString dir = home_.filePath(QStringLiteral("share"));
        QDir(dir).mkpath(QStringLiteral("DefaultData"));
        const QString staged = test::BinaryDir() + QStringLiteral("/share/vantiro-r88/");
        if (withSkin) {
            QFile::link(test::SourceDir() + QStringLiteral("/skin"), dir + QStringLiteral("/skin"));
        } else {
            QDir(dir).mkpath(QStringLiteral("skin"));
            QFile broken(dir + QStringLiteral("/skin/res.xml"));
            EXPECT_TRUE(broken.open(QIODevice::WriteOnly));
            broken.write("<Res><layout name=");
        }
        QFile::link(staged + QStringLiteral("lang"), dir + QStringLiteral("/lang"));
        QFile config(dir + QStringLiteral("/DefaultData/Language.config"));
        EXPECT_TRUE(config.open(QIODevice::WriteOnly));
        config.write(languageConfig);
        return dir;
    }

    QTemporaryDir home_;
};

TEST_F(StartUpTest, SecondStartWakesTheFirstAndEndsWithoutAWindow) {
    for (const bool withRuntime : {true, false}) {
        SCOPED_TRACE(withRuntime ? "runtime folder" : "no runtime folder");
        QProcess first;
        Prepare(first, QString(), withRuntime);
        first.start();
        ASSERT_TRUE(first.waitForStarted());
        const QString folder =
            withRuntime ? Runtime() : SharedTemp() + QStringLiteral("/vantiro-r88-%1").arg(geteuid());
        const QString socket =
            folder + QLatin1Char('/') + QString::fromUtf8(kAppName) + QStringLiteral(".socket");
        ASSERT_TRUE(test::WaitUntil([&] { return QFile::exists(socket); }, 10000));
        struct stat st {};
        ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);

        QProcess second;
        Prepare(second, QString(), withRuntime);
        QElapsedTimer clock;
        clock.start();
        second.start();
        ASSERT_TRUE(second.waitForFinished(2000));
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_FALSE(second.readAllStandardError().contains("InitWindow"));  // no window was made

        // The first copy got the wake-up with wParam 0 and lParam 1 and came to the
        // front (the device scan's own message carries lParam 0).
        QByteArray log;
        EXPECT_TRUE(test::WaitUntil(
            [&] {
                log += first.readAllStandardError();
                return log.contains("软件标示 ") && log.contains("0d1d");
            },
            5000))
            << log.toStdString();
        first.kill();
        first.waitForFinished();
    }
}

TEST_F(StartUpTest, SimulateConnectsTheEmulatedDevicesAndStopsTheirThreadsAtTheEnd) {
    QProcess p;
    Prepare(p);
    const QString shot = home_.filePath(QStringLiteral("simulated.png"));
    p.setArguments({QStringLiteral("--simulate"), QStringLiteral("--screenshot"), shot});
    p.start();
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString log = QString::fromUtf8(p.readAllStandardError());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << log.toStdString();
    EXPECT_EQ(QImage(shot).size(), QSize(1350, 810));
    // Keyboard (both interfaces), mouse pad and headset were connected ...
    EXPECT_TRUE(log.contains(QStringLiteral("添加一个键盘设备"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("链接了一个键盘5162")));
    EXPECT_EQ(log.count(QStringLiteral("添加一个鼠标垫设备")),
              3);  // the pad's two interfaces and the headset
    // ... and every thread ended in time when the window went.
    EXPECT_TRUE(log.contains(QStringLiteral("抓取设备线程设定退出")));
    EXPECT_TRUE(log.contains(QStringLiteral("MS设备同步线程设定退出")));
    EXPECT_FALSE(log.contains(QStringLiteral("超时")));
}

TEST_F(StartUpTest, ScreenshotRendersTheMainWindowEvenWithABrokenLanguageList) {
    QProcess p;
    Prepare(p, DataDirWith("{ broken", true));
    const QString shot = home_.filePath(QStringLiteral("shot.png"));
    p.setArguments({QStringLiteral("--screenshot"), shot});
    p.start();
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QImage image(shot);
    EXPECT_EQ(image.size(), QSize(1350, 810));
}

TEST_F(StartUpTest, ABrokenSkinEndsWithAClearMessageNotACrash) {
    QProcess p;
    Prepare(p, DataDirWith("{}", false));
    p.setArguments({QStringLiteral("--screenshot"), home_.filePath(QStringLiteral("x.png"))});
    p.start();
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    const QByteArray err = p.readAllStandardError();
    EXPECT_TRUE(err.contains("res.xml")) << err.toStdString();
    EXPECT_TRUE(err.contains("main window cannot be built")) << err.toStdString();
}

TEST_F(StartUpTest, VersionAndBadOptions) {
    QProcess p;
    Prepare(p);
    p.setArguments({QStringLiteral("--version")});
    p.start();
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardOutput(), QByteArray("vantiro-r88 ") + kAppVersion + "\n");
    p.setArguments({QStringLiteral("--bogus")});
    p.start();
    ASSERT_TRUE(p.waitForFinished(5000));
    EXPECT_EQ(p.exitCode(), 2);
}

}  // namespace
}  // namespace r88
