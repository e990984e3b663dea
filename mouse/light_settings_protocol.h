#pragma once
// The command sequences of the mouse pad and the headset on their command
// channel: both keep the same 21-byte settings image (light_settings_image.h)
// in the same settings memory layout. The pad also reads its information
// block on first contact. The device pages own one of these; r88ctl and the
// tests run the same object on a channel of their own.
#include <array>
#include <cstdint>

#include "device/hid_command_channel.h"
#include "mouse/light_settings_image.h"

namespace r88 {

class CLightSettingsProtocol {
public:
    explicit CLightSettingsProtocol(CHidCommandChannel& channel) : channel_(channel) {}

    // Begin, the 34-byte information block, end; nothing is sent on a closed
    // channel. The block is kept only when it was read whole.
    int ReadConnectionInfo();

    // The active profile P (1 byte at offset 0), then its record of 25 bytes
    // at P x 25, whose first 21 bytes become the image. The image before the
    // read is kept as the previous one. A read that fails leaves the image
    // and the active profile as they were. Returns the first result that is
    // not 1, or 1.
    int ReadSettings();

    // Begin, the image for profile `profile` (EncodeLightSettings) at
    // profile x 64, end. Nothing is sent on a closed channel or for a profile
    // whose block lies outside the settings memory's 16-bit offsets (0).
    // Returns the first result that is not 1, or 1.
    int WriteSettings(int profile, std::uint8_t profileEffect);

    // The light state into the image (CopyLightState); nothing is sent.
    void ApplyLightState(const LightState& state) { CopyLightState(state, image_); }

    const LightSettingsImage& Image() const { return image_; }
    const LightSettingsImage& PreviousImage() const { return previous_; }
    // The active profile the last successful read reported.
    std::uint8_t ActiveProfile() const { return activeProfile_; }
    const std::array<std::uint8_t, kInfoBlockSize>& Info() const { return info_; }

private:
    CHidCommandChannel& channel_;
    LightSettingsImage image_{};
    LightSettingsImage previous_{};
    std::uint8_t activeProfile_ = 0;
    std::array<std::uint8_t, kInfoBlockSize> info_{};
};

}  // namespace r88
