#pragma once
// Process start-up and tear-down: fonts, single instance, skin, control
// classes, the main window and the event loop.
#include <QString>

class QApplication;

namespace r88 {

struct StartOptions {
    bool simulate = false;       // attach the emulated devices
    bool hidden = false;         // start without showing the window (tray or a second start shows it)
    QString screenshotPath;      // render the main window to this PNG once settled, then exit
    bool screenshotSettings = false;  // render the settings window instead
};

// Runs the application; returns the process exit code.
int RunApplication(QApplication& app, const StartOptions& options);

}  // namespace r88
