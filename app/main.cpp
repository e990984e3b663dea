#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/application.h"
#include "platform/app_identity.h"
#include "ui/trace_category.h"

namespace {

void PrintUsage() {
    std::printf(
        "usage: vantiro-r88 [--simulate] [--hidden] [--screenshot FILE] [--version]\n"
        "  --simulate         attach the emulated keyboard, mouse pad and headset\n"
        "  --hidden           start without showing the window; the tray icon or a\n"
        "                     second start shows it\n"
        "  --screenshot FILE  start, let start-up settle, save the main window as PNG and exit\n"
        "  --screenshot-settings FILE  the same with the settings window open\n"
        "  --version          print the version\n");
}

}  // namespace

int main(int argc, char** argv) {
    r88::StartOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vantiro-r88 %s\n", r88::kAppVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--simulate") == 0) {
            options.simulate = true;
        } else if (std::strcmp(argv[i], "--hidden") == 0) {
            options.hidden = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            options.screenshotPath = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--screenshot-settings") == 0 && i + 1 < argc) {
            options.screenshotPath = QString::fromLocal8Bit(argv[++i]);
            options.screenshotSettings = true;
        } else {
            std::fprintf(stderr, "vantiro-r88: unknown option %s\n", argv[i]);
            PrintUsage();
            return 2;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(r88::kAppName));
    QApplication::setApplicationVersion(QString::fromLatin1(r88::kAppVersion));
    QApplication::setQuitOnLastWindowClosed(false);  // the window decides what closing it means
    r88::ui::InstallTraceCategory();
    return r88::RunApplication(app, options);
}
