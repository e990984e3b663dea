#pragma once
// Our own reader of HID report descriptors. It turns the descriptor that a
// device hands us into its top-level collections with their report ids,
// report lengths and button and value capabilities, and it reads buttons and
// values back out of a report. Everything here treats the descriptor and the
// reports as untrusted bytes: every read is bounds-checked and a descriptor
// that does not add up is refused as a whole.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace r88 {

enum class HidReportKind : uint8_t { kInput = 0, kOutput = 1, kFeature = 2 };
inline constexpr size_t kHidReportKinds = 3;

// Limits of what we accept from a device.
inline constexpr size_t kHidMaxDescriptorSize = 4096;  // the kernel's own limit
inline constexpr size_t kHidMaxReportBytes = 0xFFFE;   // one report without its id byte: 16-bit length in all
inline constexpr size_t kHidMaxCaps = 1024;            // capabilities in one descriptor
inline constexpr size_t kHidMaxCollectionDepth = 32;
inline constexpr size_t kHidMaxGlobalStack = 16;

// One button or value capability: a run of equal fields in one report.
// Data fields wider than 32 bits (serial numbers, vendor blobs) take their
// room in the report but get no capability: no value we hand out holds them.
struct HidCapability {
    uint8_t reportId = 0;  // 0 when the descriptor uses no report ids
    uint16_t usagePage = 0;
    bool isRange = false;
    uint16_t usageMin = 0;  // single usage: usageMin == usageMax
    uint16_t usageMax = 0;
    bool isArray = false;  // buttons only: the fields hold usage indexes
    bool isAbsolute = true;
    uint32_t arrayIndexBase = 0;  // arrays: index (value - logicalMin) that maps to usageMin
    uint32_t bitOffset = 0;       // from the start of the report buffer, report id byte included
    uint16_t bitSize = 0;         // bits per field, 1..32
    uint32_t reportCount = 0;     // number of fields
    int64_t logicalMin = 0;
    int64_t logicalMax = 0;
    int64_t physicalMin = 0;
    int64_t physicalMax = 0;
    uint32_t unit = 0;
    int32_t unitExponent = 0;
};

struct HidReportKindInfo {
    uint16_t reportByteLength = 0;  // longest report of this kind, report id byte included; 0 = none
    std::vector<HidCapability> buttonCaps;
    std::vector<HidCapability> valueCaps;
};

struct HidCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::vector<uint8_t> reportIds;  // every report id of the collection, ascending; empty without ids
    HidReportKindInfo kinds[kHidReportKinds];

    const HidReportKindInfo& Kind(HidReportKind k) const { return kinds[static_cast<size_t>(k)]; }
    bool HasReportId(uint8_t id) const;
};

struct HidReportDescriptor {
    bool usesReportIds = false;
    std::vector<HidCollection> collections;  // top-level collections in descriptor order
};

enum class HidParseError {
    kNone,
    kEmpty,
    kTooLong,
    kTruncatedItem,
    kUnbalancedCollection,
    kMainItemOutsideCollection,
    kBadGlobalStack,
    kBadReportSize,
    kBadReportCount,
    kReportTooLong,
    kBadReportId,
    kReportIdShared,
    kMixedReportIds,
    kBadUsageRange,
    kTooManyCapabilities,
    kNoCollection,
};

const char* HidParseErrorText(HidParseError error);

// Parses a whole descriptor. On any error `out` is left empty and the error is returned.
HidParseError ParseHidReportDescriptor(std::span<const uint8_t> bytes, HidReportDescriptor& out);

// Status codes of the report accessors below.
enum HidStatus : uint32_t {
    kHidStatusSuccess = 0,
    kHidStatusUsageNotFound = 1,
    kHidStatusBufferTooSmall = 2,
    kHidStatusIncompatibleReportId = 3,
    kHidStatusInvalidReportLength = 4,
    kHidStatusBadLogPhyValues = 5,
    kHidStatusValueOutOfRange = 6,
    kHidStatusNull = 7,
};

// The longest list of usages of this page that can be on at once in one
// report of this kind (the length to give GetHidUsages).
uint32_t HidMaxUsageListLength(const HidCollection& c, HidReportKind kind, uint16_t usagePage);

// Usages of `usagePage` that are on in `report` (report id at byte 0), in field order.
// At most `maxUsages` are returned; more give kHidStatusBufferTooSmall with the first maxUsages.
uint32_t GetHidUsages(const HidCollection& c, HidReportKind kind, uint16_t usagePage,
                      std::span<const uint8_t> report, uint32_t maxUsages, std::vector<uint16_t>& usages);

// Raw (unsigned) value of the first field carrying (usagePage, usage) in `report`.
uint32_t GetHidUsageValue(const HidCollection& c, HidReportKind kind, uint16_t usagePage, uint16_t usage,
                          std::span<const uint8_t> report, uint32_t& value);

// The same field scaled from the logical to the physical range (the logical
// range is used as physical when the descriptor gives no physical range).
uint32_t GetHidScaledUsageValue(const HidCollection& c, HidReportKind kind, uint16_t usagePage,
                                uint16_t usage, std::span<const uint8_t> report, int32_t& value);

}  // namespace r88
