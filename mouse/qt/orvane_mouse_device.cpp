#include "mouse/qt/orvane_mouse_device.h"

#include "lighting/light_effect_tables.h"

namespace r88 {

COrvaneMouseDevice::COrvaneMouseDevice(QWidget* parent) : COrvaneUSBDevice(parent) {
    SetLightKind(&kMouseLightKind);
}

COrvaneMouseDevice::~COrvaneMouseDevice() {
    StopWorkers();
}

void COrvaneMouseDevice::ReadAllFromDevice() {
    // The reads of the settings memory come with the mouse protocol.
    LoadProfile();
    StartLightThread();
}

}  // namespace r88
