#include "profile/text_case.h"

#include <gtest/gtest.h>

#include <string>

namespace r88 {
namespace {

TEST(TextCase, NamesCompareWithoutCaseInEveryScript) {
    const struct {
        std::string a;
        std::string b;
        bool same;
    } cases[] = {
        {"Profile1", "PROFILE1", true},
        {"ÄBC", "äbc", true},                            // Latin-1
        {"Łódź", "ŁÓDŹ", true},                          // Latin Extended-A
        {"Профиль", "пРОФИЛЬ", true},                    // Cyrillic
        {"ΣΟΦΊΑ", "σοφία", true},                        // Greek, with tonos
        {"ΟΔΟΣ", "οδο\xCF\x82", true},                   // final sigma folds as sigma
        {"Ｇａｍｅ", "ｇＡＭＥ", true},                  // fullwidth forms
        {"\xE2\x84\xAA", "k", true},                     // KELVIN SIGN: 3 bytes against 1
        {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", true},  // Deseret, 4-byte sequences
        {"Mäuse", "Mause", false},
        {"abc", "abcd", false},
        {"", "", true},
        {"日本語", "日本語", true},  // no case at all
        {"日本語", "日本誤", false},
        // Bytes that are not UTF-8 equal only themselves, never each other.
        {"A\xFF", "a\xFF", true},
        {"A\xFF", "a\xFE", false},
        {"\xC3", "\xC3\xA4", false},              // cut sequence
        {"\xC1\x81", "A", false},                 // overlong "A"
        {"\xED\xA0\x80", "\xED\xA0\x81", false},  // surrogates are not characters
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SameNameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(SameNameIgnoringCase(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}

TEST(TextCase, FoldingMapsOneCodePointToOne) {
    EXPECT_EQ(FoldCase(U'A'), U'a');
    EXPECT_EQ(FoldCase(U'a'), U'a');
    EXPECT_EQ(FoldCase(U'Ā'), U'ā');  // every second code point of a run
    EXPECT_EQ(FoldCase(U'ā'), U'ā');
    EXPECT_EQ(FoldCase(U'ẞ'), U'ß');  // the simple folding, not "ss"
    EXPECT_EQ(FoldCase(U'Ꭰ'), U'Ꭰ');  // Cherokee folds to its capitals
    EXPECT_EQ(FoldCase(U'ꭰ'), U'Ꭰ');
    EXPECT_EQ(FoldCase(U'\U0001E900'), U'\U0001E922');  // Adlam, the last block with case
    EXPECT_EQ(FoldCase(0x10FFFF), char32_t{0x10FFFF});
    EXPECT_EQ(FoldCase(0x110041), char32_t{0x110041});  // past Unicode: unchanged
}

}  // namespace
}  // namespace r88
