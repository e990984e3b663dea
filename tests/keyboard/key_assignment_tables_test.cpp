// The code tables: the invariants capture, decoding and labels rely on.
#include "keyboard/key_assignment_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace r88 {
namespace {

TEST(KeyAssignmentTables, KeyTableRowsHaveTheShapeTheLookupsAssume) {
    std::set<std::pair<int, bool>> scanCodes;
    for (std::size_t r = 0; r <= kLastScanCodeRow; ++r) {
        const KeyTableRow& row = kKeyTable[r];
        EXPECT_EQ(row.code.type, 0x20) << r;
        if (r < kModifierRowCount) {
            EXPECT_EQ(row.code.param1, 1u << r) << r;
            EXPECT_EQ(row.code.param2, 0) << r;
        } else {
            EXPECT_EQ(row.code.param1, 0) << r;
            EXPECT_NE(row.code.param2, 0) << r;
        }
        EXPECT_NE(row.scanCode, 0) << r;
        // Capture takes the first match; a repeated scan code would hide a key.
        EXPECT_TRUE(scanCodes.insert({row.scanCode, row.extended}).second) << r;
    }
    EXPECT_STREQ(kKeyTable[129].textId, "wed_stop");
    EXPECT_STREQ(kKeyTable[139].textId, "keyboard_key_FN");
}

TEST(KeyAssignmentTables, MediaRowsAreTheKeyTablesConsumerControls) {
    // Typed twice; each media row must name a consumer control of the key table.
    for (const NamedCode& media : kMediaTable) {
        const int row = FindKeyRow(media.code);
        EXPECT_GE(row, 113) << media.textId;
        EXPECT_LE(row, 130) << media.textId;
    }
}

TEST(KeyAssignmentTables, ModifierOptionsPairRightHandRowsWithTheirLeftTwins) {
    for (std::size_t r = 0; r < kModifierRowCount; ++r) {
        const int option = ModifierOptionOfRow(r);
        EXPECT_EQ(option, static_cast<int>(r % 4) + 1) << r;
        EXPECT_EQ(ModifierOptionMask(option), kKeyTable[r % 4].code.param1) << r;
    }
    EXPECT_EQ(ModifierOptionMask(0), 0);
    EXPECT_EQ(ModifierOptionMask(-1), 0);
    EXPECT_EQ(ModifierOptionMask(5), 0);
}

TEST(KeyAssignmentTables, ScanCodeLookupTellsExtendedKeysApart) {
    struct Case {
        std::uint8_t scan;
        bool extended;
        int row;
    };
    const Case cases[] = {
        {0x1D, false, 0},                       // LCtrl
        {0x1D, true, 4},                        // RCtrl
        {0x1C, false, 44},                      // Enter
        {0x1C, true, 91},                       // Num Enter
        {0x35, true, 87},                       // Num /
        {0x35, false, 59},                      // /
        {0x73, false, 105}, {0x00, false, -1},  // the consumer rows carry no scan code
        {0x5B, false, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindKeyRowByScanCode(c.scan, c.extended), c.row) << int(c.scan) << " " << c.extended;
    }
}

}  // namespace
}  // namespace r88
