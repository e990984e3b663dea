#include "device/hid_path.h"

#include <gtest/gtest.h>

namespace r88 {
namespace {

TEST(HidPath, ParseFunctionsReadTheirTagsAsHexAnywhereAndInAnyCase) {
    struct Case {
        const char* path;
        uint16_t vid, pid, mi, col;
    };
    const Case cases[] = {
        {R"(\\?\hid#vid_320f&pid_502b&mi_01&col04#8&2f1c0e2&0&0003#{4d1e55b2-f16f-11cf-88cb-001111000030})",
         0x320F, 0x502B, 1, 4},
        {"/dev/hidraw3#vid_320f&pid_502b&mi_01&col04", 0x320F, 0x502B, 1, 4},
        {"/dev/hidraw3#VID_320F&PID_502B&MI_01&COL04", 0x320F, 0x502B, 1, 4},
        {"/dev/hidraw3#vid_0d8c&pid_01da", 0x0D8C, 0x01DA, 0, 0},  // no "&mi_", no "&col"
        {"/dev/hidraw0", 0, 0, 0, 0},
        {"vid_12345678&pid_0x1f&mi_zz&col", 0x5678, 0x1F, 0, 0},  // cut to 16 bits; "%x" takes "0x"
        {"pid_502b vid_320f", 0x320F, 0x502B, 0, 0},
        {"x&col1a&mi_03", 0, 0, 3, 0x1A},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ParseVendorId(c.path), c.vid);
        EXPECT_EQ(ParseProductId(c.path), c.pid);
        EXPECT_EQ(ParseInterfaceNumber(c.path), c.mi);
        EXPECT_EQ(ParseCollectionNumber(c.path), c.col);
    }
}

TEST(HidPath, OurPathsParseBackAndNameOneCollection) {
    const std::string multi = FormatHidPath("/dev/hidraw3", 0x320F, 0x502B, 1, 3, 4);
    EXPECT_EQ(multi, "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04");
    EXPECT_EQ(HidPathNode(multi), "/dev/hidraw3");
    EXPECT_EQ(HidPathCollectionIndex(multi, 4), 3u);
    EXPECT_EQ(HidPathCollectionIndex(multi, 3), std::nullopt);

    const std::string single = FormatHidPath("/sim/hid7", 0x0D8C, 0x01DA, 3, 0, 1);
    EXPECT_EQ(single, "/sim/hid7#vid_0d8c&pid_01da&mi_03");
    EXPECT_EQ(HidPathCollectionIndex(single, 1), 0u);
    EXPECT_EQ(HidPathCollectionIndex(single, 2), std::nullopt);  // several collections need "&col"

    EXPECT_EQ(FormatHidPath("/dev/hidraw9", 0x046D, 0xC52B, std::nullopt, 0, 1),
              "/dev/hidraw9#vid_046d&pid_c52b");
}

}  // namespace
}  // namespace r88
