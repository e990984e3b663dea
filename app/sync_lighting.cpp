#include "app/sync_lighting.h"

#include "app/device_manager.h"
#include "app/device_option_ui.h"
#include "device/qt/orvane_usb_device.h"

namespace r88 {

namespace {
constexpr char kExitTrace[] = "同步灯光线程设定退出";
// The order the kinds take the effect in.
constexpr int kKindOrder[] = {kDeviceKeyboard, kDeviceMouse, kDeviceMousePad, kDeviceHeadset};

bool SameKind(int listType, int rowType) {
    if (listType == kDeviceMouse) return rowType == kDeviceMouse || rowType == kDeviceMouseReceiver;
    return rowType == listType;
}
}  // namespace

CSyncLighting::CSyncLighting(CDeviceManager& devices) : devices_(devices) {}

CSyncLighting::~CSyncLighting() {
    worker_.StopAndWait();
}

void CSyncLighting::Start() {
    worker_.StopAndWait();
    members_.clear();
    for (int type : kKindOrder) {
        for (const CDeviceManager::Page& p : devices_.Pages()) {
            if (!p.device) continue;
            const int rowType = kDeviceDescriptions[static_cast<std::size_t>(p.row)].type;
            if (SameKind(type, rowType)) members_.push_back({p.device.data(), rowType});
        }
    }
    engine_.Rebase(CSyncLightEngine::Clock::now());
    worker_.Start(
        [this](CWorkerThread& self) {
            RunUnit(self);
            return true;
        },
        kExitTrace);
}

WorkerStopResult CSyncLighting::Stop() {
    return worker_.Stop();
}

CommonLightParams CSyncLighting::Params() const {
    std::lock_guard lock(paramsMutex_);
    return params_;
}

bool CSyncLighting::AnyTakingPart() const {
    for (const Member& m : members_) {
        CHidCommandChannel& channel = m.device->CommandChannel();
        if (channel.IsOpen() && channel.IsSyncLighting()) return true;
    }
    return false;
}

void CSyncLighting::RunUnit(CWorkerThread& self) {
    const auto now = CSyncLightEngine::Clock::now();
    if (!AnyTakingPart()) {
        engine_.Rebase(now);
        self.WaitUntil(now + kIdleWait);
        return;
    }
    const CommonLightParams p = Params();
    if (const auto out = engine_.Advance(p, now))
        SetAllSyncedLeds(out->colour.red, out->colour.green, out->colour.blue, out->alpha);
    self.WaitUntil(engine_.NextDue(p, now));
}

void CSyncLighting::SetAllSyncedLeds(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                     std::uint8_t alpha) {
    const std::uint32_t value = red | (green << 8) | (blue << 16) | (static_cast<std::uint32_t>(alpha) << 24);
    for (const Member& m : members_) {
        if (!m.device->CommandChannel().IsSyncLighting()) continue;
        const int count = m.device->GetLightCount();
        for (int i = 0; i < count; ++i) m.device->SetLedValue(i, value);
    }
}

bool CSyncLighting::SynchroniseLighting(QSize screen) {
    COrvaneUSBDevice* selected = devices_.SelectedDevice();
    if (selected == nullptr) return false;
    const LightState state = selected->GetLightState();
    const std::optional<CommonLightKind> kind = CommonKindOf(selected->GetType(), state.effect);
    if (!kind) return false;
    {
        std::lock_guard lock(paramsMutex_);
        params_ = CommonLightParams::From(*kind, state);
    }
    for (const Member& m : members_) {
        const std::optional<std::uint8_t> id = EffectIdOf(m.type, *kind);
        if (!id || !m.device->IsCommandOpen()) continue;
        LightState own = state;
        own.effect = *id;
        // The bytes a kind keeps for itself stay that device's.
        const LightState before = m.device->GetLightState();
        own.spare16 = before.spare16;
        own.spare8 = before.spare8;
        m.device->CommandChannel().SetSyncLighting(true);
        m.device->SetLightState(own);
        m.device->SaveProfile();
        m.device->ApplyLighting();
        m.device->WriteSettings(0, 0, 1, screen.width(), screen.height());
        if (CDeviceOptionUI* item = m.device->GetDeviceOption()) item->SetSynchroMark(true);
    }
    Wake();
    return true;
}

}  // namespace r88
