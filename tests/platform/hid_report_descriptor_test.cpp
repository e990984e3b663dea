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
        // 65535 data bytes: with its id byte longer than a 16-bit report length can say.
        {"report too long", with({0x75, 0x08, 0x96, 0xFF, 0xFF, 0x81, 0x02}), HidParseError::kReportTooLong},
        {"report too long in two items",
         with({0x75, 0x08, 0x96, 0xFE, 0xFF, 0x81, 0x02, 0x75, 0x01, 0x95, 0x01, 0x81, 0x03}),
         HidParseError::kReportTooLong},
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

// Layouts of real pens, touch screens and vendor interfaces: data fields wider
// than 32 bits and reports past 4096 bytes are valid. A wide field takes its
// room in the report and gets no capability.
TEST(HidReportDescriptor, WideFieldsAndLongReportsAreKept) {
    // Pen, report 2: tip switch, 7 bits padding, 64-bit serial number, X.
    const Bytes pen = {0x05, 0x0D, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x02, 0x09, 0x20, 0xA1, 0x00,
                       0x09, 0x42, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02,
                       0x75, 0x07, 0x81, 0x03, 0x09, 0x5B, 0x17, 0x00, 0x00, 0x00, 0x00, 0x27,
                       0xFF, 0xFF, 0xFF, 0x7F, 0x75, 0x40, 0x81, 0x02, 0x05, 0x01, 0x09, 0x30,
                       0x15, 0x00, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x81, 0x02, 0xC0, 0xC0};
    // Vendor report 5: an 88-bit and a 104-bit field, then one byte.
    const Bytes vendorBlobs = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x05, 0x09,
                               0x01, 0x75, 0x58, 0x95, 0x01, 0x81, 0x02, 0x09, 0x02, 0x75,
                               0x68, 0x81, 0x02, 0x09, 0x03, 0x75, 0x08, 0x81, 0x02, 0xC0};
    // Touch screen vendor report 0x44 of 7486 bytes after its id.
    const Bytes touchVendor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x44, 0x09, 0x01, 0x15,
                               0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x96, 0x3E, 0x1D, 0x81, 0x02, 0xC0};
    // The longest report a 16-bit length can describe: 65534 bytes and the id byte.
    const Bytes longest = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00,
                           0x26, 0xFF, 0x00, 0x75, 0x08, 0x96, 0xFE, 0xFF, 0x81, 0x02, 0xC0};
    struct Case {
        const char* name;
        const Bytes& bytes;
        uint16_t inputLength;
        size_t buttonCaps, valueCaps;
        uint32_t lastValueOffset;  // bit offset of the last value capability
    };
    const Case cases[] = {
        {"pen with a 64-bit serial number", pen, 12, 1, 1, 80},
        {"88- and 104-bit vendor fields", vendorBlobs, 26, 0, 1, 200},
        {"7487-byte touch screen report", touchVendor, 7487, 0, 1, 8},
        {"65535-byte report", longest, 0xFFFF, 0, 1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HidReportDescriptor d = ParseOk(c.bytes);
        ASSERT_FALSE(d.collections.empty());
        const HidReportKindInfo& in = d.collections[0].Kind(HidReportKind::kInput);
        EXPECT_EQ(in.reportByteLength, c.inputLength);
        EXPECT_EQ(in.buttonCaps.size(), c.buttonCaps);
        ASSERT_EQ(in.valueCaps.size(), c.valueCaps);
        EXPECT_EQ(in.valueCaps.back().bitOffset, c.lastValueOffset);
        for (const HidCapability& cap : in.valueCaps) EXPECT_LE(cap.bitSize, 32);
    }
    EXPECT_EQ(ParseOk(touchVendor).collections[0].Kind(HidReportKind::kInput).valueCaps[0].reportCount,
              7486u);

    // The fields after the wide ones read from the right place.
    const HidCollection pc = ParseOk(pen).collections[0];
    Bytes report(12, 0xAA);
    report[0] = 0x02;
    report[1] = 0x01;  // tip down
    report[10] = 0x34;
    report[11] = 0x12;
    uint32_t x = 0;
    EXPECT_EQ(GetHidUsageValue(pc, HidReportKind::kInput, 0x01, 0x30, report, x), kHidStatusSuccess);
    EXPECT_EQ(x, 0x1234u);
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetHidUsages(pc, HidReportKind::kInput, 0x0D, report, 1, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{0x42}));
    // The serial number is not handed out cut to 32 bits.
    EXPECT_EQ(GetHidUsageValue(pc, HidReportKind::kInput, 0x0D, 0x5B, report, x), kHidStatusUsageNotFound);
}

// A one- or two-byte usage takes the usage page in force at its main item;
// a four-byte usage keeps its own page.
TEST(HidReportDescriptor, UsagesTakeTheUsagePageOfTheirMainItem) {
    struct Case {
        const char* name;
        Bytes bytes;
        HidReportKind kind;
        Bytes report;
        std::vector<std::pair<uint16_t, std::vector<uint16_t>>> usagesByPage;
    };
    const Case cases[] = {
        {"keyboard whose LED output comes before the key array",
         {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25,
          0x01, 0x75, 0x01, 0x95, 0x03, 0x91, 0x02, 0x95, 0x05, 0x91, 0x01, 0x15, 0x00, 0x26, 0xFF,
          0x00, 0x19, 0x00, 0x2A, 0xFF, 0x00, 0x05, 0x07, 0x75, 0x08, 0x95, 0x06, 0x81, 0x00, 0xC0},
         HidReportKind::kInput,
         {0x00, 0x04, 0x05, 0x00, 0x00, 0x00, 0x00},
         {{0x07, {0x04, 0x05}}}},
        {"the same keyboard's LEDs stay on the LED page",
         {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25,
          0x01, 0x75, 0x01, 0x95, 0x03, 0x91, 0x02, 0x95, 0x05, 0x91, 0x01, 0x15, 0x00, 0x26, 0xFF,
          0x00, 0x19, 0x00, 0x2A, 0xFF, 0x00, 0x05, 0x07, 0x75, 0x08, 0x95, 0x06, 0x81, 0x00, 0xC0},
         HidReportKind::kOutput,
         {0x00, 0x05},
         {{0x08, {0x01, 0x03}}}},
        {"usage page between a usage and its input",
         {0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0x09, 0x05, 0x05, 0x09, 0x15, 0x00, 0x25,
          0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0x75, 0x07, 0x81, 0x03, 0xC0},
         HidReportKind::kInput,
         {0x00, 0x01},
         {{0x09, {0x05}}}},
        {"four-byte usage keeps its own page",
         {0x05, 0x01, 0x09, 0x00, 0xA1, 0x01, 0x0B, 0x05, 0x00, 0x09, 0x00, 0x05, 0x0C, 0x15,
          0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x01, 0x81, 0x02, 0x75, 0x07, 0x81, 0x03, 0xC0},
         HidReportKind::kInput,
         {0x00, 0x01},
         {{0x09, {0x05}}}},
        // Game pad: buttons on the button page, then the consumer page with
        // its own usage; the buttons stay buttons.
        {"usages given after the page item",
         {0x05, 0x01, 0x09, 0x05, 0xA1, 0x01, 0x05, 0x09, 0x09, 0x01, 0x09, 0x02,
          0x05, 0x0C, 0x0A, 0x24, 0x02, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
          0x03, 0x81, 0x02, 0x75, 0x05, 0x95, 0x01, 0x81, 0x03, 0xC0},
         HidReportKind::kInput,
         {0x00, 0x07},
         {{0x09, {0x01, 0x02}}, {0x0C, {0x0224}}}},
        // A constant variable field that names a usage is read like any
        // other; one with usage 0 and a constant array are padding.
        {"constant fields",
         {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0xDE, 0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95,
          0x01, 0xB1, 0x03, 0x09, 0x00, 0x75, 0x07, 0xB1, 0x03, 0x09, 0x02, 0x75, 0x08, 0xB1, 0x01, 0xC0},
         HidReportKind::kFeature,
         {0x00, 0xFF, 0x02},
         {{0xFF00, {0xDE}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HidReportDescriptor d = ParseOk(c.bytes);
        ASSERT_EQ(d.collections.size(), 1u);
        const HidCollection& col = d.collections[0];
        EXPECT_EQ(col.Kind(c.kind).reportByteLength, c.report.size());
        size_t caps = 0;
        for (const auto& [page, expected] : c.usagesByPage) {
            std::vector<uint16_t> usages;
            EXPECT_EQ(GetHidUsages(col, c.kind, page, c.report, 16, usages), kHidStatusSuccess) << page;
            EXPECT_EQ(usages, expected) << page;
            for (const HidCapability& cap : col.Kind(c.kind).buttonCaps) caps += cap.usagePage == page;
        }
        EXPECT_EQ(caps, col.Kind(c.kind).buttonCaps.size()) << "a capability on an unexpected page";
    }
}

// A mouse with three buttons in eight one-bit fields: the capability spans
// all eight (as Windows counts it), the five without a usage report nothing.
TEST(HidReportDescriptor, ButtonFieldsBeyondTheirUsagesCountButCarryNoUsage) {
    const Bytes mouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03,
                         0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xC0};
    const HidReportDescriptor d = ParseOk(mouse);
    const HidCollection& c = d.collections[0];
    ASSERT_EQ(c.Kind(HidReportKind::kInput).buttonCaps.size(), 1u);
    EXPECT_EQ(c.Kind(HidReportKind::kInput).buttonCaps[0].reportCount, 8u);
    EXPECT_EQ(HidMaxUsageListLength(c, HidReportKind::kInput, 0x09), 8u);
    std::vector<uint16_t> usages;
    EXPECT_EQ(GetHidUsages(c, HidReportKind::kInput, 0x09, Bytes{0x00, 0xFF}, 8, usages), kHidStatusSuccess);
    EXPECT_EQ(usages, (std::vector<uint16_t>{1, 2, 3}));
}

// Values of 32-bit fields scale without overflow; the result is cut to the
// 32-bit range, never wrapped.
TEST(HidReportDescriptor, ScaledValuesOfFullRangeFields) {
    const Bytes signedFull = {0x17, 0x00, 0x00, 0x00, 0x80, 0x27, 0xFF, 0xFF, 0xFF, 0x7F};
    const Bytes physical1000 = {0x35, 0x00, 0x46, 0xE8, 0x03};
    const Bytes physicalSignedFull = {0x37, 0x00, 0x00, 0x00, 0x80, 0x47, 0xFF, 0xFF, 0xFF, 0x7F};
    const Bytes unsignedFull = {0x15, 0x00, 0x27, 0xFF, 0xFF, 0xFF, 0xFF};
    const Bytes byteRange = {0x15, 0x00, 0x26, 0xFF, 0x00};
    auto concat = [](Bytes a, const Bytes& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    struct Case {
        const char* name;
        Bytes ranges;
        uint32_t raw;
        int32_t scaled;
    };
    const Case cases[] = {
        {"signed 32-bit field at its maximum", signedFull, 0x7FFFFFFF, INT32_MAX},
        {"signed 32-bit field at its minimum", signedFull, 0x80000000, INT32_MIN},
        {"signed 32-bit field at -1", signedFull, 0xFFFFFFFF, -1},
        {"full logical range onto 0..1000, top", concat(signedFull, physical1000), 0x7FFFFFFF, 1000},
        {"full logical range onto 0..1000, bottom", concat(signedFull, physical1000), 0x80000000, 0},
        {"full logical range onto 0..1000, middle", concat(signedFull, physical1000), 0x00000000, 500},
        {"byte range onto the full physical range, top", concat(byteRange, physicalSignedFull), 255,
         INT32_MAX},
        {"byte range onto the full physical range, bottom", concat(byteRange, physicalSignedFull), 0,
         INT32_MIN},
        {"unsigned 32-bit field past the signed range", unsignedFull, 0xFFFFFFFF, INT32_MAX},
        {"unsigned 32-bit field in the signed range", unsignedFull, 0x7FFFFFFE, 0x7FFFFFFE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = {0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x09, 0x30};
        bytes = concat(bytes, c.ranges);
        bytes = concat(bytes, {0x75, 0x20, 0x95, 0x01, 0x81, 0x02, 0xC0});
        const HidReportDescriptor d = ParseOk(bytes);
        ASSERT_EQ(d.collections.size(), 1u);
        const Bytes report = {0x00, static_cast<uint8_t>(c.raw), static_cast<uint8_t>(c.raw >> 8),
                              static_cast<uint8_t>(c.raw >> 16), static_cast<uint8_t>(c.raw >> 24)};
        int32_t scaled = 0;
        EXPECT_EQ(GetHidScaledUsageValue(d.collections[0], HidReportKind::kInput, 0x01, 0x30, report, scaled),
                  kHidStatusSuccess);
        EXPECT_EQ(scaled, c.scaled);
    }
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
