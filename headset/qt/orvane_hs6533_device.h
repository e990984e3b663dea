#pragma once
// The headset's page and device object: 13 LEDs on its picture, no keys. The
// headset takes its light frames as output reports of its own, so the base's
// light stream is not used.
#include <string>
#include <vector>

#include "device/qt/orvane_usb_device.h"
#include "mouse/light_settings_protocol.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneHS6533Device : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneHS6533Device(QWidget* parent = nullptr);
    ~COrvaneHS6533Device() override;

    CBasicProfiledata* Profile() override { return &profile_; }
    CHs6533Profiledata& HeadsetProfile() { return profile_; }

    void SendLightFrame() override;
    void LightMarkedTrail() override { Core().LightMarkedTrail(true); }

    // ---- the headset's HID settings ----
    // First contact: the current profile, the page and the light thread.
    void ReadAllFromDevice() override;
    // The headset asked for a re-read: its settings image, then its active profile to the window.
    void ReadSettingsFromDevice() override;
    // The document's lighting, then the headset's own sections.
    int LoadProfile() override;
    bool RestoreDefaults() override;
    // The light state as the base applies it, copied into the settings image.
    int ApplyLighting() override;
    // The settings image for profile p (the other arguments are not used).
    int WriteSettings(int profile, int active, int flag, int width, int height) override;
    void WriteProfileToDevice(ProfileWrite occasion) override;
    const CLightSettingsProtocol& Settings() const { return settings_; }
    // The headset sections of the loaded profile, for the voice and EQ panels.
    const HeadsetSystemSettings& SystemSettings() const { return system_; }
    const std::vector<int>& EqBands() const { return eqBands_; }
    const std::vector<std::string>& CustomEqNames() const { return customEqNames_; }

protected:
    // Its effects count a tick per millisecond.
    LightTickStyle LightTicks() const override { return LightTickStyle::kSleep; }

private:
    void ReadHeadsetSections();

    CHs6533Profiledata profile_;
    CLightSettingsProtocol settings_{CommandChannel()};
    HeadsetSystemSettings system_;
    std::vector<int> eqBands_;
    std::vector<std::string> customEqNames_;
};

}  // namespace r88
