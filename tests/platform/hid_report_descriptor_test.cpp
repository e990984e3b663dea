#include "platform/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "sim/report_descriptors.h"

namespace r88 {
namespace {

using Bytes = std::vector<uint8_t>;

HidReportDescriptor ParseOk(std::span<const uint8_t> bytes) {
    HidReportDescriptor d;
    const HidParseError e = ParseHidReportDescriptor(bytes, d);
    EXPECT_EQ(e, HidParseError::kNone) << HidParseErrorText(e);
    return d;
}

// A media remote as sold: consumer control, report 1, one 16-bit usage 0..0x23C.
const Bytes kConsumerRemote = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x19, 0x00, 0x2A, 0x3C, 0x02,
                               0x15, 0x00, 0x26, 0x3C, 0x02, 0x95, 0x01, 0x75, 0x10, 0x81, 0x00, 0xC0};

TEST(HidReportDescriptor, BootKeyboardGivesModifierBitsKeyArrayAndLeds) {
    const HidReportDescriptor d = ParseOk(sim::BootKeyboardDescriptor());
    ASSERT_EQ(d.collections.size(), 1u);
    EXPECT_FALSE(d.usesReportIds);
    const HidCollection& c = d.collections[0];
    EXPECT_EQ(c.usagePage, 0x01);
    EXPECT_EQ(c.usage, 0x06);
    EXPECT_EQ(c.Kind(HidReportKind::kInput).reportByteLength, 9);  // id byte + 8
    EXPECT_EQ(c.Kind(HidReportKind::kOutput).reportByteLength, 2);
    EXPECT_EQ(c.Kind(HidReportKind::kFeature).reportByteLength, 0);
    ASSERT_EQ(c.Kind(HidReportKind::kInput).buttonCaps.size(), 2u);
    EXPECT_TRUE(c.Kind(HidReportKind::kInput).valueCaps.empty());
    EXPECT_EQ(HidMaxUsageListLength(c, HidReportKind::kInput, 0x07), 8u + 6u);

    // Left shift held, A and B pressed.
    const Bytes report = {0x00, 0x02, 0x00, 0x04, 0x05, 0x00, 0x00, 0x00, 0x00};
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x07, report, 14, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{0xE1, 0x04, 0x05}));
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x07, report, 2, usages), kHidStatusBufferTooSmall);
    EXPECT_EQ(usages.size(), 2u);
    // A report shorter than the fields is refused, not read past.
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x07, std::span(report).first(4), 14, usages),
              kHidStatusInvalidReportLength);
}

TEST(HidReportDescriptor, ConsumerControlArrayMapsValuesToUsages) {
    const HidReportDescriptor d = ParseOk(kConsumerRemote);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidCollection& c = d.collections[0];
    EXPECT_EQ(c.reportIds, (std::vector<uint8_t>{1}));
    EXPECT_EQ(c.Kind(HidReportKind::kInput).reportByteLength, 3);
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x0C, Bytes{0x01, 0xE9, 0x00}, 1, usages),
              kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{0xE9}));  // volume up
    // Usage 0 is "nothing pressed"; a value past the logical maximum is no usage.
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x0C, Bytes{0x01, 0x00, 0x00}, 1, usages),
              kHidStatusSuccess);
    EXPECT_TRUE(usages.empty());
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x0C, Bytes{0x01, 0x3D, 0x02}, 1, usages),
              kHidStatusSuccess);
    EXPECT_TRUE(usages.empty());
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x0C, Bytes{0x02, 0xE9, 0x00}, 1, usages),
              kHidStatusIncompatibleReportId);
}

TEST(HidReportDescriptor, GamingKeyboardHasFourCollectionsWithTheirOwnReports) {
    const HidReportDescriptor d = ParseOk(sim::GamingInterfaceDescriptor());
    ASSERT_EQ(d.collections.size(), 4u);
    EXPECT_TRUE(d.usesReportIds);
    struct Expect {
        uint16_t page, usage;
        uint8_t id;
        uint16_t in, out;
    };
    const Expect expect[] = {
        {0x01, 0x06, 1, 17, 0}, {0x01, 0x80, 2, 2, 0}, {0x0C, 0x01, 3, 3, 0}, {0xFF1C, 0x92, 4, 64, 64}};
    for (size_t i = 0; i < 4; ++i) {
        const HidCollection& c = d.collections[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(c.usagePage, expect[i].page);
        EXPECT_EQ(c.usage, expect[i].usage);
        EXPECT_EQ(c.reportIds, (std::vector<uint8_t>{expect[i].id}));
        EXPECT_EQ(c.Kind(HidReportKind::kInput).reportByteLength, expect[i].in);
        EXPECT_EQ(c.Kind(HidReportKind::kOutput).reportByteLength, expect[i].out);
    }
    // The vendor collection's 63 data bytes are one value capability of 63 fields.
    const auto& vendorIn = d.collections[3].Kind(HidReportKind::kInput).valueCaps;
    ASSERT_EQ(vendorIn.size(), 1u);
    EXPECT_EQ(vendorIn[0].reportCount, 63);
    EXPECT_EQ(vendorIn[0].bitOffset, 8u);
}

TEST(HidReportDescriptor, MouseButtonsAndSignedAxes) {
    const HidReportDescriptor d = ParseOk(sim::BootMouseDescriptor());
    ASSERT_EQ(d.collections.size(), 1u);  // the nested physical collection is not top-level
    const HidCollection& c = d.collections[0];
    EXPECT_EQ(c.Kind(HidReportKind::kInput).reportByteLength, 7);
    EXPECT_EQ(c.Kind(HidReportKind::kInput).valueCaps.size(), 3u);
    // Buttons 1 and 3, X = -5, Y = 300, wheel = -1.
    const Bytes report = {0x00, 0x05, 0xFB, 0xFF, 0x2C, 0x01, 0xFF};
    std::vector<uint16_t> buttons;
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x09, report, 5, buttons), kHidStatusSuccess);
    EXPECT_EQ(buttons, (std::vector<uint16_t>{1, 3}));
    uint32_t raw = 0;
    int32_t scaled = 0;
    EXPECT_EQ(GetHidUsageValue(c, HidReportKind::kInput, 0x01, 0x30, report, raw), kHidStatusSuccess);
    EXPECT_EQ(raw, 0xFFFBu);
    EXPECT_EQ(GetHidScaledUsageValue(c, HidReportKind::kInput, 0x01, 0x30, report, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, -5);
    EXPECT_EQ(GetHidScaledUsageValue(c, HidReportKind::kInput, 0x01, 0x31, report, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, 300);
    EXPECT_EQ(GetHidScaledUsageValue(c, HidReportKind::kInput, 0x01, 0x38, report, scaled),
              kHidStatusSuccess);
    EXPECT_EQ(scaled, -1);
    EXPECT_EQ(GetHidUsageValue(c, HidReportKind::kInput, 0x01, 0x32, report, raw), kHidStatusUsageNotFound);
}

TEST(HidReportDescriptor, MalformedDescriptorsAreRefusedWhole) {
    const Bytes top = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01};
    auto with = [&](Bytes middle, Bytes tail = {0xC0}) {
        Bytes b = top;
        b.insert(b.end(), middle.begin(), middle.end());
        b.insert(b.end(), tail.begin(), tail.end());
        return b;
    };
    struct Case {
        const char* name;
        Bytes bytes;
        HidParseError error;
    };
    const Case cases[] = {
        {"empty", {}, HidParseError::kEmpty},
        {"item cut short", {0x05, 0x01, 0x26, 0xFF}, HidParseError::kTruncatedItem},
        {"long item cut short", {0xFE, 0x10, 0x00, 0x01}, HidParseError::kTruncatedItem},
        {"end without collection", {0xC0}, HidParseError::kUnbalancedCollection},
        {"collection never ended", with({}, {}), HidParseError::kUnbalancedCollection},
        {"field outside a collection",
         {0x75, 0x08, 0x95, 0x01, 0x81, 0x02},
         HidParseError::kMainItemOutsideCollection},
        {"absurd report size", with({0x77, 0xFF, 0xFF, 0xFF, 0x7F, 0x95, 0x01, 0x81, 0x02}),
         HidParseError::kBadReportSize},
        {"absurd report count", with({0x75, 0x01, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02}),
         HidParseError::kBadReportCount},
        {"report too long", with({0x75, 0x20, 0x96, 0x00, 0x10, 0x81, 0x02}), HidParseError::kReportTooLong},
        {"report id 0", with({0x85, 0x00}), HidParseError::kBadReportId},
        {"pop without push", with({0xB4}), HidParseError::kBadGlobalStack},
        {"usage range upside down", with({0x19, 0x10, 0x29, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02}),
         HidParseError::kBadUsageRange},
        {"no collection", {0x05, 0x01, 0x09, 0x06}, HidParseError::kNoCollection},
        {"numbered and unnumbered", with({0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x01, 0x81, 0x02}),
         HidParseError::kMixedReportIds},
        {"report id in two collections",
         {0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x01,
          0x81, 0x02, 0xC0, 0x09, 0x02, 0xA1, 0x01, 0x81, 0x02, 0xC0},
         HidParseError::kReportIdShared},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HidReportDescriptor d;
        d.collections.resize(1);
        EXPECT_EQ(ParseHidReportDescriptor(c.bytes, d), c.error);
        EXPECT_TRUE(d.collections.empty());
    }
    Bytes deep;
    for (int i = 0; i < 40; ++i) deep.insert(deep.end(), {0xA1, 0x00});
    HidReportDescriptor d;
    EXPECT_EQ(ParseHidReportDescriptor(deep, d), HidParseError::kUnbalancedCollection);
    Bytes pushes(20, 0xA4);
    EXPECT_EQ(ParseHidReportDescriptor(pushes, d), HidParseError::kBadGlobalStack);
    EXPECT_EQ(ParseHidReportDescriptor(Bytes(kHidMaxDescriptorSize + 1, 0x00), d), HidParseError::kTooLong);
}

// Every prefix and many corrupted copies of real descriptors: each parses
// cleanly or is refused, and whatever parses can be read with any report
// without touching memory outside it (the sanitizer build checks that).
TEST(HidReportDescriptor, CutAndCorruptedDescriptorsNeverReadOutOfBounds) {
    const std::vector<Bytes> real = {
        Bytes(sim::BootKeyboardDescriptor().begin(), sim::BootKeyboardDescriptor().end()),
        Bytes(sim::GamingInterfaceDescriptor().begin(), sim::GamingInterfaceDescriptor().end()),
        Bytes(sim::BootMouseDescriptor().begin(), sim::BootMouseDescriptor().end()),
        Bytes(sim::HeadsetDescriptor().begin(), sim::HeadsetDescriptor().end()), kConsumerRemote};
    std::mt19937 random(88);
    auto exercise = [&](const Bytes& bytes) {
        HidReportDescriptor d;
        if (ParseHidReportDescriptor(bytes, d) != HidParseError::kNone) return;
        for (const HidCollection& c : d.collections) {
            for (size_t k = 0; k < kHidReportKinds; ++k) {
                const auto kind = static_cast<HidReportKind>(k);
                const auto& info = c.Kind(kind);
                Bytes report(random() % (info.reportByteLength + 2));
                for (uint8_t& b : report) b = static_cast<uint8_t>(random());
                if (!report.empty() && !c.reportIds.empty())
                    report[0] = c.reportIds[random() % c.reportIds.size()];
                std::vector<uint16_t> usages;
                for (const HidCapability& cap : info.buttonCaps)
                    GetHidUsages(c, kind, cap.usagePage, report,
                                 HidMaxUsageListLength(c, kind, cap.usagePage), usages);
                for (const HidCapability& cap : info.valueCaps) {
                    uint32_t raw = 0;
                    int32_t scaled = 0;
                    GetHidUsageValue(c, kind, cap.usagePage, cap.usageMax, report, raw);
                    GetHidScaledUsageValue(c, kind, cap.usagePage, cap.usageMin, report, scaled);
                }
            }
        }
    };
    for (const Bytes& bytes : real) {
        for (size_t n = 0; n <= bytes.size(); ++n) exercise(Bytes(bytes.begin(), bytes.begin() + n));
        for (int round = 0; round < 300; ++round) {
            Bytes corrupt = bytes;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int f = 0; f < flips; ++f)
                corrupt[random() % corrupt.size()] = static_cast<uint8_t>(random());
            exercise(corrupt);
        }
    }
}

}  // namespace
}  // namespace r88
