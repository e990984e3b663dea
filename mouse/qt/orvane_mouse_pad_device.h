#pragma once
#include "device/qt/orvane_usb_device.h"

namespace r88 {

// The mouse pad's page.
class COrvaneMousePadDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneMousePadDevice(QWidget* parent = nullptr) : COrvaneUSBDevice(parent) {}
};

}  // namespace r88
