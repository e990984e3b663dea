#pragma once
// The mouse's page and device object: 8 buttons and 6 LEDs on its picture.
#include "device/qt/orvane_usb_device.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneMouseDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneMouseDevice(QWidget* parent = nullptr);
    ~COrvaneMouseDevice() override;

    CBasicProfiledata* Profile() override { return &profile_; }
    CMouseProfiledata& MouseProfile() { return profile_; }

    void ReadAllFromDevice() override;

    // The fourth number of the mouse's page row (the logo LED, -1 for none),
    // handed over by the page builder.
    void SetLogoLed(int led) { logoLed_ = led; }
    int GetLogoLed() const { return logoLed_; }

private:
    CMouseProfiledata profile_;
    int logoLed_ = -1;
};

}  // namespace r88
