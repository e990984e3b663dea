#include "macro/macro_records.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "platform/trace.h"
#include "profile/json_access.h"

namespace r88 {
namespace {

// Every event of a file is taken (the reader's size cap bounds them); the
// image refuses a macro too long for its 16-bit fields before writing one.
constexpr Json::ArrayIndex kMaxEventsPerFile = std::numeric_limits<Json::ArrayIndex>::max();

int ClampToInt(std::int64_t v) {
    return static_cast<int>(
        std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// "Delay" is decimal text; a number value stands for its own decimal text.
std::optional<std::int64_t> ParseDelay(const Json::Value& v) {
    if (v.isNull()) return 0;
    if (v.isString()) {
        const std::string text = v.asString();
        const char* begin = text.data();
        const char* end = begin + text.size();
        if (begin != end && *begin == '+') ++begin;
        std::int64_t value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (error != std::errc() || stop != end || begin == end) return std::nullopt;
        return value;
    }
    if (v.isInt64()) return v.asInt64();
    if (v.isDouble() && !v.isUInt64()) {
        const double d = v.asDouble();
        if (d > -9.2e18 && d < 9.2e18) return static_cast<std::int64_t>(d);
    }
    return std::nullopt;
}

}  // namespace

std::int64_t ShownDelay(std::int64_t delay) {
    return std::clamp<std::int64_t>(delay, 0, kMaxMacroDelay);
}

std::uint16_t ImageDelay(std::int64_t delay) {
    return static_cast<std::uint16_t>(static_cast<std::uint64_t>(delay) & 0xFFFFu);
}

std::array<std::uint8_t, 4> EncodeMacroEvent(const MacroEvent& event) {
    const std::uint16_t delay = ImageDelay(event.delay);
    std::uint8_t type = static_cast<std::uint8_t>(event.type);
    if (event.action == kMacroActionDown) type |= 0x80;
    return {static_cast<std::uint8_t>(delay & 0xFF), static_cast<std::uint8_t>(delay >> 8), type,
            static_cast<std::uint8_t>(event.button)};
}

std::vector<MacroEvent> ReadMacroEvents(const Json::Value& document) {
    const Json::Value& list = json::Get(document, "Events");
    const Json::ArrayIndex n = json::Count(list, kMaxEventsPerFile, "Events");
    std::vector<MacroEvent> events;
    events.reserve(n);
    for (Json::ArrayIndex i = 0; i < n; ++i) {
        const Json::Value& e = list[i];
        if (!e.isObject()) {
            TraceF("macro: event %u is not an event, left out\n", i);
            continue;
        }
        const std::optional<std::int64_t> delay = ParseDelay(json::Get(e, "Delay"));
        if (!delay) {
            TraceF("macro: event %u has no decimal \"Delay\", left out\n", i);
            continue;
        }
        events.push_back(MacroEvent{json::Text(json::Get(e, "Action"), "Action"),
                                    ClampToInt(json::Int(json::Get(e, "Type"), "Type")),
                                    ClampToInt(json::Int(json::Get(e, "Button"), "Button")), *delay});
    }
    return events;
}

Json::Value MacroEventToJson(const MacroEvent& event) {
    Json::Value v(Json::objectValue);
    v["Action"] = event.action;
    v["Type"] = event.type;
    v["Button"] = event.button;
    v["Delay"] = std::to_string(ShownDelay(event.delay));
    return v;
}

}  // namespace r88
