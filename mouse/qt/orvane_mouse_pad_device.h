#pragma once
// The mouse pad's page and device object: 15 LEDs around its picture, no keys.
#include "device/qt/orvane_usb_device.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneMousePadDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneMousePadDevice(QWidget* parent = nullptr);
    ~COrvaneMousePadDevice() override;

    CBasicProfiledata* Profile() override { return &profile_; }

    void ReadAllFromDevice() override;
    // The pad marks element i + 1 by ring position i + 1 for every LED.
    void LightMarkedTrail() override { Core().LightMarkedTrail(true); }

protected:
    // Its effects count a tick per millisecond.
    LightTickStyle LightTicks() const override { return LightTickStyle::kSleep; }

private:
    CBasicProfiledata profile_;
};

}  // namespace r88
