#pragma once
// A device page and, at the same time, the owner of everything the
// application knows about one physical device: its two command channels, its
// identity, its LED frame and light state, the buttons of its picture, its
// profile data object and its worker threads. The main window builds one
// per supported device kind at start; hardware is connected to it and
// disconnected from it as it comes and goes.
//
// The virtual operations below are how the main window, the strip item's
// timers, the worker threads and the panels drive every kind alike. Where a
// kind's protocol is not part of this class, the base does nothing (or
// returns 0) and the kind overrides it.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/device_option_ui.h"
#include "app/mp_device_power_ui.h"
#include "device/device_tables.h"
#include "device/usb_device_core.h"
#include "device/worker_thread.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_effects.h"
#include "lighting/light_engine.h"
#include "lighting/light_pass.h"
#include "lighting/light_presets.h"
#include "lighting/light_ticker.h"
#include "lighting/shared_light_state.h"
#include "platform/window_messages.h"
#include "profile/device_profile_list.h"
#include "profile/profile_data.h"
#include "profile/profile_records.h"
#include "profile/qt/device_profile_ui.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/select_panel_ui.h"

namespace r88 {

class CLightControlUI;

class COrvaneUSBDevice : public QWidget, public IProfileDevice, protected ILightRenderer, protected ILightEffects {
    Q_OBJECT
public:
    static constexpr std::size_t kLedListEntrySize = 11;
    // The dynamic property of a picture button that names the LED it shows.
    static constexpr char kUserDataProperty[] = "userdata";
    // Names of the page's controls.
    static constexpr char kProfileBarName[] = "DeviceProfileItem";
    static constexpr char kLightPanelName[] = "LightControlItem";
    static constexpr char kFunctionSwitchName[] = "device_function_switch";
    static constexpr char kKeyFunctionSwitchName[] = "device_key_function_switch";

    using LedListEntry = std::array<std::uint8_t, kLedListEntrySize>;
    using KeyMap = std::map<int, std::uint32_t>;

    explicit COrvaneUSBDevice(QWidget* parent = nullptr);
    // Stops the notification reader and the light thread and closes both
    // channels; a kind that holds more stops it in its own destructor.
    ~COrvaneUSBDevice() override;

    // ---- set-up by the page builder, in this order ----
    void SetLayoutPath(const QString& path);
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }
    // Where the device's window messages go (the main window's messages).
    void SetMessageSink(IMessageSink* sink) { messageSink_ = sink; }
    IMessageSink* MessageSink() const { return messageSink_; }
    void SetKeyCount(int n);
    void SetLightCount(int n);
    void SetPowerKind(int k);
    void SetDeviceName(const std::string& name) { core_.SetDeviceName(name); }
    void SetPowerIndicator(CMpDevicePowerUI* indicator);
    void SetIdentity(const DeviceInterfaceSlot& record);
    // (SetDeviceIndex, then SetLightPresetName, then BindPictureButtons)
    void SetLightPresetName(const std::string& name) { core_.SetLightPresetName(name); }
    // Called when the strip item links itself to this device.
    void SetDeviceOption(CDeviceOptionUI* item) { deviceOption_ = item; }
    // Sets up the page's profile bar for this device (after the set-up above).
    void InitProfileBar();
    // Gives the page's lighting panel its kind and the kind's effect list
    // (loads the light presets first).
    void InitLightPanel();

    // ---- the virtual interface ----
    virtual void BindPictureButtons();
    // Reads "LightInfo" into the light state (the profile is not written),
    // starts the trail again when the effect changed, loads and applies the
    // per-LED light list and loads the selected user light sequence; 0
    // without a profile.
    virtual int ApplyLighting();
    // The renderers draw into the LED frame on the light thread, from the
    // light state the pass read.
    void RenderBreathing() override;
    void RenderFourColorBreathing() override;
    void RenderStatic() override;
    void RenderSpectrumCycle() override;
    void RenderFlash() override;
    void RenderFourColorFlash() override;
    void RenderOff() override;
    virtual void SendLightFrame();
    virtual void SetLedValue(int index, std::uint32_t value);
    virtual std::uint32_t GetLedValue(int index) const;
    virtual void ReadAllFromDevice();
    virtual void ReadSettingsFromDevice();
    virtual void ReservedHookA();
    virtual void ReservedHookB();
    virtual void ReadPowerStatus();
    int LoadProfile() override;
    virtual void RefreshControls();
    virtual void ReservedHookC();
    bool RestoreDefaults() override;
    virtual int WriteKeyAssignments(int table, std::vector<KeyAssignmentPair> list);
    virtual int WriteProfileKeyAssignments(int table);
    virtual int WriteMacros();
    virtual int WriteSettings(int profile, int active, int flag, int width, int height);
    virtual void LoadLightPresets();
    virtual void SetKeyMap(const KeyMap& map);
    virtual void DecayTrail(int index, bool fine);
    virtual void RaiseTrail(int index, bool fine);
    virtual void LightMarkedTrail();
    virtual void RotateTrailRing(int direction);
    virtual void ClearTrail();
    virtual void SetFunctionTab(int kind);
    virtual int GetFunctionTab() const { return functionTab_; }
    void SetDocumentPaths(const std::string& profileId) override;
    virtual std::string GetDocumentPath() const;
    virtual void SaveProfile();
    virtual void SetDeviceIndex(int d);
    virtual int GetDeviceIndex() const { return core_.DeviceIndex(); }
    virtual void SetLightState(LightState state);
    virtual void SetTabIndex(int index) { tabIndex_ = index; }
    // The mouse, pad and headset renderers, by the kind's constants.
    void RenderWave() override;
    void RenderTrail(TrailShape shape) override;
    void PlayLightSequence() override;
    // The keyboard draws its own effects; the base has none.
    void RenderKindEffect(std::uint8_t renderer) override;
    // Applies the per-LED light list to the frame, under the light-list lock.
    virtual void ApplyLightList();
    // The profile bar asks for the loaded profile to reach the hardware.
    void WriteProfileToDevice(ProfileWrite occasion) override;

    // ---- channels and threads ----
    CUsbDeviceCore& Core() { return core_; }
    CHidCommandChannel& CommandChannel() { return core_.Command(); }
    bool IsCommandOpen() { return core_.Command().IsOpen(); }
    bool IsNotificationOpen() { return core_.Notifications().IsOpen(); }
    // Opens the command interface (under the channel's ioLock) and keeps the
    // record as identity; false when it cannot be opened or is open already.
    bool OpenCommand(const DeviceInterfaceSlot& slot);
    // Clears the open flag and closes the command interface.
    void CloseCommand();
    // Opens the notification interface and starts its reader; stops the
    // reader, then closes the interface.
    void OpenNotifications(const std::string& path);
    void CloseNotifications();
    // The light thread: it sleeps until the current effect's next frame is
    // due (see CurrentLightSchedule) and is woken by every new light state.
    void StartLightThread();
    void StopLightThread();
    bool LightThreadRunning() const { return lightThread_.Running(); }
    // Stops the notification reader and the light thread. Every kind calls
    // this first in its destructor, while its own parts still exist.
    void StopWorkers();

    // ---- state ----
    QString GetLayoutPath() const { return layoutPath_; }
    QWidget* MainWindow() const { return mainWindow_; }
    int GetKeyCount() const { return core_.KeyCount(); }
    int GetLightCount() const { return core_.LightCount(); }
    int GetPowerKind() const { return core_.PowerKind(); }
    const std::string& GetDeviceName() const { return core_.DeviceName(); }
    const std::string& GetLightPresetName() const { return core_.LightPresetName(); }
    const DeviceInterfaceSlot& GetIdentity() const { return core_.Identity(); }
    int GetType() const { return core_.Type(); }
    int GetSubType() const { return core_.SubType(); }
    CDeviceOptionUI* GetDeviceOption() const { return deviceOption_; }
    CMpDevicePowerUI* GetPowerIndicator() const { return powerIndicator_; }
    ui::CSelectPanelUI* GetSelectPanel() const { return selectPanel_; }
    ui::CDeviceKeyButtonUI* KeyButton(int n) const;
    ui::CDeviceKeyButtonUI* LedButton(int m) const;
    CDeviceProfileUI* ProfileBar();
    QWidget* LightPanel();
    CLightControlUI* LightControl();
    // The names LoadLightPresets read for this device kind.
    const LightPresetLists& LightPresets() const { return lightPresets_; }
    // The mouse picture's logo tooltip names the effect LogoEffect gives;
    // pages without a logo button are left alone.
    void ShowLogoToolTip();
    virtual int LogoEffect() const { return GetLightState().effect; }
    int GetTabIndex() const { return tabIndex_; }
    // A snapshot: the light thread may read it at the same time.
    LightState GetLightState() const { return lightState_.Load(); }
    const KeyMap& GetKeyMap() const { return keyMap_; }
    const LedListEntry& LedListEntryAt(int index) const {
        return ledListEntries_.at(static_cast<std::size_t>(index));
    }

    bool SoftwareLighting() const { return softwareLighting_.load(std::memory_order_relaxed); }
    void SetSoftwareLighting(bool on) { softwareLighting_.store(on, std::memory_order_relaxed); }
    bool PictureRefresh() const { return pictureRefresh_.load(std::memory_order_relaxed); }
    void SetPictureRefresh(bool on) { pictureRefresh_.store(on, std::memory_order_relaxed); }
    // Whether the picture holds light values it has not redrawn yet, and the
    // redraw of exactly those keys (the strip item paces it to the display).
    bool PictureDirty() const { return pictureDirty_; }
    void RepaintPicture();

    // Whether at least two devices are shown in the strip; handed to the
    // page's lighting panel.
    void SetSameMode(bool on);
    bool SameMode() const { return sameMode_; }

    // The profile data object of the kind; the base has none, and its
    // profile operations then do nothing.
    virtual CBasicProfiledata* Profile() { return nullptr; }

protected:
    // The light thread's side, called on that thread. The base animates
    // nothing: its thread sleeps until woken. A kind's effects say how often
    // they render, render into the LED frame and apply the per-LED light list
    // at the end of each pass.
    LightSchedule CurrentLightSchedule() override;
    void RenderLightFrame() override;
    void EndLightPass() override;
    // The kind's effect table, set by the kind's constructor before any
    // thread runs; without one nothing animates.
    void SetLightKind(const LightKindTable* kind) { lightEngine_.SetKind(kind); }
    CLightEngine& LightEngine() { return lightEngine_; }
    // How the kind's light thread counts its ticks.
    virtual LightTickStyle LightTicks() const { return LightTickStyle::kClock; }
    // Something the light thread renders from has changed (light state,
    // light list, connection): its next pass runs now.
    void WakeLightThread() { lightThread_.Wake(); }
    // Key-down (pressed) and key-up of a key slot, reported by the keyboard's
    // notification interface; only the keyboard reacts.
    virtual void OnKeyNotification(int keySlot, bool pressed);
    // How long after a re-read request the strip item re-reads the settings.
    virtual int SyncRequestDelayMs() const { return kSyncReadDelayMs; }
    // Shows the LED frame on the picture (light colour and level of every
    // visible LED button); the keys whose light changed are redrawn by the
    // next RepaintPicture.
    void ShowFrameOnPicture();
    // Loads the factory section into the profile and saves it into the
    // current document; the kinds' RestoreDefaults use it. False, with the
    // profile and its document unchanged, when there is no factory section.
    bool RestoreFactorySection();
    // The light thread's and the notification reader's trace lines.
    virtual const char* LightThreadExitTrace() const { return "MS灯光线程设定退出"; }

private:
    void OnNotification(const NotificationEvent& e);

    // Channels, identity, counts, LED frame and trail state.
    CUsbDeviceCore core_;
    QString layoutPath_;
    QPointer<QWidget> mainWindow_;
    IMessageSink* messageSink_ = nullptr;
    std::vector<QPointer<ui::CDeviceKeyButtonUI>> keyButtons_;
    std::vector<QPointer<ui::CDeviceKeyButtonUI>> ledButtons_;
    // Per LED button: its light changed since the picture was last redrawn.
    std::vector<bool> ledDirty_;
    bool pictureDirty_ = false;
    std::vector<LedListEntry> ledListEntries_;
    CSharedLightState lightState_;
    KeyMap keyMap_;
    QPointer<ui::CSelectPanelUI> selectPanel_;
    QPointer<CDeviceOptionUI> deviceOption_;
    QPointer<CMpDevicePowerUI> powerIndicator_;
    QPointer<QWidget> functionSwitch_;
    QPointer<QWidget> keyFunctionSwitch_;
    QPointer<CDeviceProfileUI> profileBar_;
    int functionTab_ = 1;
    int tabIndex_ = -1;
    std::atomic<bool> softwareLighting_{true};
    std::atomic<bool> pictureRefresh_{true};
    bool sameMode_ = false;
    LightPresetLists lightPresets_;
    std::chrono::steady_clock::time_point streamPausedUntil_{};
    // The light engine's working state is this device's own: no two light
    // threads share a sequence player or a light list.
    CLightEngine lightEngine_;
    // The light thread's view of the frame being drawn.
    LightState frameLight_;
    std::uint32_t frameNowMs_ = 0;
    int appliedEffect_ = -1;  // the effect id the lighting was last applied with
    CLightTicker lightTicker_{LightTickStyle::kClock, CLightTicker::Clock::now()};
    CWorkerThread lightThread_{StopTraceStyle::kDevice, "r88-light"};
};

}  // namespace r88
