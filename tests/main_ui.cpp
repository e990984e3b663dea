#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/ui/test_environment.h"

namespace {

// Offscreen Qt has one 800 x 600 screen unless told otherwise. The tests get
// a desktop-sized primary screen, on which the window has its design size,
// and a laptop-sized one beside it.
QByteArray OffscreenWithScreens(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("screens.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QByteArrayLiteral("offscreen");
    file.write(R"({"screens": [
        {"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "dpr": 1},
        {"name": "laptop", "x": 1920, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "dpr": 1}]})");
    return QByteArrayLiteral("offscreen:configfile=") + QFile::encodeName(path);
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                screens.isValid() ? OffscreenWithScreens(screens) : QByteArray("offscreen"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    r88::ui::PrepareTestEnvironment();
    return RUN_ALL_TESTS();
}
