#include "app/main_wnd.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/device_manager.h"
#include "app/light_panel_routes.h"
#include "app/light_control_bus.h"
#include "app/sync_lighting.h"
#include "device/qt/orvane_usb_device.h"
#include "platform/app_identity.h"
#include "platform/paths.h"
#include "platform/trace.h"
#include "profile/qt/device_profile_ui.h"
#include "profile/qt/profile_bar_commands.h"
#include "ui/dialogs.h"
#include "ui/dpi.h"
#include "ui/find_control.h"
#include "ui/font_set.h"
#include "ui/language_config.h"
#include "ui/language_settings.h"
#include "ui/skin_loader.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"
#include "ui/window_caption.h"
#include "update/qt/set_wnd.h"

namespace r88 {

namespace {
const QString kStrTest = QStringLiteral("str_test");
const QString kLightStatus = QStringLiteral("control_light_status");
constexpr char kLightOnText[] = "控制灯光";
constexpr char kLightOffText[] = "不控制灯光";

QByteArray Utf8(const QString& s) {
    return s.toUtf8();
}

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->size() : QSize();
}
}  // namespace

CMainWnd::CMainWnd(ui::IDialogs& dialogs, ILightControlBus& lightBus)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), dialogs_(dialogs), lightBus_(lightBus) {
    setObjectName(QStringLiteral("MainWnd"));
    setWindowTitle(QString::fromUtf8(kAppName));
    bridge_ = std::make_unique<ui::CMessageBridge>(
        [this](unsigned msg, uintptr_t w, intptr_t l) { return HandleMessage(msg, w, l); }, this);
    timers_ = std::make_unique<ui::CControlTimers>(
        [this](QWidget*, int id) { HandleMessage(kMsgTimer, static_cast<uintptr_t>(id), 0); }, this);
}

CMainWnd::~CMainWnd() {
    // The settings window's workers report to this window: it goes first.
    delete setWnd_.data();
    // A worker waiting on a sent message is released before the workers are
    // stopped, and the workers end before the pages they use go.
    bridge_->Close();
    syncLighting_.reset();  // it lights the device objects
    devices_.reset();
    timers_->KillAll();
    if (tray_) tray_->hide();
}

bool CMainWnd::Create() {
    Trace("InitWindow");
    ui::CSkinLoader loader(&tags_);
    root_ = loader.LoadLayout(QStringLiteral("XML_MAIN"), this);
    if (root_ == nullptr) {
        error_ = loader.Error();
        return false;
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The window starts smaller than its content and is then laid out at full size.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(root_);
    devices_ = std::make_unique<CDeviceManager>(this, tags_, *bridge_);
    syncLighting_ = std::make_unique<CSyncLighting>(*devices_);
    ApplyStyle();
    new ui::CNotifyDispatcher(this, this);
    ui::CWindowCaption::Install(this);
    resize(kInitialSize);
    setWindowIcon(QIcon(ui::CSkinResources::Instance().Folder() + QStringLiteral("common/logo.svg")));
    CreateTray();
    WatchScreens();
    // Ctrl+Q ends the program from the window, tray or not.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            &CMainWnd::Exit);
    initialised_ = true;
    ui::CNotifyDispatcher::For(this)->Send(ui::event::kWindowInit, this);
    return true;
}

void CMainWnd::ApplyStyle() {
    const QString style = ui::CSkinResources::Instance().StyleSheet();
    if (!style.isEmpty()) setStyleSheet(style);
}

void CMainWnd::CreateTray() {
    tray_ = std::make_unique<QSystemTrayIcon>(windowIcon());
    tray_->setToolTip(QString::fromUtf8(kAppName));
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            bridge_->PostMessage(kMsgTrayIcon, 0, kTrayLeftButtonUp);
        else if (reason == QSystemTrayIcon::Context)
            bridge_->PostMessage(kMsgTrayIcon, 0, kTrayRightButtonUp);
    });
    if (TrayAvailable()) tray_->show();
}

bool CMainWnd::TrayAvailable() const {
    return trayProbe_ ? trayProbe_() : QSystemTrayIcon::isSystemTrayAvailable();
}

void CMainWnd::WatchScreens() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    connect(screen, &QScreen::geometryChanged, this,
            [this] { bridge_->PostMessage(kMsgDisplayChange, 0, 0); });
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this](qreal dpi) {
        bridge_->PostMessage(kMsgDpiChanged, static_cast<uintptr_t>(qRound(dpi)), 0);
    });
}

void CMainWnd::OnWindowInit() {
    // The system drives the lighting from the start and says so.
    lightBus_.Announce(1, 1);
    SetLanguage(ui::StoredLanguageIndex());
    devices_->BuildDevicePages();
    // The pages came after the language's fonts were handed out.
    ui::CFontSet::Instance().ApplyTo(this);
    ApplySoftwareLighting(lightControl_);
    UpdateNoDeviceLink();
    keepHidden_ = startHidden_;
    if (!keepHidden_) show();
    devices_->Start();
    syncLighting_->Start();
    // A window started hidden is laid out when it is first shown.
    if (!keepHidden_) timers_->SetTimer(this, kTimerRestoreLayout, 100);
}

void CMainWnd::Notify(const ui::Notification& n) {
    if (n.type != ui::event::kTimer) {
        Trace(Utf8(n.type).constData());
        Trace(Utf8(n.SenderName()).constData());
    }
    if (RouteLightPanel(n, SelectedDevice(), PrimaryScreenSize())) return;
    if (n.type == ui::event::kWindowInit) {
        OnWindowInit();
    } else if (n.type == ui::event::kWindowSize) {
        if (n.sender == root_ && relayout_) {
            relayout_ = false;
            RestoreLayout();
        }
    } else if (n.type == ui::event::kClick) {
        OnClick(n);
    } else if (n.type == ui::event::kSelectChanged) {
        OnSelectChanged(n);
    } else if (n.type == ui::event::kItemSelect) {
        OnItemSelect(n);
    }
}

COrvaneUSBDevice* CMainWnd::SelectedDevice() {
    return devices_ ? devices_->SelectedDevice() : nullptr;
}

void CMainWnd::OnSelectChanged(const ui::Notification& n) {
    const QString name = n.SenderName();
    if (name == QLatin1String(strip::kSelector)) {
        devices_->OnSelectorChosen(n.sender);
        return;
    }
    if (const int tab = FunctionTabNumber(name); tab != 0) {
        COrvaneUSBDevice* device = SelectedDevice();
        if (device == nullptr) return;
        device->SetFunctionTab(tab);
        // The profile bar shows the same tab.
        if (CDeviceProfileUI* bar = device->ProfileBar()) bar->SelectTab(tab);
    }
}

COrvaneUSBDevice* CMainWnd::PageOf(QWidget* control) {
    for (QWidget* w = control; w != nullptr; w = w->parentWidget())
        if (auto* device = qobject_cast<COrvaneUSBDevice*>(w)) return device;
    return nullptr;
}

void CMainWnd::OnActiveProfile(uintptr_t profile, intptr_t sender) {
    // Only a page of this window is taken at its word, and only a profile it lists.
    for (const CDeviceManager::Page& p : devices_->Pages()) {
        if (!p.device || reinterpret_cast<intptr_t>(p.device.data()) != sender) continue;
        CDeviceProfileUI* bar = p.device->ProfileBar();
        if (bar == nullptr || profile >= static_cast<uintptr_t>(bar->List().GetCount())) return;
        // The profile shown already: nothing to choose.
        if (static_cast<int>(profile) == bar->GetCurrentIndex()) return;
        bar->Select(static_cast<int>(profile), true);
        return;
    }
}

void CMainWnd::OnItemSelect(const ui::Notification& n) {
    // A choice belongs to the page that holds the control: a device that is
    // not shown may announce a profile of its own.
    COrvaneUSBDevice* device = PageOf(n.sender);
    if (device == nullptr) device = SelectedDevice();
    if (device == nullptr) return;
    if (CDeviceProfileUI* bar = device->ProfileBar()) HandleProfileBarItemSelect(*bar, n.SenderName());
}

void CMainWnd::ApplySoftwareLighting(bool on) {
    for (const CDeviceManager::Page& p : devices_->Pages())
        if (p.device) p.device->SetSoftwareLighting(on);
}

void CMainWnd::ApplyPictureRefresh() {
    for (const CDeviceManager::Page& p : devices_->Pages())
        if (p.device) p.device->SetPictureRefresh(hovered_);
}

void CMainWnd::OnClick(const ui::Notification& n) {
    const QString name = n.SenderName();
    // The profile bar of the selected device's page first.
    if (COrvaneUSBDevice* device = SelectedDevice()) {
        if (CDeviceProfileUI* bar = device->ProfileBar())
            if (HandleProfileBarClick(*bar, dialogs_, this, name)) return;
    }
    auto is = [&name](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    if (is("deng_same_mode")) {
        SynchroniseLighting();
    } else if (is("closebtn")) {
        CloseSettingsWindow();
        CloseToTray();
    } else if (is("nodevice_ok_btn")) {
        CloseToTray();
    } else if (is("control_light_status")) {
        ToggleLightControl();
    } else if (is("minbtn")) {
        showMinimized();
    } else if (is("maxbtn")) {
        showMaximized();
    } else if (is("restorebtn")) {
        showNormal();
    } else if (is("setbtn")) {
        OpenSettingsWindow(false);
    } else if (is("update_ok_btn") || is("re_update_btn")) {
        firstUpdateState_ = 3;
        if (auto* sw = ui::FindControl<QStackedWidget>(this, QStringLiteral("device_updata_switch")))
            sw->setCurrentIndex(1);
    } else if (is("update_cancel_btn")) {
        firstUpdateState_ = 0;
        if (QWidget* w = ui::FindControl(this, QStringLiteral("device_updata_layout"))) w->hide();
    } else if (is("update_close_btn")) {
        if (QWidget* w = ui::FindControl(this, QStringLiteral("no_close_software_layout"))) w->hide();
    } else if (is("finish_update_btn")) {
        if (QWidget* w = ui::FindControl(this, QStringLiteral("device_updata_layout"))) w->hide();
    }
}

intptr_t CMainWnd::HandleMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case kMsgActivate:
            active_ = wParam != 0;
            hovered_ = active_;
            ApplyPictureRefresh();
            return 0;
        case kMsgMouseLeave:
            Trace("鼠标移出");
            if (!active_) {
                hovered_ = false;
                ApplyPictureRefresh();
            }
            return 0;
        case kMsgMouseHover:
            Trace("鼠标移入");
            if (!active_) {
                hovered_ = true;
                ApplyPictureRefresh();
            }
            return 0;
        case kMsgApplication:
            TraceF("软件标示 %d，%xd%xd", static_cast<int>(msg), static_cast<unsigned>(wParam),
                   static_cast<unsigned>(lParam));
            // The discovery thread's message (lParam 0) leaves a window started hidden alone.
            if (lParam != 0 || !keepHidden_) ShowMainWindow();
            return 0;
        case kMsgUpdateProgress:
            if (setWnd_) setWnd_->Messages().PostMessage(msg, wParam, lParam);
            switch (wParam) {
                case 1:
                    secondUpdateState_ = 7;
                    break;
                case 2:
                case 3:
                    secondUpdateState_ = 8;
                    break;
                case 4:
                    secondUpdateState_ = 6;
                    firstUpdateState_ = 3;
                    break;
                case 5:
                    firstUpdateState_ = 4;
                    break;
                default:
                    break;
            }
            return 0;
        case kMsgLightControlRequest:
            if (wParam == 1 && (lParam == 0 || lParam == 1)) {
                lightControl_ = lParam == 1;
                ui::SetPlainText(ui::FindControl(this, kLightStatus),
                                 QString::fromUtf8(lightControl_ ? kLightOnText : kLightOffText));
                ApplySoftwareLighting(lightControl_);
            }
            return 0;
        case kMsgDestroy:
            Trace("退出测试");
            hide();
            bridge_->Close();  // no worker may wait on the window while it stops them
            devices_->Stop();
            syncLighting_->Stop();
            timers_->KillAll();
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            return 0;
        case kMsgPowerBroadcast:
            if (wParam == kPowerResume) {
                awake_ = true;
                ApplySoftwareLighting(lightControl_);
                devices_->Resync();  // devices that came or went while asleep
            } else if (wParam == kPowerSuspend) {
                awake_ = false;
                ApplySoftwareLighting(false);
            }
            return 0;
        default:
            break;
    }

    // While the machine sleeps nothing else is handled.
    if (!awake_) return 0;

    switch (msg) {
        case kMsgDisplayChange:
            Trace("显示器分辨率发生变化");
            relayout_ = true;
            RestoreLayout();
            return 0;
        case kMsgKeyDown:
        case kMsgSysKeyDown:
            return 0;
        case kMsgTimer:
            OnTimer(static_cast<int>(wParam));
            return 0;
        case kMsgDpiChanged:
            ui::CToolkitDpi::SetAll(static_cast<int>(wParam));
            dpi_ = ui::CToolkitDpi::Current();  // the value RestoreLayout returns to
            RestoreLayout();
            Trace("界面 DPI 发生变化");
            return 0;
        case kMsgTrayIcon:
            OnTrayIcon(lParam);
            return 0;
        case kMsgMenuCommand:
            if (const auto* command = reinterpret_cast<const MenuCommand*>(lParam))
                OnMenuCommand(command->name);
            return 1;
        case kMsgDpiTrace:
            Trace("界面 DPI 1发生变化");
            return 0;
        case kMsgShowSettingProgress:
            if (QWidget* w = ui::FindControl(this, QStringLiteral("setting_progress"))) w->show();
            return 0;
        case kMsgLanguageChanged:
            SetLanguage(static_cast<int>(wParam));
            return 0;
        case kMsgDeviceFound:
            devices_->ConnectSlot(static_cast<std::size_t>(wParam));
            syncLighting_->Wake();  // a device that takes part may be back
            if (!devices_->Stopping() && !keepHidden_) ShowMainWindow();
            CloseSettingsWindow();
            return 0;
        case kMsgDeviceGone:
            devices_->DisconnectSlot(static_cast<std::size_t>(wParam));
            CloseSettingsWindow();
            return 0;
        case kMsgOpenSettingsShifted:
            OpenSettingsWindow(true);
            return 0;
        case kMsgActiveProfile:
            OnActiveProfile(wParam, lParam);
            return 0;
        case kMsgClearUpdateBadge:
            if (auto* b = ui::FindControl<QAbstractButton>(this, QStringLiteral("setbtn")))
                b->setIcon(QIcon());
            return 0;
        default:
            return 0;
    }
}

void CMainWnd::OnTimer(int id) {
    timers_->KillTimer(this, id);
    switch (id) {
        case kTimerRestoreLayout:
            RestoreLayout();
            update();
            break;
        case kTimerTrayMenu:
            OpenTrayMenu();
            break;
        case kTimerHeartbeat:
            timers_->SetTimer(this, kTimerHeartbeat, 5000);
            break;
        default:
            break;
    }
}

void CMainWnd::OnTrayIcon(intptr_t lParam) {
    if (lParam == kTrayLeftButtonUp) {
        UpdateNoDeviceLink();
        CloseSettingsWindow();
        if (isVisible() && !isMinimized()) {
            hide();
        } else {
            keepHidden_ = false;
            RestoreLayout();
            showNormal();
            raise();
            activateWindow();
            update();
        }
    } else if (lParam == kTrayRightButtonUp) {
        timers_->SetTimer(this, kTimerTrayMenu, 10);
    }
}

void CMainWnd::OpenTrayMenu() {
    if (trayMenu_) trayMenu_->close();
    trayMenu_ = std::make_unique<QMenu>();
    trayMenu_->setObjectName(QStringLiteral("tray_menu"));
    const QString style = ui::CSkinResources::Instance().StyleSheet();
    if (!style.isEmpty()) trayMenu_->setStyleSheet(style);
    QAction* exit = trayMenu_->addAction(ui::TextOf(QStringLiteral("menu_exit")));
    exit->setObjectName(QStringLiteral("exit"));
    // An item is known by its command name, whatever its place in the menu;
    // the command runs once the menu has finished with the click.
    for (QAction* action : trayMenu_->actions()) {
        connect(action, &QAction::triggered, this, [this, name = action->objectName()] {
            QMetaObject::invokeMethod(
                this,
                [this, name] {
                    MenuCommand command{name};
                    HandleMessage(kMsgMenuCommand, 0, reinterpret_cast<intptr_t>(&command));
                },
                Qt::QueuedConnection);
        });
    }
    trayMenu_->popup(QCursor::pos() - QPoint(0, 50));
}

void CMainWnd::OnMenuCommand(const QString& name) {
    if (name == QLatin1String("exit")) {
        Exit();
        return;
    }
    // Any other name is a command of the macro action menu, which has no
    // handler yet.
}

void CMainWnd::SynchroniseLighting() {
    QScreen* screen = QGuiApplication::primaryScreen();
    syncLighting_->SynchroniseLighting(screen != nullptr ? screen->size() : QSize());
}

void CMainWnd::UpdateNoDeviceLink() {
    devices_->UpdateNoDeviceLink();
}

void CMainWnd::ShowMainWindow() {
    keepHidden_ = false;
    UpdateNoDeviceLink();
    // A window started hidden has not been laid out yet.
    if (restoreLayoutCount_ == 0) RestoreLayout();
    // Restored from minimised as well as from hidden; raising and activating
    // brings it to the front without moving it.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QRect CMainWnd::FitWindow(QSize design, const QRect& area) {
    if (!area.isValid()) return QRect(QPoint(0, 0), design);
    const QSize size = design.boundedTo(area.size());
    return QRect(
        area.topLeft() + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2),
        size);
}

void CMainWnd::RestoreLayout() {
    ++restoreLayoutCount_;
    const bool wasVisible = isVisible();
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    // Laid out at 96 DPI, then back at the screen's own.
    ui::CToolkitDpi::SetAll(96);
    const QRect area = screen() != nullptr ? screen()->availableGeometry() : QRect();
    setGeometry(FitWindow(kLayoutSize, area));
    ui::CToolkitDpi::SetAll(dpi_);
    setVisible(wasVisible);
}

void CMainWnd::SetLanguage(int index) {
    if (index == language_) return;
    const QString family = ui::CFontSet::FamilyForLanguage(index);
    if (!family.isEmpty()) {
        ui::CFontSet::Instance().Install(family);
        ui::CFontSet::Instance().ApplyTo(this);
    }
    language_ = index;
    const auto entries = ReadLanguageConfig(ui::LanguageConfigPath().toStdString());
    if (index >= 0 && static_cast<size_t>(index) < entries.size()) {
        const LanguageEntry& entry = entries[static_cast<size_t>(index)];
        ui::CLanguage::Instance().Load(ui::LanguageFilePath(QString::fromStdString(entry.file)));
        ui::SaveLanguageId(entry.id);
    }
    update();
    if (setWnd_) setWnd_->Messages().SendMessage(kMsgLanguageChanged, static_cast<uintptr_t>(index), 0);
    emit languageChanged(index);
}

CSetWnd* CMainWnd::SettingsWindow() const {
    return setWnd_.data();
}

void CMainWnd::OpenSettingsWindow(bool shifted) {
    if (setWnd_) return;
    // Row k of the firmware targets is the k-th device of the strip.
    std::vector<UpdateTarget> targets = UpdateTargetTable();
    const auto& pages = devices_->Pages();
    for (std::size_t k = 0; k < kFirmwareTargetCount && k < targets.size(); ++k) {
        COrvaneUSBDevice* device = k < pages.size() ? pages[k].device.data() : nullptr;
        const bool open = device != nullptr && device->IsCommandOpen();
        targets[k].currentVersion = open ? device->CommandChannel().Hid().Attributes().versionNumber : 0;
    }
    auto* wnd = new CSetWnd(this);
    wnd->setAttribute(Qt::WA_DeleteOnClose);
    wnd->SetDpi(dpi_);
    wnd->SetOwner(bridge_.get(), language_);
    wnd->SetTargets(std::move(targets));
    wnd->SetService(ReadUpdateServiceConfig());
    if (!wnd->Build()) {
        delete wnd;
        return;
    }
    setWnd_ = wnd;
    QRect r(QPoint(0, 0), CSetWnd::kSize);
    const QRect over = isVisible() ? frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (over.isValid()) r.moveCenter(over.center());
    if (shifted) r.adjust(300, 0, 0, 0);  // 300 px right, the right edge kept: 300 px narrower
    wnd->setGeometry(r);
    wnd->setWindowModality(Qt::ApplicationModal);
    wnd->show();
}

void CMainWnd::CloseSettingsWindow() {
    if (setWnd_) setWnd_->close();
}

void CMainWnd::SetLightControl(bool on) {
    lightControl_ = on;
    lightBus_.Announce(1, on ? 1 : 0);
    ui::SetPlainText(ui::FindControl(this, kLightStatus),
                     QString::fromUtf8(on ? kLightOnText : kLightOffText));
    ApplySoftwareLighting(on);
}

void CMainWnd::ToggleLightControl() {
    SetLightControl(!lightControl_);
}

QString CMainWnd::ResolveTextId(const QString& id) {
    auto* label = ui::FindControl<QLabel>(this, kStrTest);
    if (label == nullptr) return ui::TextOf(id);
    ui::SetTextId(label, id);
    return label->text();
}

void CMainWnd::Exit() {
    if (exiting_) return;
    EndProgram();
    close();
}

void CMainWnd::EndProgram() {
    exiting_ = true;
    HandleMessage(kMsgDestroy, 0, 0);
}

void CMainWnd::CloseToTray() {
    if (!TrayAvailable()) {
        // A hidden window without a tray icon could be neither found nor ended.
        Exit();
        return;
    }
    HideToTray();
}

void CMainWnd::HideToTray() {
    if (tray_ && !tray_->isVisible()) tray_->show();  // the tray may have come after us
    hide();
}

void CMainWnd::closeEvent(QCloseEvent* e) {
    if (exiting_) {
        e->accept();
        return;
    }
    if (!TrayAvailable()) {
        EndProgram();
        e->accept();
        return;
    }
    // Closing only hides the window; the program stays in the tray.
    e->ignore();
    HideToTray();
}

void CMainWnd::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange) HandleMessage(kMsgActivate, isActiveWindow() ? 1 : 0, 0);
    QWidget::changeEvent(e);
}

void CMainWnd::enterEvent(QEnterEvent* e) {
    HandleMessage(kMsgMouseHover, 0, 0);
    QWidget::enterEvent(e);
}

void CMainWnd::leaveEvent(QEvent* e) {
    HandleMessage(kMsgMouseLeave, 0, 0);
    QWidget::leaveEvent(e);
}

void CMainWnd::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (initialised_ && root_ != nullptr) ui::SendNotify(root_, ui::event::kWindowSize);
}

}  // namespace r88
