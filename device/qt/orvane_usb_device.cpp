#include "device/qt/orvane_usb_device.h"

#include <QStackedWidget>
#include <algorithm>
#include <array>
#include <chrono>
#include <span>

#include "app/device_option_ui.h"
#include "app/mp_device_power_ui.h"
#include "lighting/qt/light_control_ui.h"
#include "lighting/qt/logo_tool_tip.h"
#include "lighting/shared_renderers.h"
#include "lighting/trail_renderer.h"
#include "lighting/wave_renderer.h"
#include "profile/json_file.h"
#include "profile/qt/device_profile_ui.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/find_control.h"
#include "ui/texts.h"

namespace r88 {

namespace {
// An LED record packed as the frame keeps it: red, green, blue, alpha from the low byte up.
constexpr std::uint8_t Red(std::uint32_t v) {
    return static_cast<std::uint8_t>(v);
}
constexpr std::uint8_t Green(std::uint32_t v) {
    return static_cast<std::uint8_t>(v >> 8);
}
constexpr std::uint8_t Blue(std::uint32_t v) {
    return static_cast<std::uint8_t>(v >> 16);
}
constexpr std::uint8_t Alpha(std::uint32_t v) {
    return static_cast<std::uint8_t>(v >> 24);
}
constexpr std::uint8_t Scaled(std::uint8_t colour, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((static_cast<unsigned>(colour) * alpha) >> 8);
}
// After a light frame that did not reach the device, frames pause this long.
constexpr auto kStreamBackoff = std::chrono::milliseconds(200);
constexpr std::size_t kNoLed = 126;  // LED number of an empty place
constexpr std::size_t kMaxStreamBytes = 512;  // the longest light stream a channel takes

// The renderers' millisecond clock (it wraps; they only take differences).
std::uint32_t LightClockMs() {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}
}  // namespace

COrvaneUSBDevice::COrvaneUSBDevice(QWidget* parent) : QWidget(parent) {
    core_.Notifications().SetHandler([this](const NotificationEvent& e) { OnNotification(e); });
    lightEngine_.ResetTrail(core_);
}

COrvaneUSBDevice::~COrvaneUSBDevice() {
    StopWorkers();
}

// ---- set-up ----

void COrvaneUSBDevice::SetLayoutPath(const QString& path) {
    layoutPath_ = path;
    core_.SetLayoutPath(path.toStdString());
}

void COrvaneUSBDevice::SetKeyCount(int n) {
    core_.SetKeyCount(n);
    keyButtons_.resize(static_cast<std::size_t>(core_.KeyCount()));
}

void COrvaneUSBDevice::SetLightCount(int n) {
    core_.SetLightCount(n);
    const auto count = static_cast<std::size_t>(core_.LightCount());
    ledButtons_.resize(count);
    ledDirty_.assign(count, false);
    // Every light-list record is cleared, also when the count stays.
    ledListEntries_.assign(count, LedListEntry{});
}

void COrvaneUSBDevice::SetPowerKind(int k) {
    core_.SetPowerKind(k);
    if (powerIndicator_) powerIndicator_->SetPowerKind(k);
}

void COrvaneUSBDevice::SetPowerIndicator(CMpDevicePowerUI* indicator) {
    powerIndicator_ = indicator;
    if (indicator != nullptr) indicator->SetPowerKind(core_.PowerKind());
}

void COrvaneUSBDevice::SetIdentity(const DeviceInterfaceSlot& record) {
    core_.SetIdentity(record);
}

void COrvaneUSBDevice::InitProfileBar() {
    CDeviceProfileUI* bar = ProfileBar();
    if (bar == nullptr) return;
    const std::string& name = core_.DeviceName();
    if (CBasicProfiledata* profile = Profile()) profile->SetDefaultDocumentPath(DefaultDocumentPath(name));
    bar->SetKind(core_.Type());
    bar->SetPaths(DeviceDataFolder(name), DefaultDocumentPath(name));
    bar->SetDevice(this);
    bar->Init();
    bar->SelectTab(1);
}

CDeviceProfileUI* COrvaneUSBDevice::ProfileBar() {
    if (profileBar_.isNull())
        profileBar_ = ui::FindControl<CDeviceProfileUI>(this, QString::fromLatin1(kProfileBarName));
    return profileBar_.data();
}

QWidget* COrvaneUSBDevice::LightPanel() {
    return ui::FindControl(this, QString::fromLatin1(kLightPanelName));
}

CLightControlUI* COrvaneUSBDevice::LightControl() {
    return qobject_cast<CLightControlUI*>(LightPanel());
}

void COrvaneUSBDevice::InitLightPanel() {
    LoadLightPresets();
    CLightControlUI* panel = LightControl();
    if (panel == nullptr) return;
    panel->SetPanelKind(core_.Type());
    panel->FillEffectList(lightPresets_.effectNames, lightPresets_.effectVisible, kLightLevelMax, kLightLevelMax);
    panel->ShowLightState(GetLightState());
    ShowLogoToolTip();
}

void COrvaneUSBDevice::ShowLogoToolTip() {
    const int type = core_.Type();
    if (type != kDeviceMouse && type != kDeviceMouseReceiver) return;
    QWidget* logo = FindLogoButton(selectPanel_.data());
    if (logo == nullptr) return;
    // Built-in names are text identifiers; user sequence names are shown as they are.
    const QString name = ui::TextOf(QString::fromStdString(MouseLogoEffectName(lightPresets_, LogoEffect())));
    CLogoToolTip::For(logo)->Set(QStringLiteral("Logo"), ui::TextOf(QStringLiteral("Light_Set")) + QLatin1Char('\n') +
                                                           ui::TextOf(QStringLiteral("Overall_Light_Set")) + name);
}

ui::CDeviceKeyButtonUI* COrvaneUSBDevice::KeyButton(int n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= keyButtons_.size()) return nullptr;
    return keyButtons_[static_cast<std::size_t>(n)].data();
}

ui::CDeviceKeyButtonUI* COrvaneUSBDevice::LedButton(int m) const {
    if (m < 0 || static_cast<std::size_t>(m) >= ledButtons_.size()) return nullptr;
    return ledButtons_[static_cast<std::size_t>(m)].data();
}

void COrvaneUSBDevice::SetSameMode(bool on) {
    sameMode_ = on;
    if (CLightControlUI* panel = LightControl()) panel->SetSameMode(on);
}

// ---- the virtual interface ----

void COrvaneUSBDevice::BindPictureButtons() {
    std::fill(keyButtons_.begin(), keyButtons_.end(), nullptr);
    std::fill(ledButtons_.begin(), ledButtons_.end(), nullptr);
    if (!core_.PrepareBinding()) {
        // A page without a picture has no keys and no LEDs.
        keyButtons_.clear();
        ledButtons_.clear();
        ledDirty_.clear();
        ledListEntries_.clear();
        return;
    }
    selectPanel_ = nullptr;
    for (QObject* child : children()) {
        if (auto* panel = qobject_cast<ui::CSelectPanelUI*>(child)) {
            selectPanel_ = panel;
            break;
        }
    }
    if (selectPanel_.isNull()) return;
    const auto keyLimit = static_cast<std::size_t>(core_.KeyCount());
    const auto ledLimit = static_cast<std::size_t>(core_.LightCount());
    for (QObject* child : selectPanel_->children()) {
        auto* button = qobject_cast<ui::CDeviceKeyButtonUI*>(child);
        if (button == nullptr) continue;
        if (const auto n = PictureIndex(button->objectName().toStdString(), "key_", keyLimit))
            keyButtons_[*n] = button;
        const QString userData = button->property(kUserDataProperty).toString();
        if (const auto m = PictureIndex(userData.toStdString(), "light_", ledLimit)) {
            ledButtons_[*m] = button;
            button->SetLight(QColor(0xFF, 0xFF, 0xFF), 0xFF, true);
        }
    }
}

int COrvaneUSBDevice::ApplyLighting() {
    CBasicProfiledata* profile = Profile();
    if (profile == nullptr) return 0;
    LightState light = profile->ReadLightState();
    // The spare values are the kind's, not the document's.
    const LightState previous = lightState_.Load();
    light.spare16 = previous.spare16;
    light.spare8 = previous.spare8;
    lightState_.Store(light);
    if (appliedEffect_ != light.effect) {
        appliedEffect_ = light.effect;
        lightEngine_.ResetTrail(core_);
    }
    lightEngine_.LightList().Load(profile->ReadLightList());
    ApplyLightList();
    std::vector<LightStep> steps;
    const LightEffectEntry* entry = lightEngine_.Entry(light.effect);
    if (entry != nullptr && entry->effect == LightEffect::kSequence) {
        profile->ReadLightPresets(profile->GetLightPresetsPath());
        steps = profile->ReadLedEffectList(GetDeviceIndex(), SequenceEntry(*lightEngine_.Kind(), light.effect));
    }
    lightEngine_.Sequence().Load(std::move(steps));
    // Also an unchanged "off" draws its dark frame again over the old list.
    lightEngine_.Invalidate();
    WakeLightThread();
    return 1;
}

void COrvaneUSBDevice::RenderBreathing() {
    r88::RenderBreathing(core_, lightEngine_.State(), frameLight_);
}
void COrvaneUSBDevice::RenderFourColorBreathing() {
    r88::RenderFourColorBreathing(core_, lightEngine_.State(), frameLight_);
}
void COrvaneUSBDevice::RenderStatic() {
    r88::RenderStatic(core_, frameLight_);
}
void COrvaneUSBDevice::RenderSpectrumCycle() {
    r88::RenderSpectrumCycle(core_, lightEngine_.State(), frameLight_);
}
void COrvaneUSBDevice::RenderFlash() {
    r88::RenderFlash(core_, lightEngine_.State(), frameLight_, frameNowMs_);
}
void COrvaneUSBDevice::RenderFourColorFlash() {
    r88::RenderFourColorFlash(core_, lightEngine_.State(), frameLight_, frameNowMs_);
}
void COrvaneUSBDevice::RenderOff() {
    r88::RenderOff(core_);
}
void COrvaneUSBDevice::RenderWave() {
    if (const LightKindTable* kind = lightEngine_.Kind())
        r88::RenderWave(core_, lightEngine_.State(), frameLight_, kind->wave);
}
void COrvaneUSBDevice::RenderTrail(TrailShape shape) {
    r88::RenderTrail(core_, lightEngine_.State(), frameLight_, shape);
}
void COrvaneUSBDevice::PlayLightSequence() {
    lightEngine_.Sequence().Play(core_, frameNowMs_);
}
void COrvaneUSBDevice::RenderKindEffect(std::uint8_t) {}

void COrvaneUSBDevice::ApplyLightList() {
    lightEngine_.LightList().Apply(core_, LightClockMs());
}

LightSchedule COrvaneUSBDevice::CurrentLightSchedule() {
    return lightEngine_.Schedule(lightState_.Load());
}

void COrvaneUSBDevice::RenderLightFrame() {
    frameLight_ = lightState_.Load();
    const LightEffectEntry* entry = lightEngine_.Entry(frameLight_.effect);
    if (entry == nullptr) return;
    frameNowMs_ = LightClockMs();
    DispatchLightEffect(*entry, *this);
    lightEngine_.FrameDrawn(*entry);
}

void COrvaneUSBDevice::EndLightPass() {
    // The mouse applies its list only with the lighting.
    const LightKindTable* kind = lightEngine_.Kind();
    if (kind != nullptr && kind->lightListEveryPass && lightEngine_.LightList().HasEntries()) ApplyLightList();
}

void COrvaneUSBDevice::ShowFrameOnPicture() {
    // Only LEDs that are shown take the frame: a page in another tab or a
    // hidden window gets the next frame when it is shown again.
    if (selectPanel_.isNull() || !selectPanel_->isVisible()) return;
    for (std::size_t i = 0; i < ledButtons_.size(); ++i) {
        ui::CDeviceKeyButtonUI* button = ledButtons_[i].data();
        if (button == nullptr || !button->isVisible()) continue;
        const std::uint32_t v = core_.GetLedValue(static_cast<int>(i));
        if (button->StoreLight(QColor(Red(v), Green(v), Blue(v)), Alpha(v), true)) {
            ledDirty_[i] = true;
            pictureDirty_ = true;
        }
    }
}

void COrvaneUSBDevice::RepaintPicture() {
    if (!pictureDirty_) return;
    pictureDirty_ = false;
    for (std::size_t i = 0; i < ledButtons_.size(); ++i) {
        if (!ledDirty_[i]) continue;
        ledDirty_[i] = false;
        if (ui::CDeviceKeyButtonUI* button = ledButtons_[i].data()) button->update();
    }
}

void COrvaneUSBDevice::SendLightFrame() {
    if (!SoftwareLighting()) return;
    ShowFrameOnPicture();
    // The receiver's radio link is too slow for light frames.
    CHidCommandChannel& channel = core_.Command();
    if (channel.IsSlow()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now < streamPausedUntil_) return;
    // Three bytes per LED; a local buffer, so no frame allocates.
    std::array<std::uint8_t, kMaxStreamBytes> buffer{};
    const auto count = std::min(static_cast<std::size_t>(core_.LightCount()), buffer.size() / 3);
    for (std::size_t i = 0; i < count && i != kNoLed; ++i) {
        const std::uint32_t v = core_.GetLedValue(static_cast<int>(i));
        buffer[3 * i] = Scaled(Red(v), Alpha(v));
        buffer[3 * i + 1] = Scaled(Green(v), Alpha(v));
        buffer[3 * i + 2] = Scaled(Blue(v), Alpha(v));
    }
    // A frame that did not arrive pauses the stream instead of the window.
    const std::span<const std::uint8_t> frame(buffer.data(), 3 * count);
    if (channel.CMD_STREAM_LIGHT(frame) != kResultOk) streamPausedUntil_ = now + kStreamBackoff;
}

void COrvaneUSBDevice::SetLedValue(int index, std::uint32_t value) {
    core_.SetLedValue(index, value);
}

std::uint32_t COrvaneUSBDevice::GetLedValue(int index) const {
    return core_.GetLedValue(index);
}

// First contact, re-reads and power polling belong to each kind's protocol.
void COrvaneUSBDevice::ReadAllFromDevice() {}
void COrvaneUSBDevice::ReadSettingsFromDevice() {}
void COrvaneUSBDevice::ReservedHookA() {}
void COrvaneUSBDevice::ReservedHookB() {}
void COrvaneUSBDevice::ReadPowerStatus() {}

int COrvaneUSBDevice::LoadProfile() {
    CBasicProfiledata* profile = Profile();
    if (profile == nullptr || profile->GetDocumentPath().empty()) return 0;
    if (!profile->Load(profile->GetDocumentPath()).isObject()) return 0;
    ApplyLighting();
    WakeLightThread();
    return 1;
}

// The lighting panel shows the current light state; the kinds add their own
// panels and call this first.
void COrvaneUSBDevice::RefreshControls() {
    LoadLightPresets();
    if (CLightControlUI* panel = LightControl()) panel->ShowLightState(GetLightState());
    ShowLogoToolTip();
}
void COrvaneUSBDevice::ReservedHookC() {}

bool COrvaneUSBDevice::RestoreFactorySection() {
    CBasicProfiledata* profile = Profile();
    if (profile == nullptr || profile->GetDocumentPath().empty()) return false;
    // An unreadable factory document leaves the profile as it is: an empty
    // section would be saved over the user's document by the next change.
    if (!profile->LoadFactorySection()) return false;
    profile->Save();
    return true;
}

bool COrvaneUSBDevice::RestoreDefaults() {
    if (Profile() == nullptr || !RestoreFactorySection()) return false;
    ApplyLighting();
    SaveProfile();
    RefreshControls();
    return true;
}

// Writes to the device come with each kind's protocol; the base sends nothing.
int COrvaneUSBDevice::WriteKeyAssignments(int, std::vector<KeyAssignmentPair>) {
    return 0;
}
int COrvaneUSBDevice::WriteProfileKeyAssignments(int) {
    return 0;
}
int COrvaneUSBDevice::WriteMacros() {
    return 0;
}
int COrvaneUSBDevice::WriteSettings(int, int, int, int, int) {
    return 0;
}
// The macro names of the kind are reloaded with the macro list.
void COrvaneUSBDevice::LoadLightPresets() {
    const std::string folder = DeviceDataFolder(core_.DeviceName());
    LoadLightPresetLists(DefaultDataFolder() + kDefaultLightFileName,
                         folder.empty() ? std::string() : folder + core_.LightPresetName() + ".config",
                         core_.DeviceIndex(), lightPresets_);
}

void COrvaneUSBDevice::SetKeyMap(const KeyMap& map) {
    keyMap_ = map;
}

void COrvaneUSBDevice::DecayTrail(int index, bool fine) {
    if (index >= 0) core_.DecayTrail(static_cast<std::size_t>(index), fine);
}

void COrvaneUSBDevice::RaiseTrail(int index, bool fine) {
    if (index >= 0) core_.RaiseTrail(static_cast<std::size_t>(index), fine);
}

void COrvaneUSBDevice::LightMarkedTrail() {
    core_.LightMarkedTrail(false);
}

void COrvaneUSBDevice::RotateTrailRing(int direction) {
    core_.RotateTrailRing(direction);
}

void COrvaneUSBDevice::ClearTrail() {
    core_.ClearTrail();
}

void COrvaneUSBDevice::SetFunctionTab(int kind) {
    functionTab_ = kind;
    if (functionSwitch_.isNull())
        functionSwitch_ = ui::FindControl<QStackedWidget>(this, QString::fromLatin1(kFunctionSwitchName));
    if (keyFunctionSwitch_.isNull())
        keyFunctionSwitch_ =
            ui::FindControl<QStackedWidget>(this, QString::fromLatin1(kKeyFunctionSwitchName));
    auto* functions = qobject_cast<QStackedWidget*>(functionSwitch_.data());
    auto* keyFunctions = qobject_cast<QStackedWidget*>(keyFunctionSwitch_.data());
    if (functions == nullptr || keyFunctions == nullptr) return;
    // Tabs a page does not have are left alone.
    auto select = [](QStackedWidget* tabs, int index) {
        if (index < tabs->count()) tabs->setCurrentIndex(index);
    };
    switch (kind) {
        case 2:
        case 6:
            select(functions, 0);
            select(keyFunctions, 1);
            break;
        case 3:
        case 7:
            select(functions, 1);
            break;
        case 4:
            select(functions, 0);
            select(keyFunctions, 2);
            break;
        case 5:
            select(functions, 2);
            break;
        default:
            select(functions, 0);
            select(keyFunctions, 0);
            break;
    }
}

void COrvaneUSBDevice::SetDocumentPaths(const std::string& profileId) {
    CBasicProfiledata* profile = Profile();
    if (profile == nullptr) return;
    const std::string folder = DeviceDataFolder(core_.DeviceName());
    if (folder.empty()) return;
    profile->SetDocumentPath(folder + profileId + kProfileDocumentExtension);
    profile->SetLightPresetsPath(folder + core_.LightPresetName() + ".config");
}

std::string COrvaneUSBDevice::GetDocumentPath() const {
    const CBasicProfiledata* profile = const_cast<COrvaneUSBDevice*>(this)->Profile();
    return profile != nullptr ? profile->GetDocumentPath() : std::string();
}

void COrvaneUSBDevice::SaveProfile() {
    if (CBasicProfiledata* profile = Profile()) profile->Save();
}

void COrvaneUSBDevice::SetDeviceIndex(int d) {
    core_.SetDeviceIndex(d);
    if (CBasicProfiledata* profile = Profile()) profile->SetSectionIndex(0);
}

void COrvaneUSBDevice::SetLightState(LightState state) {
    lightState_.Store(state);
    if (CBasicProfiledata* profile = Profile()) profile->WriteLightState(state);
    WakeLightThread();
}

void COrvaneUSBDevice::WriteProfileToDevice(ProfileWrite) {
    // The page shows the loaded profile; what each kind writes to its
    // hardware, and in which order, comes with that kind's protocol.
    RefreshControls();
}

// ---- channels and threads ----

bool COrvaneUSBDevice::OpenCommand(const DeviceInterfaceSlot& slot) {
    const bool opened = core_.ConnectCommand(slot);
    WakeLightThread();
    return opened;
}

void COrvaneUSBDevice::CloseCommand() {
    core_.DisconnectCommand();
}

void COrvaneUSBDevice::OpenNotifications(const std::string& path) {
    core_.OpenNotifications(path);
}

void COrvaneUSBDevice::CloseNotifications() {
    core_.CloseNotifications();
}

void COrvaneUSBDevice::StartLightThread() {
    lightThread_.StopAndWait();
    lightTicker_ = CLightTicker(LightTicks(), CLightTicker::Clock::now());
    lightThread_.Start(
        [this](CWorkerThread& self) {
            // While the device is away or the synchronised lighting drives
            // it, the light thread renders nothing.
            CHidCommandChannel& channel = core_.Command();
            self.WaitUntil(RunLightPass(lightTicker_, *this, channel.IsOpen(), channel.IsSyncLighting(),
                                        CLightTicker::Clock::now()));
            return true;
        },
        LightThreadExitTrace());
}

void COrvaneUSBDevice::StopLightThread() {
    lightThread_.Stop();
}

void COrvaneUSBDevice::StopWorkers() {
    core_.CloseNotifications();
    // The thread renders through this object's kind: it has ended before
    // anything of the object goes, even when it overran its budget.
    lightThread_.StopAndWait();
}

void COrvaneUSBDevice::OnNotification(const NotificationEvent& e) {
    // The reader thread: the UI is reached only through the strip item's timer.
    switch (e.kind) {
        case NotificationEvent::Kind::kSyncRequest:
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (deviceOption_)
                        deviceOption_->ArmTimer(CDeviceOptionUI::kTimerSyncRequest, SyncRequestDelayMs());
                },
                Qt::QueuedConnection);
            break;
        case NotificationEvent::Kind::kKeyDown:
            OnKeyNotification(e.keySlot, true);
            break;
        case NotificationEvent::Kind::kKeyUp:
            OnKeyNotification(e.keySlot, false);
            break;
    }
}

// Only the keyboard's light preview reacts to keys.
void COrvaneUSBDevice::OnKeyNotification(int, bool) {}

}  // namespace r88
