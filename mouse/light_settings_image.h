#pragma once
// The 21-byte settings image that the mouse pad and the headset keep for the
// active onboard profile: byte 0 the active profile, 1 effect, 2 brightness,
// 3 speed, 4 direction, 5 multicolour flag, 6-8 red, green, blue, 9-20 bytes
// the device keeps for itself (sent back as they were read).
//
// In memory byte 3 is the plain speed level; on the wire it travels as
// 4 - speed, both ways.
#include <array>
#include <cstddef>
#include <cstdint>

#include "profile/profile_records.h"

namespace r88 {

inline constexpr std::size_t kLightSettingsImageSize = 21;
// The settings memory is read in records of 25 bytes (the first 21 kept) and
// written in blocks of 64 bytes per profile.
inline constexpr std::size_t kLightSettingsReadStride = 25;
inline constexpr std::size_t kLightSettingsWriteStride = 64;
// Effect ids from this one on (the user light sequences) are not stored in
// the device; it is given effect 0 for them.
inline constexpr std::uint8_t kFirstHostOnlyEffect = 9;
inline constexpr std::uint8_t kSpeedLevels = 4;

using LightSettingsImage = std::array<std::uint8_t, kLightSettingsImageSize>;

namespace settings_byte {
inline constexpr std::size_t kActiveProfile = 0;
inline constexpr std::size_t kEffect = 1;
inline constexpr std::size_t kBrightness = 2;
inline constexpr std::size_t kSpeed = 3;
inline constexpr std::size_t kDirection = 4;
inline constexpr std::size_t kMultiColor = 5;
inline constexpr std::size_t kRed = 6;
inline constexpr std::size_t kGreen = 7;
inline constexpr std::size_t kBlue = 8;
}  // namespace settings_byte

// The image as the device sends it (speed as 4 - level) into the image as it is kept.
LightSettingsImage DecodeLightSettings(const std::uint8_t* received);

// The bytes to write for profile settings: the image with the profile's
// effect id (0 for ids the device does not keep) and the speed as 4 - level.
LightSettingsImage EncodeLightSettings(const LightSettingsImage& image, std::uint8_t profileEffect);

// Effect id, brightness, speed, multicolour flag and colour of a light state
// into image bytes 1, 2, 3, 5 and 6-8; the direction and the rest stay.
void CopyLightState(const LightState& state, LightSettingsImage& image);

}  // namespace r88
