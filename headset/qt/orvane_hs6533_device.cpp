#include "headset/qt/orvane_hs6533_device.h"

#include <algorithm>
#include <array>

#include "headset/headset_light_reports.h"
#include "lighting/light_effect_tables.h"
#include "mouse/qt/light_settings_page.h"

namespace r88 {

COrvaneHS6533Device::COrvaneHS6533Device(QWidget* parent) : COrvaneUSBDevice(parent) {
    SetLightKind(&kHeadsetLightKind);
}

COrvaneHS6533Device::~COrvaneHS6533Device() {
    StopWorkers();
}

void COrvaneHS6533Device::SendLightFrame() {
    if (!SoftwareLighting()) return;
    ShowFrameOnPicture();
    if (!IsCommandOpen()) return;
    std::array<std::uint32_t, kHeadsetLedCount> leds{};
    for (std::size_t i = 0; i < leds.size(); ++i) leds[i] = GetLedValue(static_cast<int>(i));
    const HeadsetLightReports reports = BuildHeadsetLightReports(leds);
    std::array<std::uint8_t, kHeadsetLightReportCount * kHeadsetLightReportSize> batch{};
    for (std::size_t r = 0; r < reports.size(); ++r)
        std::copy(reports[r].begin(), reports[r].end(), batch.begin() + r * kHeadsetLightReportSize);
    // Twelve output reports take a full-speed headset longer than a frame
    // lasts: they go out on the connection's own thread, and a frame the
    // headset cannot take yet is dropped whole for the next one.
    CommandChannel().Hid().SubmitOutputReports(batch, kHeadsetLightReportSize);
}

// ---- the headset's HID settings ----

void COrvaneHS6533Device::ReadAllFromDevice() {
    LoadProfile();
    RefreshControls();
    StartLightThread();
}

void COrvaneHS6533Device::ReadSettingsFromDevice() {
    ReadDeviceLightSettings(*this, settings_);
}

int COrvaneHS6533Device::LoadProfile() {
    const int loaded = COrvaneUSBDevice::LoadProfile();
    if (loaded != 0) ReadHeadsetSections();
    return loaded;
}

bool COrvaneHS6533Device::RestoreDefaults() {
    if (!RestoreFactorySection()) return false;
    ApplyLighting();
    ReadHeadsetSections();  // before the panels show them
    SaveProfile();
    RefreshControls();
    return true;
}

void COrvaneHS6533Device::ReadHeadsetSections() {
    system_ = profile_.ReadHeadsetSystem();
    const int eqType = system_.values[HeadsetSystemSettings::kEqType];
    eqBands_ = eqType == kCustomEqType
                   ? profile_.ReadCustomEqBands(system_.values[HeadsetSystemSettings::kCustomEqSeletIndex])
                   : profile_.ReadEqBands(eqType);
    customEqNames_ = profile_.ReadCustomEqNames();
}

int COrvaneHS6533Device::ApplyLighting() {
    const int result = COrvaneUSBDevice::ApplyLighting();
    settings_.ApplyLightState(GetLightState());
    return result;
}

int COrvaneHS6533Device::WriteSettings(int profile, int, int, int, int) {
    return WriteDeviceLightSettings(*this, settings_, profile);
}

void COrvaneHS6533Device::WriteProfileToDevice(ProfileWrite occasion) {
    WriteLoadedProfile(*this, occasion);
}

}  // namespace r88
