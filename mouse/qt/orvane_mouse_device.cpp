#include "mouse/qt/orvane_mouse_device.h"

namespace r88 {

COrvaneMouseDevice::COrvaneMouseDevice(QWidget* parent) : COrvaneUSBDevice(parent) {}

COrvaneMouseDevice::~COrvaneMouseDevice() {
    StopWorkers();
}

void COrvaneMouseDevice::ReadAllFromDevice() {
    // The reads of the settings memory come with the mouse protocol.
    LoadProfile();
    StartLightThread();
}

}  // namespace r88
