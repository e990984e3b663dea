#pragma once
// The mouse pad's page and device object: 15 LEDs around its picture, no keys.
#include "device/qt/orvane_usb_device.h"
#include "mouse/light_settings_protocol.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneMousePadDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneMousePadDevice(QWidget* parent = nullptr);
    ~COrvaneMousePadDevice() override;

    CBasicProfiledata* Profile() override { return &profile_; }

    // ---- the pad's settings ----
    // First contact: the information block (when the pad is there), then
    // the current profile, the page and the light thread.
    void ReadAllFromDevice() override;
    // The pad asked for a re-read: its settings image, then its active profile to the window.
    void ReadSettingsFromDevice() override;
    // The light state as the base applies it, copied into the settings image.
    int ApplyLighting() override;
    // The settings image for profile p (the other arguments are not used).
    int WriteSettings(int profile, int active, int flag, int width, int height) override;
    void WriteProfileToDevice(ProfileWrite occasion) override;
    const CLightSettingsProtocol& Settings() const { return settings_; }

    // The pad marks element i + 1 by ring position i + 1 for every LED.
    void LightMarkedTrail() override { Core().LightMarkedTrail(true); }

protected:
    // Its effects count a tick per millisecond.
    LightTickStyle LightTicks() const override { return LightTickStyle::kSleep; }

private:
    CBasicProfiledata profile_;
    CLightSettingsProtocol settings_{CommandChannel()};
};

}  // namespace r88
