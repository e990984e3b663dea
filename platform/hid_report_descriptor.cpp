#include "platform/hid_report_descriptor.h"

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace r88 {
namespace {

// Item types and tags of the short item format.
constexpr uint8_t kTypeMain = 0;
constexpr uint8_t kTypeGlobal = 1;
constexpr uint8_t kTypeLocal = 2;

constexpr uint8_t kMainInput = 0x8;
constexpr uint8_t kMainOutput = 0x9;
constexpr uint8_t kMainCollection = 0xA;
constexpr uint8_t kMainFeature = 0xB;
constexpr uint8_t kMainEndCollection = 0xC;

constexpr uint8_t kGlobalUsagePage = 0x0;
constexpr uint8_t kGlobalLogicalMin = 0x1;
constexpr uint8_t kGlobalLogicalMax = 0x2;
constexpr uint8_t kGlobalPhysicalMin = 0x3;
constexpr uint8_t kGlobalPhysicalMax = 0x4;
constexpr uint8_t kGlobalUnitExponent = 0x5;
constexpr uint8_t kGlobalUnit = 0x6;
constexpr uint8_t kGlobalReportSize = 0x7;
constexpr uint8_t kGlobalReportId = 0x8;
constexpr uint8_t kGlobalReportCount = 0x9;
constexpr uint8_t kGlobalPush = 0xA;
constexpr uint8_t kGlobalPop = 0xB;

constexpr uint8_t kLocalUsage = 0x0;
constexpr uint8_t kLocalUsageMin = 0x1;
constexpr uint8_t kLocalUsageMax = 0x2;

constexpr uint8_t kLongItemPrefix = 0xFE;

constexpr uint32_t kFlagConstant = 0x01;
constexpr uint32_t kFlagVariable = 0x02;
constexpr uint32_t kFlagRelative = 0x04;

constexpr uint32_t kMaxDataFieldBits = 32;
constexpr uint32_t kMaxReportCount = kHidMaxReportBytes * 8;

// A number as the item carries it: raw bits and byte count, so that it can be
// read signed or unsigned as the context asks.
struct ItemNumber {
    uint32_t raw = 0;
    uint8_t size = 0;

    int64_t Signed() const {
        switch (size) {
            case 1:
                return static_cast<int8_t>(raw);
            case 2:
                return static_cast<int16_t>(raw);
            case 4:
                return static_cast<int32_t>(raw);
            default:
                return 0;
        }
    }
    int64_t Unsigned() const { return raw; }
};

struct GlobalState {
    uint16_t usagePage = 0;
    ItemNumber logicalMin, logicalMax, physicalMin, physicalMax;
    int32_t unitExponent = 0;
    uint32_t unit = 0;
    uint32_t reportSize = 0;
    uint32_t reportId = 0;
    uint32_t reportCount = 0;
};

// A usage as its local item gives it: a four-byte usage carries its own
// page, a shorter one the page in force at the item (until its main item
// says otherwise, see ResolveUsages).
struct LocalUsage {
    uint16_t usage = 0;
    uint16_t page = 0;
    bool ownPage = false;
};

LocalUsage ReadLocalUsage(uint32_t raw, uint8_t size, uint16_t page) {
    if (size == 4) return {static_cast<uint16_t>(raw & 0xFFFF), static_cast<uint16_t>(raw >> 16), true};
    return {static_cast<uint16_t>(raw & 0xFFFF), page, false};
}

struct UsageEntry {
    uint16_t page = 0;
    uint16_t min = 0;
    uint16_t max = 0;
    bool isRange = false;
    bool ownPage = false;
    uint32_t Length() const { return static_cast<uint32_t>(max) - min + 1; }
};

struct LocalState {
    std::vector<UsageEntry> usages;
    std::optional<LocalUsage> pendingMin;
    std::optional<LocalUsage> pendingMax;
};

// Limits in the form the report accessors compare against: logical maximum is
// read unsigned unless the minimum is negative (how devices write 0..255 as 25 FF).
void ReadRange(const ItemNumber& min, const ItemNumber& max, int64_t& outMin, int64_t& outMax) {
    outMin = min.Signed();
    outMax = outMin < 0 ? max.Signed() : max.Unsigned();
}

class Parser {
public:
    HidParseError Run(std::span<const uint8_t> bytes, HidReportDescriptor& out);

private:
    HidParseError Main(uint8_t tag, uint32_t data);
    HidParseError Field(HidReportKind kind, uint32_t flags);
    HidParseError FlushPendingUsage();
    HidParseError ResolveUsages(std::vector<UsageEntry>& out);

    GlobalState global_;
    std::vector<GlobalState> stack_;
    LocalState local_;
    size_t depth_ = 0;
    bool sawNumbered_ = false;
    bool sawUnnumbered_ = false;
    size_t capCount_ = 0;
    // Bits used so far per (kind, report id), and the collection that owns each id.
    std::map<std::pair<int, uint32_t>, uint32_t> bitsUsed_;
    std::map<uint32_t, size_t> owner_;
    HidReportDescriptor result_;
};

HidParseError Parser::FlushPendingUsage() {
    if (local_.pendingMin && local_.pendingMax) {
        const LocalUsage lo = *local_.pendingMin;
        const LocalUsage hi = *local_.pendingMax;
        if (lo.page != hi.page || lo.usage > hi.usage) return HidParseError::kBadUsageRange;
        local_.usages.push_back({hi.page, lo.usage, hi.usage, true, lo.ownPage || hi.ownPage});
        local_.pendingMin.reset();
        local_.pendingMax.reset();
    }
    return HidParseError::kNone;
}

// Hands out the usages of the main item being parsed and clears the local
// state. A usage page item between the usages and their main item applies to
// them (HID 1.11 6.2.2.8: the page is joined to the usage at the main item):
// from the last usage back, every short usage takes the page now in force,
// up to the first one that was already given on it. Usages given after the
// page item, and those before them, keep the page they were given on, as in
// "Button page, buttons, Consumer page, AC Home, Input" (and as the kernel
// reads such descriptors); four-byte usages always keep their own.
HidParseError Parser::ResolveUsages(std::vector<UsageEntry>& out) {
    if (HidParseError e = FlushPendingUsage(); e != HidParseError::kNone) return e;
    out = std::move(local_.usages);
    if (local_.pendingMin || local_.pendingMax) {
        // Half a range counts as the single usage it names.
        const LocalUsage u = local_.pendingMin ? *local_.pendingMin : *local_.pendingMax;
        out.push_back({u.page, u.usage, u.usage, false, u.ownPage});
    }
    local_ = LocalState{};
    for (auto it = out.rbegin(); it != out.rend(); ++it) {
        if (it->ownPage) continue;
        if (it->page == global_.usagePage) break;
        it->page = global_.usagePage;
    }
    return HidParseError::kNone;
}

HidParseError Parser::Field(HidReportKind kind, uint32_t flags) {
    if (depth_ == 0) return HidParseError::kMainItemOutsideCollection;
    const bool constant = (flags & kFlagConstant) != 0;
    const uint32_t size = global_.reportSize;
    const uint32_t count = global_.reportCount;
    if (count > kMaxReportCount) return HidParseError::kBadReportCount;
    if (size > kHidMaxReportBytes * 8) return HidParseError::kBadReportSize;
    const uint64_t bits = static_cast<uint64_t>(size) * count;

    const uint32_t id = global_.reportId;
    (id != 0 ? sawNumbered_ : sawUnnumbered_) = true;
    if (sawNumbered_ && sawUnnumbered_) return HidParseError::kMixedReportIds;

    const size_t top = result_.collections.size() - 1;
    auto [it, inserted] = owner_.emplace(id, top);
    if (!inserted && it->second != top) return HidParseError::kReportIdShared;

    uint32_t& used = bitsUsed_[{static_cast<int>(kind), id}];
    if (used + bits > kHidMaxReportBytes * 8) return HidParseError::kReportTooLong;
    const uint32_t base = 8 + used;  // byte 0 is the report id (0 without ids)
    used += static_cast<uint32_t>(bits);

    std::vector<UsageEntry> usages;
    if (HidParseError e = ResolveUsages(usages); e != HidParseError::kNone) return e;
    // A constant field is padding unless it is a variable one naming a usage
    // other than 0: that one is a capability like a data field, as Windows
    // lists it (read-only values such as a force-feedback pool size). Fields
    // wider than 32 bits keep their bits in the report and get no capability.
    const bool isArray = (flags & kFlagVariable) == 0;
    const bool named =
        std::any_of(usages.begin(), usages.end(), [](const UsageEntry& u) { return u.max != 0; });
    if ((constant && (isArray || !named)) || bits == 0 || size > kMaxDataFieldBits)
        return HidParseError::kNone;
    if (usages.empty()) usages.push_back({global_.usagePage, 0, 0, false, false});

    HidCapability proto;
    proto.reportId = static_cast<uint8_t>(id);
    proto.isAbsolute = (flags & kFlagRelative) == 0;
    proto.bitSize = static_cast<uint16_t>(size);
    ReadRange(global_.logicalMin, global_.logicalMax, proto.logicalMin, proto.logicalMax);
    ReadRange(global_.physicalMin, global_.physicalMax, proto.physicalMin, proto.physicalMax);
    proto.unit = global_.unit;
    proto.unitExponent = global_.unitExponent;

    HidReportKindInfo& info = result_.collections[top].kinds[static_cast<size_t>(kind)];
    const bool isButton = isArray || size == 1;
    auto add = [&](std::vector<HidCapability>& to, HidCapability cap) -> HidParseError {
        if (++capCount_ > kHidMaxCaps) return HidParseError::kTooManyCapabilities;
        to.push_back(cap);
        return HidParseError::kNone;
    };

    if (isArray) {
        // Every field holds an index into the list of usages.
        uint32_t index = 0;
        for (const UsageEntry& u : usages) {
            HidCapability cap = proto;
            cap.isArray = true;
            cap.usagePage = u.page;
            cap.usageMin = u.min;
            cap.usageMax = u.max;
            cap.isRange = u.isRange;
            cap.arrayIndexBase = index;
            cap.bitOffset = base;
            cap.reportCount = count;
            index += u.Length();
            if (HidParseError e = add(info.buttonCaps, cap); e != HidParseError::kNone) return e;
        }
        return HidParseError::kNone;
    }

    // Variable fields take the usages in order, one usage per field.
    std::vector<HidCapability>& to = isButton ? info.buttonCaps : info.valueCaps;
    uint32_t field = 0;
    for (const UsageEntry& u : usages) {
        if (field >= count) break;
        const uint32_t n = std::min(u.Length(), count - field);
        HidCapability cap = proto;
        cap.usagePage = u.page;
        cap.usageMin = u.min;
        cap.usageMax = static_cast<uint16_t>(u.min + n - 1);
        cap.isRange = u.isRange;
        cap.bitOffset = base + field * size;
        cap.reportCount = n;
        field += n;
        if (HidParseError e = add(to, cap); e != HidParseError::kNone) return e;
    }
    if (field < count && isButton) {
        // Button fields beyond the usages belong to the last capability, as
        // Windows counts them, but carry no usage.
        to.back().reportCount += count - field;
    } else if (field < count) {
        // Value fields beyond the usages repeat the last usage.
        HidCapability& last = to.back();
        if (!last.isRange) {
            last.reportCount += count - field;
        } else {
            HidCapability cap = last;
            cap.isRange = false;
            cap.usageMin = cap.usageMax;
            cap.bitOffset = base + field * size;
            cap.reportCount = count - field;
            if (HidParseError e = add(to, cap); e != HidParseError::kNone) return e;
        }
    }
    return HidParseError::kNone;
}

HidParseError Parser::Main(uint8_t tag, uint32_t data) {
    switch (tag) {
        case kMainInput:
            return Field(HidReportKind::kInput, data);
        case kMainOutput:
            return Field(HidReportKind::kOutput, data);
        case kMainFeature:
            return Field(HidReportKind::kFeature, data);
        case kMainCollection: {
            std::vector<UsageEntry> usages;
            if (HidParseError e = ResolveUsages(usages); e != HidParseError::kNone) return e;
            if (depth_ == 0) {
                HidCollection c;
                c.usagePage = global_.usagePage;
                if (!usages.empty()) {
                    c.usagePage = usages.front().page;
                    c.usage = usages.front().min;
                }
                result_.collections.push_back(std::move(c));
            }
            if (++depth_ > kHidMaxCollectionDepth) return HidParseError::kUnbalancedCollection;
            return HidParseError::kNone;
        }
        case kMainEndCollection:
            if (depth_ == 0) return HidParseError::kUnbalancedCollection;
            --depth_;
            local_ = LocalState{};
            return HidParseError::kNone;
        default:
            local_ = LocalState{};
            return HidParseError::kNone;
    }
}

HidParseError Parser::Run(std::span<const uint8_t> bytes, HidReportDescriptor& out) {
    if (bytes.empty()) return HidParseError::kEmpty;
    if (bytes.size() > kHidMaxDescriptorSize) return HidParseError::kTooLong;

    size_t pos = 0;
    while (pos < bytes.size()) {
        const uint8_t prefix = bytes[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry nothing we use; skip them whole.
            if (bytes.size() - pos < 3) return HidParseError::kTruncatedItem;
            const size_t length = bytes[pos + 1];
            if (bytes.size() - pos - 3 < length) return HidParseError::kTruncatedItem;
            pos += 3 + length;
            continue;
        }
        const uint8_t sizeCode = prefix & 0x3;
        const uint8_t size = sizeCode == 3 ? 4 : sizeCode;
        const uint8_t type = (prefix >> 2) & 0x3;
        const uint8_t tag = prefix >> 4;
        if (bytes.size() - pos - 1 < size) return HidParseError::kTruncatedItem;
        uint32_t data = 0;
        for (uint8_t i = 0; i < size; ++i) data |= static_cast<uint32_t>(bytes[pos + 1 + i]) << (8 * i);
        pos += 1 + size;
        const ItemNumber number{data, size};

        HidParseError e = HidParseError::kNone;
        if (type == kTypeMain) {
            e = Main(tag, data);
        } else if (type == kTypeGlobal) {
            switch (tag) {
                case kGlobalUsagePage:
                    global_.usagePage = static_cast<uint16_t>(data);
                    break;
                case kGlobalLogicalMin:
                    global_.logicalMin = number;
                    break;
                case kGlobalLogicalMax:
                    global_.logicalMax = number;
                    break;
                case kGlobalPhysicalMin:
                    global_.physicalMin = number;
                    break;
                case kGlobalPhysicalMax:
                    global_.physicalMax = number;
                    break;
                case kGlobalUnitExponent:
                    global_.unitExponent = static_cast<int32_t>(number.Signed());
                    break;
                case kGlobalUnit:
                    global_.unit = data;
                    break;
                case kGlobalReportSize:
                    global_.reportSize = data;
                    break;
                case kGlobalReportCount:
                    global_.reportCount = data;
                    break;
                case kGlobalReportId:
                    if (data == 0 || data > 0xFF) return HidParseError::kBadReportId;
                    global_.reportId = data;
                    break;
                case kGlobalPush:
                    if (stack_.size() >= kHidMaxGlobalStack) return HidParseError::kBadGlobalStack;
                    stack_.push_back(global_);
                    break;
                case kGlobalPop:
                    if (stack_.empty()) return HidParseError::kBadGlobalStack;
                    global_ = stack_.back();
                    stack_.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == kTypeLocal) {
            const LocalUsage usage = ReadLocalUsage(data, size, global_.usagePage);
            switch (tag) {
                case kLocalUsage:
                    e = FlushPendingUsage();
                    local_.usages.push_back({usage.page, usage.usage, usage.usage, false, usage.ownPage});
                    break;
                case kLocalUsageMin:
                    if (local_.pendingMin) e = HidParseError::kBadUsageRange;
                    local_.pendingMin = usage;
                    if (e == HidParseError::kNone) e = FlushPendingUsage();
                    break;
                case kLocalUsageMax:
                    if (local_.pendingMax) e = HidParseError::kBadUsageRange;
                    local_.pendingMax = usage;
                    if (e == HidParseError::kNone) e = FlushPendingUsage();
                    break;
                default:
                    break;  // designators, strings, delimiters
            }
        }
        if (e != HidParseError::kNone) return e;
    }
    if (depth_ != 0) return HidParseError::kUnbalancedCollection;
    if (result_.collections.empty()) return HidParseError::kNoCollection;

    // Report ids and lengths per collection.
    result_.usesReportIds = sawNumbered_;
    for (const auto& [id, top] : owner_) {
        if (sawNumbered_) result_.collections[top].reportIds.push_back(static_cast<uint8_t>(id));
    }
    for (const auto& [key, bits] : bitsUsed_) {
        const size_t top = owner_.at(key.second);
        HidReportKindInfo& info = result_.collections[top].kinds[static_cast<size_t>(key.first)];
        const uint16_t length = static_cast<uint16_t>(1 + (bits + 7) / 8);
        info.reportByteLength = std::max(info.reportByteLength, length);
    }
    out = std::move(result_);
    return HidParseError::kNone;
}

// Reads `bitSize` (1..32) bits little-endian from `bitOffset`; the caller has checked the bounds.
uint32_t ExtractBits(std::span<const uint8_t> report, uint32_t bitOffset, uint32_t bitSize) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < bitSize; ++i) {
        const uint32_t bit = bitOffset + i;
        value |= static_cast<uint32_t>((report[bit / 8] >> (bit % 8)) & 1u) << i;
    }
    return value;
}

int64_t SignExtend(uint32_t value, uint32_t bitSize) {
    if (bitSize >= 32) return static_cast<int32_t>(value);
    const uint32_t sign = 1u << (bitSize - 1);
    return static_cast<int64_t>(value ^ sign) - static_cast<int64_t>(sign);
}

bool Fits(const HidCapability& cap, std::span<const uint8_t> report) {
    const uint64_t end =
        static_cast<uint64_t>(cap.bitOffset) + static_cast<uint64_t>(cap.bitSize) * cap.reportCount;
    return end <= static_cast<uint64_t>(report.size()) * 8;
}

const HidCapability* FindValueCap(const HidCollection& c, HidReportKind kind, uint16_t usagePage,
                                  uint16_t usage, uint8_t reportId, uint32_t& status) {
    bool pageSeen = false;
    for (const HidCapability& cap : c.Kind(kind).valueCaps) {
        if (cap.usagePage != usagePage || usage < cap.usageMin || usage > cap.usageMax) continue;
        pageSeen = true;
        if (cap.reportId == reportId) {
            status = kHidStatusSuccess;
            return &cap;
        }
    }
    status = pageSeen ? kHidStatusIncompatibleReportId : kHidStatusUsageNotFound;
    return nullptr;
}

}  // namespace

bool HidCollection::HasReportId(uint8_t id) const {
    return std::binary_search(reportIds.begin(), reportIds.end(), id);
}

const char* HidParseErrorText(HidParseError error) {
    switch (error) {
        case HidParseError::kNone:
            return "ok";
        case HidParseError::kEmpty:
            return "empty descriptor";
        case HidParseError::kTooLong:
            return "descriptor too long";
        case HidParseError::kTruncatedItem:
            return "item runs past the end";
        case HidParseError::kUnbalancedCollection:
            return "unbalanced collections";
        case HidParseError::kMainItemOutsideCollection:
            return "report field outside a collection";
        case HidParseError::kBadGlobalStack:
            return "push/pop out of balance";
        case HidParseError::kBadReportSize:
            return "bad report size";
        case HidParseError::kBadReportCount:
            return "bad report count";
        case HidParseError::kReportTooLong:
            return "report too long";
        case HidParseError::kBadReportId:
            return "bad report id";
        case HidParseError::kReportIdShared:
            return "report id in two collections";
        case HidParseError::kMixedReportIds:
            return "numbered and unnumbered reports mixed";
        case HidParseError::kBadUsageRange:
            return "bad usage range";
        case HidParseError::kTooManyCapabilities:
            return "too many capabilities";
        case HidParseError::kNoCollection:
            return "no collection";
    }
    return "unknown";
}

HidParseError ParseHidReportDescriptor(std::span<const uint8_t> bytes, HidReportDescriptor& out) {
    out = HidReportDescriptor{};
    Parser parser;
    return parser.Run(bytes, out);
}

uint32_t HidMaxUsageListLength(const HidCollection& c, HidReportKind kind, uint16_t usagePage) {
    uint32_t total = 0;
    // Array caps that share their fields count the fields once.
    std::vector<std::pair<uint8_t, uint32_t>> arraysSeen;
    for (const HidCapability& cap : c.Kind(kind).buttonCaps) {
        if (cap.usagePage != usagePage) continue;
        if (cap.isArray) {
            const std::pair<uint8_t, uint32_t> key{cap.reportId, cap.bitOffset};
            if (std::find(arraysSeen.begin(), arraysSeen.end(), key) != arraysSeen.end()) continue;
            arraysSeen.push_back(key);
        }
        total += cap.reportCount;
    }
    return total;
}

uint32_t GetHidUsages(const HidCollection& c, HidReportKind kind, uint16_t usagePage,
                      std::span<const uint8_t> report, uint32_t maxUsages, std::vector<uint16_t>& usages) {
    usages.clear();
    if (report.empty()) return kHidStatusInvalidReportLength;
    const uint8_t reportId = report[0];
    bool pageSeen = false;
    bool idSeen = false;
    for (const HidCapability& cap : c.Kind(kind).buttonCaps) {
        if (cap.usagePage != usagePage) continue;
        pageSeen = true;
        if (cap.reportId != reportId) continue;
        idSeen = true;
        if (!Fits(cap, report)) return kHidStatusInvalidReportLength;
        for (uint32_t i = 0; i < cap.reportCount; ++i) {
            const uint32_t raw = ExtractBits(report, cap.bitOffset + i * cap.bitSize, cap.bitSize);
            if (cap.isArray) {
                const int64_t v =
                    cap.logicalMin < 0 ? SignExtend(raw, cap.bitSize) : static_cast<int64_t>(raw);
                if (v < cap.logicalMin || v > cap.logicalMax) continue;
                const int64_t index = v - cap.logicalMin - cap.arrayIndexBase;
                if (index < 0 || index > cap.usageMax - cap.usageMin) continue;
                const uint16_t usage = static_cast<uint16_t>(cap.usageMin + index);
                if (usage != 0) usages.push_back(usage);  // usage 0 means "nothing"
            } else if (raw != 0 && i <= static_cast<uint32_t>(cap.usageMax - cap.usageMin)) {
                usages.push_back(static_cast<uint16_t>(cap.usageMin + i));
            }
        }
    }
    if (!pageSeen) return kHidStatusUsageNotFound;
    if (!idSeen) return kHidStatusIncompatibleReportId;
    if (usages.size() > maxUsages) {
        usages.resize(maxUsages);
        return kHidStatusBufferTooSmall;
    }
    return kHidStatusSuccess;
}

uint32_t GetHidUsageValue(const HidCollection& c, HidReportKind kind, uint16_t usagePage, uint16_t usage,
                          std::span<const uint8_t> report, uint32_t& value) {
    value = 0;
    if (report.empty()) return kHidStatusInvalidReportLength;
    uint32_t status = kHidStatusSuccess;
    const HidCapability* cap = FindValueCap(c, kind, usagePage, usage, report[0], status);
    if (cap == nullptr) return status;
    if (!Fits(*cap, report)) return kHidStatusInvalidReportLength;
    const uint32_t field = cap->isRange ? static_cast<uint32_t>(usage - cap->usageMin) : 0;
    value = ExtractBits(report, cap->bitOffset + field * cap->bitSize, cap->bitSize);
    return kHidStatusSuccess;
}

uint32_t GetHidScaledUsageValue(const HidCollection& c, HidReportKind kind, uint16_t usagePage,
                                uint16_t usage, std::span<const uint8_t> report, int32_t& value) {
    value = 0;
    if (report.empty()) return kHidStatusInvalidReportLength;
    uint32_t status = kHidStatusSuccess;
    const HidCapability* cap = FindValueCap(c, kind, usagePage, usage, report[0], status);
    if (cap == nullptr) return status;
    if (!Fits(*cap, report)) return kHidStatusInvalidReportLength;
    if (cap->logicalMin >= cap->logicalMax) return kHidStatusBadLogPhyValues;
    int64_t physMin = cap->physicalMin;
    int64_t physMax = cap->physicalMax;
    if (physMin == 0 && physMax == 0) {
        physMin = cap->logicalMin;
        physMax = cap->logicalMax;
    }
    if (physMin >= physMax) return kHidStatusBadLogPhyValues;
    const uint32_t field = cap->isRange ? static_cast<uint32_t>(usage - cap->usageMin) : 0;
    const uint32_t raw = ExtractBits(report, cap->bitOffset + field * cap->bitSize, cap->bitSize);
    const int64_t v = cap->logicalMin < 0 ? SignExtend(raw, cap->bitSize) : static_cast<int64_t>(raw);
    if (v < cap->logicalMin || v > cap->logicalMax) return kHidStatusValueOutOfRange;
    // Each range spans up to 2^32, so the product needs more than 64 bits.
    __extension__ using Wide = __int128;
    const Wide scaled = Wide{physMin} + Wide{v - cap->logicalMin} * Wide{physMax - physMin} /
                                            Wide{cap->logicalMax - cap->logicalMin};
    value = static_cast<int32_t>(std::clamp<Wide>(scaled, INT32_MIN, INT32_MAX));
    return kHidStatusSuccess;
}

}  // namespace r88
