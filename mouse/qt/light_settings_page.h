#pragma once
// What the mouse pad's and the headset's pages do alike with the settings
// image they keep (mouse/light_settings_protocol.h): reading it when the
// device asks for it, writing it, and writing the current profile after a
// profile change.
#include "device/qt/orvane_usb_device.h"
#include "mouse/light_settings_protocol.h"
#include "profile/device_profile_list.h"

namespace r88 {

// The device's own light settings win over synchronised lighting; then the
// image is read and, when the read succeeded, the main window is sent
// kMsgActiveProfile with the device's active profile. A failed read sends
// nothing, so the profile the user chose stays selected.
void ReadDeviceLightSettings(COrvaneUSBDevice& device, CLightSettingsProtocol& settings);

// The image for profile p with the profile's effect id ("LightInfo").
int WriteDeviceLightSettings(COrvaneUSBDevice& device, CLightSettingsProtocol& settings, int profile);

// The profile list loaded a profile (selected, reset or restored): the page
// shows it and its settings go to profile 0 of the device; after restoring
// the defaults the key assignments go too.
void WriteLoadedProfile(COrvaneUSBDevice& device, ProfileWrite occasion);

}  // namespace r88
