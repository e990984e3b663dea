#pragma once
// The headset takes its light frame as twelve 17-byte output reports, not as
// a light stream: for each colour channel (red, green, blue) the values of
// LEDs 0-6 and 7-12, once for zone 0x22 and once for zone 0x44.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace r88 {

inline constexpr std::size_t kHeadsetLedCount = 13;
inline constexpr std::size_t kHeadsetLightReportSize = 17;
inline constexpr std::size_t kHeadsetLightReportCount = 12;
inline constexpr std::uint8_t kHeadsetLightReportId = 0xFF;
// The headset's LEDs do not take values above this.
inline constexpr std::uint8_t kHeadsetChannelLimit = 247;

using HeadsetLightReport = std::array<std::uint8_t, kHeadsetLightReportSize>;
using HeadsetLightReports = std::array<HeadsetLightReport, kHeadsetLightReportCount>;

// The reports of one frame, in the order they are sent. `ledFrame` holds the
// LED values as the LED frame packs them (red, green, blue, alpha from the
// low byte up); each channel is sent as colour × alpha / 256, at most 247.
// LEDs missing from a shorter frame are sent dark.
HeadsetLightReports BuildHeadsetLightReports(std::span<const std::uint32_t> ledFrame);

}  // namespace r88
