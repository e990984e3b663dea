#pragma once
// The headset's page and device object: 13 LEDs on its picture, no keys. The
// headset takes its light frames as output reports of its own, so the base's
// light stream is not used.
#include "device/qt/orvane_usb_device.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneHS6533Device : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneHS6533Device(QWidget* parent = nullptr);
    ~COrvaneHS6533Device() override;

    CBasicProfiledata* Profile() override { return &profile_; }
    CHs6533Profiledata& HeadsetProfile() { return profile_; }

    void ReadAllFromDevice() override;
    void SendLightFrame() override;
    void LightMarkedTrail() override { Core().LightMarkedTrail(true); }

protected:
    // Its effects count a tick per millisecond.
    LightTickStyle LightTicks() const override { return LightTickStyle::kSleep; }

private:
    CHs6533Profiledata profile_;
};

}  // namespace r88
