#pragma once
#include "device/qt/orvane_usb_device.h"

namespace r88 {

// The keyboard's page.
class COrvaneKeyboardDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneKeyboardDevice(QWidget* parent = nullptr) : COrvaneUSBDevice(parent) {}
};

}  // namespace r88
