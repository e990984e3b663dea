#include "keyboard/qt/orvane_keyboard_device.h"

namespace r88 {

COrvaneKeyboardDevice::COrvaneKeyboardDevice(QWidget* parent) : COrvaneUSBDevice(parent) {}

// The light thread and the notification reader use this object: they end first.
COrvaneKeyboardDevice::~COrvaneKeyboardDevice() {
    StopWorkers();
}

void COrvaneKeyboardDevice::ReadAllFromDevice() {
    // The reads of the device information, key table and settings come with
    // the keyboard protocol; the profile and the light thread start here.
    LoadProfile();
    StartLightThread();
}

void COrvaneKeyboardDevice::SendLightFrame() {
    // The keyboard lights itself from its settings; only the picture follows.
    if (SoftwareLighting()) ShowFrameOnPicture();
}

void COrvaneKeyboardDevice::OnKeyEvent(int keySlot, int action) {
    if (keySlot < 0 || (action != 1 && action != 2)) return;
    keyEvents_.fetch_add(1);
}

}  // namespace r88
