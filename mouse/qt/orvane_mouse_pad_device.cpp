#include "mouse/qt/orvane_mouse_pad_device.h"

#include "lighting/light_effect_tables.h"
#include "mouse/qt/light_settings_page.h"

namespace r88 {

COrvaneMousePadDevice::COrvaneMousePadDevice(QWidget* parent) : COrvaneUSBDevice(parent) {
    SetLightKind(&kMousePadLightKind);
}

COrvaneMousePadDevice::~COrvaneMousePadDevice() {
    StopWorkers();
}

// ---- the pad's settings ----

void COrvaneMousePadDevice::ReadAllFromDevice() {
    if (IsCommandOpen()) settings_.ReadConnectionInfo();
    LoadProfile();
    RefreshControls();
    StartLightThread();
}

void COrvaneMousePadDevice::ReadSettingsFromDevice() {
    ReadDeviceLightSettings(*this, settings_);
}

int COrvaneMousePadDevice::ApplyLighting() {
    const int result = COrvaneUSBDevice::ApplyLighting();
    settings_.ApplyLightState(GetLightState());
    return result;
}

int COrvaneMousePadDevice::WriteSettings(int profile, int, int, int, int) {
    return WriteDeviceLightSettings(*this, settings_, profile);
}

void COrvaneMousePadDevice::WriteProfileToDevice(ProfileWrite occasion) {
    WriteLoadedProfile(*this, occasion);
}

}  // namespace r88
