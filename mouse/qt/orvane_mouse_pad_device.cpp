#include "mouse/qt/orvane_mouse_pad_device.h"

#include "lighting/light_effect_tables.h"

namespace r88 {

COrvaneMousePadDevice::COrvaneMousePadDevice(QWidget* parent) : COrvaneUSBDevice(parent) {
    SetLightKind(&kMousePadLightKind);
}

COrvaneMousePadDevice::~COrvaneMousePadDevice() {
    StopWorkers();
}

void COrvaneMousePadDevice::ReadAllFromDevice() {
    // The reads of the pad's settings come with the mouse pad protocol.
    LoadProfile();
    StartLightThread();
}

}  // namespace r88
