#include "headset/headset_light_reports.h"

#include <gtest/gtest.h>

#include <vector>

namespace r88 {
namespace {

constexpr std::uint32_t Led(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    return r | (g << 8) | (b << 16) | (static_cast<std::uint32_t>(a) << 24);
}

TEST(HeadsetLightReports, TwelveReportsInZoneAndRegisterOrderWithScaledLimitedValues) {
    // LED i: red = i * 20, green full, blue i; alpha full except LED 12 at half.
    std::vector<std::uint32_t> frame;
    for (std::uint8_t i = 0; i < kHeadsetLedCount; ++i)
        frame.push_back(Led(static_cast<std::uint8_t>(i * 20), 255, i, i == 12 ? 128 : 255));
    const HeadsetLightReports reports = BuildHeadsetLightReports(frame);

    const std::uint8_t order[12][2] = {{0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD},
                                       {0x22, 0xAB}, {0x22, 0xAE}, {0x44, 0xAB}, {0x44, 0xAE},
                                       {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    for (std::size_t r = 0; r < reports.size(); ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(reports[r][0], 0xFF);
        EXPECT_EQ(reports[r][1], order[r][0]);
        EXPECT_EQ(reports[r][2], order[r][1]);
        EXPECT_EQ(reports[r][3], 0);
        for (std::size_t k = 11; k < kHeadsetLightReportSize; ++k) EXPECT_EQ(reports[r][k], 0);
    }
    // Red of LEDs 0-6: i * 20 * 255 / 256; the two zones carry the same values.
    EXPECT_EQ(reports[0][4], 0);
    EXPECT_EQ(reports[0][5], 19);
    EXPECT_EQ(reports[0][10], 119);
    EXPECT_EQ(reports[2], [&] {
        HeadsetLightReport same = reports[0];
        same[1] = 0x44;
        return same;
    }());
    // Red of LEDs 7-12 fills six values; the seventh stays 0. 240 at half alpha is 120.
    EXPECT_EQ(reports[1][4], 139);
    EXPECT_EQ(reports[1][9], 120);
    EXPECT_EQ(reports[1][10], 0);
    // Green 255 × 255 / 256 = 254 is sent as 247.
    for (std::size_t k = 4; k <= 10; ++k) EXPECT_EQ(reports[4][k], 247);
    EXPECT_EQ(reports[8][6], 1);  // blue of LED 2: 2 × 255 / 256
}

TEST(HeadsetLightReports, MissingLedsAndZeroAlphaAreDark) {
    const std::vector<std::uint32_t> frame = {Led(255, 255, 255, 0), Led(255, 0, 0, 255)};
    const HeadsetLightReports reports = BuildHeadsetLightReports(frame);
    EXPECT_EQ(reports[0][4], 0);
    EXPECT_EQ(reports[0][5], 247);
    for (std::size_t k = 6; k <= 10; ++k) EXPECT_EQ(reports[0][k], 0);
    for (std::size_t k = 4; k <= 10; ++k) EXPECT_EQ(reports[1][k], 0);
}

}  // namespace
}  // namespace r88
