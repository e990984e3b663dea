#pragma once
// One recorded input event of a macro, as the event files hold it and as the
// device plays it back.
//
// An event file keeps "Delay" as decimal text. The editor shows and saves a
// delay clamped to 0..65535; the device image takes its low 16 bits. Both
// views come from the same stored value, so an event is kept as read.
#include <json/json.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace r88 {

// Values of "Type".
inline constexpr int kMacroTypeMouseButton = 1;
inline constexpr int kMacroTypeMoveX = 4;
inline constexpr int kMacroTypeMoveY = 5;
inline constexpr int kMacroTypeModifier = 9;
inline constexpr int kMacroTypeKey = 10;

inline constexpr char kMacroActionDown[] = "down";
inline constexpr char kMacroActionUp[] = "up";

inline constexpr int kMacroEventFileVersion = 64;
inline constexpr std::int64_t kMaxMacroDelay = 65535;

struct MacroEvent {
    std::string action;      // "down" or "up" (for moves the direction)
    int type = 0;            // kMacroType...
    int button = 0;          // key, button bit or distance
    std::int64_t delay = 0;  // ms as stored; see ShownDelay and ImageDelay
    bool operator==(const MacroEvent&) const = default;
};

// The delay the editor shows and saves: 0..65535.
std::int64_t ShownDelay(std::int64_t delay);
// The delay the device gets: the low 16 bits.
std::uint16_t ImageDelay(std::int64_t delay);

// The 4 bytes of one event in the device image: delay (little-endian), Type
// with bit 7 set for "down", Button.
std::array<std::uint8_t, 4> EncodeMacroEvent(const MacroEvent& event);

// The events of an event file's "Events", with delays as stored. An element
// that is not an event object or whose "Delay" is not a decimal integer
// cannot be played and is left out with a trace line; the others keep their
// order. A missing "Delay" reads 0.
std::vector<MacroEvent> ReadMacroEvents(const Json::Value& document);

// One event object as event files hold it; the delay is saved clamped.
Json::Value MacroEventToJson(const MacroEvent& event);

}  // namespace r88
