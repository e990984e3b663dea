#include "headset/qt/orvane_hs6533_device.h"

#include "lighting/light_effect_tables.h"

namespace r88 {

COrvaneHS6533Device::COrvaneHS6533Device(QWidget* parent) : COrvaneUSBDevice(parent) {
    SetLightKind(&kHeadsetLightKind);
}

COrvaneHS6533Device::~COrvaneHS6533Device() {
    StopWorkers();
}

void COrvaneHS6533Device::ReadAllFromDevice() {
    // The sound-chip settings and the headset's light reports come with the
    // headset's own binding.
    LoadProfile();
    StartLightThread();
}

void COrvaneHS6533Device::SendLightFrame() {
    // The frame reaches the headset through its light output reports, which
    // come with the headset binding; the picture follows here.
    if (SoftwareLighting()) ShowFrameOnPicture();
}

}  // namespace r88
