#include "headset/headset_light_reports.h"

#include <algorithm>

#include "lighting/light_tables.h"

namespace r88 {

namespace {
constexpr std::array<std::uint8_t, 2> kZones = {0x22, 0x44};
// Registers of LEDs 0-6 and of LEDs 7-12, per channel red, green, blue.
constexpr std::array<std::array<std::uint8_t, 2>, 3> kRegisters = {{{0xAA, 0xAD}, {0xAB, 0xAE}, {0xAC, 0xAF}}};
constexpr std::size_t kLedsPerReport = 7;
constexpr std::size_t kFirstValue = 4;

std::uint8_t ChannelValue(std::span<const std::uint32_t> ledFrame, std::size_t led, std::size_t channel) {
    if (led >= ledFrame.size() || led >= kHeadsetLedCount) return 0;
    const std::uint32_t v = ledFrame[led];
    const auto colour = static_cast<std::uint8_t>(v >> (8 * channel));
    const auto alpha = static_cast<std::uint8_t>(v >> 24);
    return std::min(ScaleByAlpha(colour, alpha), kHeadsetChannelLimit);
}
}  // namespace

HeadsetLightReports BuildHeadsetLightReports(std::span<const std::uint32_t> ledFrame) {
    HeadsetLightReports reports{};
    std::size_t next = 0;
    for (std::size_t channel = 0; channel < kRegisters.size(); ++channel) {
        for (const std::uint8_t zone : kZones) {
            for (std::size_t half = 0; half < 2; ++half) {
                HeadsetLightReport& report = reports[next++];
                report[0] = kHeadsetLightReportId;
                report[1] = zone;
                report[2] = kRegisters[channel][half];
                const std::size_t first = half * kLedsPerReport;
                for (std::size_t k = 0; k < kLedsPerReport; ++k)
                    report[kFirstValue + k] = ChannelValue(ledFrame, first + k, channel);
            }
        }
    }
    return reports;
}

}  // namespace r88
