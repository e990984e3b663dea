#pragma once
// The plain records a profile document is turned into. The device kinds,
// the lighting and the panels use them as they are.
#include <array>
#include <cstdint>
#include <string>

namespace r88 {

// Light state: eight bytes stored in "LightInfo", then two spare values the
// owning device may set (never stored in the document).
struct LightState {
    std::uint8_t effect = 0;      // "SelectItem"
    std::uint8_t brightness = 0;  // "Light", 0..4
    std::uint8_t speed = 0;       // "Speed", 0..4
    std::uint8_t direction = 0;   // "Fx", 0 or 1
    std::uint8_t multiColor = 0;  // "MultiColor", 0 or 1
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint16_t spare16 = 0;
    std::uint8_t spare8 = 0;

    // Word A: effect | brightness << 8 | speed << 16 | direction << 24.
    std::uint32_t WordA() const {
        return effect | (brightness << 8) | (speed << 16) | (static_cast<std::uint32_t>(direction) << 24);
    }
    // Word B: multiColor | red << 8 | green << 16 | blue << 24.
    std::uint32_t WordB() const {
        return multiColor | (red << 8) | (green << 16) | (static_cast<std::uint32_t>(blue) << 24);
    }
    // Spare word: spare16 | spare8 << 16.
    std::uint32_t SpareWord() const { return spare16 | (static_cast<std::uint32_t>(spare8) << 16); }
    static LightState FromWords(std::uint32_t wordA, std::uint32_t wordB, std::uint32_t spare) {
        LightState s;
        s.effect = static_cast<std::uint8_t>(wordA);
        s.brightness = static_cast<std::uint8_t>(wordA >> 8);
        s.speed = static_cast<std::uint8_t>(wordA >> 16);
        s.direction = static_cast<std::uint8_t>(wordA >> 24);
        s.multiColor = static_cast<std::uint8_t>(wordB);
        s.red = static_cast<std::uint8_t>(wordB >> 8);
        s.green = static_cast<std::uint8_t>(wordB >> 16);
        s.blue = static_cast<std::uint8_t>(wordB >> 24);
        s.spare16 = static_cast<std::uint16_t>(spare);
        s.spare8 = static_cast<std::uint8_t>(spare >> 16);
        return s;
    }
    bool operator==(const LightState&) const = default;
};

// One entry of the per-LED light list; set is 0 for an LED without a setting
// of its own (all other fields are then 0).
struct LedLightEntry {
    std::uint8_t mode = 0;  // "LEDREGMode"
    std::uint8_t brightness = 0;
    std::uint8_t speed = 0;
    std::uint8_t direction = 0;
    std::uint8_t multiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t set = 0;
    bool operator==(const LedLightEntry&) const = default;
};

// One step of a user light sequence (a ".light" file).
struct LightStep {
    std::uint8_t mode = 0;  // "LEDREGMode"
    std::uint8_t brightness = 0;
    std::uint8_t speed = 0;
    std::uint8_t direction = 0;
    std::uint8_t multiColor = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::array<std::uint8_t, 4> work{};  // the player's working bytes
    std::uint32_t time = 0;              // "Time", milliseconds
    std::uint32_t cycle = 0;             // "Cyle"
    bool operator==(const LightStep&) const = default;
};

// What a key or button sends: {type, param1, param2}; stored in documents as
// type * 65536 + param1 * 256 + param2.
struct KeyAssignment {
    std::uint8_t type = 0;
    std::uint8_t param1 = 0;
    std::uint8_t param2 = 0;

    constexpr std::uint32_t Packed() const {
        return (static_cast<std::uint32_t>(type) << 16) | (static_cast<std::uint32_t>(param1) << 8) | param2;
    }
    static constexpr KeyAssignment FromPacked(std::uint32_t v) {
        return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
    }
    bool operator==(const KeyAssignment&) const = default;
};

// Six bytes: {index, type, param1, param2, pad}.
struct KeyAssignmentEntry {
    std::uint16_t index = 0;
    KeyAssignment code;
    std::uint8_t pad = 0;
    bool operator==(const KeyAssignmentEntry&) const = default;
};

// Per key position: the current assignment and the factory default one.
struct KeyAssignmentPair {
    KeyAssignmentEntry current;
    KeyAssignmentEntry defaults;
    bool operator==(const KeyAssignmentPair&) const = default;
};

// Repeat | RepeatDelay << 16; Key6Flag | PollingRate << 16; WFlag | WinFlag << 16.
struct KeyboardSystemSettings {
    std::array<std::uint32_t, 3> words{};
    bool operator==(const KeyboardSystemSettings&) const = default;
};

// DoubleClickTime | MouseSpeed << 16; PointerPrecision | ScorllPage << 16;
// WheelScorlllinse | report-rate stage << 16; lift-off stage (16 bits).
struct MouseSystemSettings {
    std::array<std::uint32_t, 3> words{};
    std::uint16_t word3 = 0;
    bool operator==(const MouseSystemSettings&) const = default;
};

// The operating system's pointer settings, as the mouse profile takes them.
struct OsMouseSettings {
    std::uint32_t doubleClickMs = 500;
    std::uint32_t pointerSpeed = 10;   // 1..20
    std::uint32_t acceleration = 0;    // pointer precision flag
    std::uint32_t wheelLines = 3;      // kWheelScrollPage: the wheel scrolls a page
    static constexpr std::uint32_t kWheelScrollPage = 0xFFFFFFFFu;
};

// One mouse DPI stage; the device takes it as 9 bytes with X and Y little-endian.
struct DpiStage {
    std::uint8_t enabled = 0;  // "StageActive"
    std::uint8_t separateXY = 0;  // "StageXY"
    std::uint16_t dpiX = 0;
    std::uint16_t dpiY = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const DpiStage&) const = default;
};

struct CorrectionPreset {
    std::uint8_t pixThresh = 0;  // "CorrectPixThresh"
    std::uint8_t minSq = 0;      // "CorrectMinSq"
    std::uint8_t select = 0;     // "CorrectSelect"
    std::string name;            // "CorrectName"
    bool operator==(const CorrectionPreset&) const = default;
};

struct KeyColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;
    bool operator==(const KeyColour&) const = default;
};

// The eight headset settings, in document order.
struct HeadsetSystemSettings {
    enum Index {
        kMagicEnable,
        kMagicType,
        kEqType,
        kCustomEqSeletIndex,
        kMicInSelect,
        kMicInValue,
        kMicMoniterSelect,
        kMicMoniterValue,
        kCount
    };
    std::array<std::int32_t, kCount> values{};
    bool operator==(const HeadsetSystemSettings&) const = default;
};

}  // namespace r88
