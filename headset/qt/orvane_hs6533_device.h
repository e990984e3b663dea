#pragma once
#include "device/qt/orvane_usb_device.h"

namespace r88 {

// The headset's page.
class COrvaneHS6533Device : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneHS6533Device(QWidget* parent = nullptr) : COrvaneUSBDevice(parent) {}
};

}  // namespace r88
