#pragma once
#include "device/qt/orvane_usb_device.h"

namespace r88 {

// The mouse's page.
class COrvaneMouseDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneMouseDevice(QWidget* parent = nullptr) : COrvaneUSBDevice(parent) {}
};

}  // namespace r88
