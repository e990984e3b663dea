#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "app/layout_tags.h"
#include "app/light_control_bus.h"
#include "app/main_wnd.h"
#include "app/single_instance.h"
#include "app/sleep_watcher.h"
#include "platform/app_identity.h"
#include "platform/hid_combined_backend.h"
#include "platform/hidraw_backend.h"
#include "platform/paths.h"
#include "platform/trace.h"
#include "sim/simulated_setup.h"
#include "ui/dialogs.h"
#include "ui/font_set.h"
#include "ui/skin_resources.h"
#include "update/qt/set_wnd.h"

namespace r88 {

namespace {

void Complain(const QString& text) {
    std::fprintf(stderr, "vantiro-r88: %s\n", text.toUtf8().constData());
}

void CentreOnScreen(QWidget& w) {
    if (QScreen* s = w.screen()) w.move(s->availableGeometry().center() - w.rect().center());
}

// Renders the window to a picture once start-up has settled, then ends.
void ScheduleScreenshot(CMainWnd& wnd, const QString& path, bool settings) {
    if (settings) QTimer::singleShot(600, &wnd, [&wnd] { wnd.OpenSettingsWindow(false); });
    QTimer::singleShot(1200, &wnd, [&wnd, path, settings] {
        QWidget* shown = &wnd;
        if (settings && wnd.SettingsWindow() != nullptr) shown = wnd.SettingsWindow();
        const bool saved = shown->grab().save(path, "PNG");
        if (!saved) Complain(QStringLiteral("cannot write the picture %1").arg(path));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int RunApplication(QApplication& app, const StartOptions& options) {
    const QString programFolder = QString::fromStdString(ProgramFolder());

    ui::CPrivateFonts fonts;
    fonts.LoadAll(programFolder);

    TraceF("软件标示：%d", static_cast<int>(kMsgApplication));

    // A screenshot run renders its own window and leaves a running copy alone.
    // Without a private folder for the lock the program still starts: no other
    // user can keep it from running, at the cost of the one-copy guard.
    QString noFolder;
    const QString instanceFolder =
        CSingleInstance::PrivateFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), &noFolder);
    CSingleInstance instance(QString::fromUtf8(kAppName), instanceFolder);
    if (instanceFolder.isEmpty()) {
        Complain(QStringLiteral("no private folder for the single-instance lock (%1); starting without it")
                     .arg(noFolder));
    } else if (options.screenshotPath.isEmpty() && !instance.Acquire()) {
        instance.WakeRunning();
        return 0;
    }

    if (!ui::CSkinResources::Instance().Load(programFolder + QStringLiteral("skin/")))
        Complain(ui::CSkinResources::Instance().Error());

    RegisterControlClasses();

    // The emulated keyboard, mouse pad and headset sit beside real hardware;
    // the setup lives as long as the run.
    std::optional<sim::SimulatedSetup> simulated;
    if (options.simulate) {
        simulated = sim::MakeSimulatedSetup();
        SetCurrentHidBackend(std::make_shared<CombinedHidBackend>(
            std::vector<std::shared_ptr<IHidBackend>>{std::make_shared<HidrawBackend>(), simulated->bus}));
    }

    ui::CQtDialogs dialogs;
    CDBusLightControl lightBus;
    auto wnd = std::make_unique<CMainWnd>(dialogs, lightBus);
    wnd->SetStartHidden(options.hidden && options.screenshotPath.isEmpty());
    if (!wnd->Create()) {
        Complain(QStringLiteral("the main window cannot be built: %1").arg(wnd->Error()));
        return 1;
    }
    CentreOnScreen(*wnd);

    QObject::connect(&instance, &CSingleInstance::woken, wnd.get(),
                     [&wnd](quintptr w, qintptr l) { wnd->Messages().PostMessage(kMsgApplication, w, l); });
    QObject::connect(&lightBus, &CDBusLightControl::requested, wnd.get(), [&wnd](quintptr w, qintptr l) {
        wnd->Messages().PostMessage(kMsgLightControlRequest, w, l);
    });
    CSleepWatcher sleep;
    QObject::connect(&sleep, &CSleepWatcher::suspending, wnd.get(),
                     [&wnd] { wnd->Messages().PostMessage(kMsgPowerBroadcast, kPowerSuspend, 0); });
    QObject::connect(&sleep, &CSleepWatcher::resumed, wnd.get(),
                     [&wnd] { wnd->Messages().PostMessage(kMsgPowerBroadcast, kPowerResume, 0); });

    if (!options.screenshotPath.isEmpty())
        ScheduleScreenshot(*wnd, options.screenshotPath, options.screenshotSettings);

    const int code = app.exec();
    wnd.reset();
    return code;
}

}  // namespace r88
