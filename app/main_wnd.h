#pragma once
// The one top-level window: title bar, device strip, device pages, power
// indicators, tray icon. It receives every notification of its controls and
// every window message, and routes them.
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/layout_tags.h"
#include "platform/window_messages.h"
#include "ui/control_timers.h"
#include "ui/message_bridge.h"
#include "ui/notify.h"

class QMenu;
class QScreen;

namespace r88 {

namespace ui {
class IDialogs;
}
class ILightControlBus;
class CDeviceManager;
class CSyncLighting;
class COrvaneUSBDevice;
class CSetWnd;

// What message 1145 carries in lParam: the chosen menu item's command name.
// It lives while the message is handled.
struct MenuCommand {
    QString name;
};

class CMainWnd : public QWidget, public ui::INotifyHandler {
    Q_OBJECT
public:
    // Timers of the main window itself.
    static constexpr int kTimerRestoreLayout = 1011;
    static constexpr int kTimerHeartbeat = 1031;
    static constexpr int kTimerTrayMenu = 1032;

    CMainWnd(ui::IDialogs& dialogs, ILightControlBus& lightBus);
    ~CMainWnd() override;

    // Whether the desktop shows tray icons; asked each time the window is
    // closed. Qt's answer unless replaced (tests).
    using TrayProbe = std::function<bool()>;
    void SetTrayProbe(TrayProbe probe) { trayProbe_ = std::move(probe); }
    bool TrayAvailable() const;
    // Before Create: start without showing the window (autostart). It stays
    // hidden through device connections until the tray icon or a second
    // start asks for it.
    void SetStartHidden(bool hidden) { startHidden_ = hidden; }

    // Builds the window from "XML_MAIN". False (with Error()) when the main
    // layout cannot be built; the program cannot go on without it.
    bool Create();
    QString Error() const { return error_; }

    // Window operations used across the application.
    void ShowMainWindow();
    void RestoreLayout();
    void SetLanguage(int index);
    void SetLightControl(bool on);
    void ToggleLightControl();
    // The text of an identifier in the current language, read back through
    // the hidden label "str_test".
    QString ResolveTextId(const QString& id);

    // Every window message passes here; see the message table in the source.
    intptr_t HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam);
    IMessageSink& Messages() { return *bridge_; }

    void Notify(const ui::Notification& n) override;

    // Ends the program: stops the workers and leaves the event loop.
    void Exit();
    bool Exiting() const { return exiting_; }

    // The device manager: pages, strip, discovery.
    CDeviceManager& Devices() { return *devices_; }
    // Synchronised lighting: the "deng_same_mode" action and its worker.
    CSyncLighting& SyncLighting() { return *syncLighting_; }
    void SynchroniseLighting();
    // The device of the first visible, selected strip item, or nullptr.
    COrvaneUSBDevice* SelectedDevice();

    bool Awake() const { return awake_; }
    bool LightControl() const { return lightControl_; }
    int Language() const { return language_; }
    bool RelayoutPending() const { return relayout_; }
    QWidget* Root() const { return root_; }
    QMenu* TrayMenu() const { return trayMenu_.get(); }
    int RestoreLayoutCount() const { return restoreLayoutCount_; }
    int FirstUpdateState() const { return firstUpdateState_; }
    int SecondUpdateState() const { return secondUpdateState_; }
    // The settings window while it is open (at most one).
    CSetWnd* SettingsWindow() const;
    // Opens it unless it is open: centred over this window, or (message
    // 3093) 300 pixels further right and 300 pixels narrower.
    void OpenSettingsWindow(bool shifted);
    // Asks an open settings window to close; it refuses while it updates.
    void CloseSettingsWindow();

    // The DPI the window's screen asks for (96 until a DPI change says otherwise).
    int Dpi() const { return dpi_; }

    static constexpr QSize kInitialSize{800, 572};
    static constexpr QSize kLayoutSize{1350, 810};
    // Where RestoreLayout puts the window on a screen area: the design size
    // centred where it fits, else as much as the area holds, never off it.
    static QRect FitWindow(QSize design, const QRect& area);

signals:
    // Fires when the language changed so device objects rebuild their texts.
    void languageChanged(int index);

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void OnWindowInit();
    void OnClick(const ui::Notification& n);
    void OnSelectChanged(const ui::Notification& n);
    void OnItemSelect(const ui::Notification& n);
    // The device page that holds a control, or nullptr.
    static COrvaneUSBDevice* PageOf(QWidget* control);
    // kMsgActiveProfile: the sending device's profile list selects the
    // device's active profile, as a user's choice would.
    void OnActiveProfile(uintptr_t profile, intptr_t sender);
    // Every device's flags that follow the window.
    void ApplySoftwareLighting(bool on);
    void ApplyPictureRefresh();
    void OnTimer(int id);
    void OnTrayIcon(intptr_t lParam);
    void OpenTrayMenu();
    void OnMenuCommand(const QString& name);
    // Close button and the window manager's close: hide to the tray, or end
    // the program where no tray could bring the window back.
    void CloseToTray();
    void HideToTray();
    // Stops the workers and posts the quit message (the window then closes).
    void EndProgram();
    void UpdateNoDeviceLink();
    void CreateTray();
    void WatchScreens();
    void ApplyStyle();

    ui::IDialogs& dialogs_;
    ILightControlBus& lightBus_;
    CLayoutTagTable tags_;
    std::unique_ptr<ui::CMessageBridge> bridge_;
    std::unique_ptr<ui::CControlTimers> timers_;
    std::unique_ptr<CDeviceManager> devices_;
    std::unique_ptr<CSyncLighting> syncLighting_;
    QWidget* root_ = nullptr;
    QString error_;
    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> trayMenu_;
    TrayProbe trayProbe_;

    bool lightControl_ = true;
    bool awake_ = true;
    bool active_ = false;
    bool hovered_ = false;
    bool relayout_ = false;
    bool exiting_ = false;
    bool initialised_ = false;
    bool startHidden_ = false;
    bool keepHidden_ = false;  // started hidden and nobody has asked for the window yet
    int dpi_ = 96;
    int language_ = -1;
    int firstUpdateState_ = 0;
    int secondUpdateState_ = 0;
    int restoreLayoutCount_ = 0;
    QPointer<CSetWnd> setWnd_;
};

}  // namespace r88
