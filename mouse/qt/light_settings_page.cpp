#include "mouse/qt/light_settings_page.h"

#include <QScreen>

namespace r88 {

void ReadDeviceLightSettings(COrvaneUSBDevice& device, CLightSettingsProtocol& settings) {
    device.CommandChannel().SetSyncLighting(false);
    if (settings.ReadSettings() != kResultOk) return;
    if (IMessageSink* sink = device.MessageSink())
        sink->SendMessage(kMsgActiveProfile, settings.ActiveProfile(), reinterpret_cast<intptr_t>(&device));
}

int WriteDeviceLightSettings(COrvaneUSBDevice& device, CLightSettingsProtocol& settings, int profile) {
    CBasicProfiledata* data = device.Profile();
    const std::uint8_t effect = data != nullptr ? data->ReadLightState().effect : 0;
    return settings.WriteSettings(profile, effect);
}

void WriteLoadedProfile(COrvaneUSBDevice& device, ProfileWrite occasion) {
    device.RefreshControls();
    if (occasion == ProfileWrite::kDefaults) device.WriteProfileKeyAssignments(0);
    QSize screen;
    if (const QScreen* s = device.screen()) screen = s->geometry().size();
    device.WriteSettings(0, 0, 1, screen.width(), screen.height());
}

}  // namespace r88
