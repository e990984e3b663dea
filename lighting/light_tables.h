#pragma once
// The constant tables every light effect is computed from, and the phase
// step they all share. Byte tables and integer arithmetic only: a frame
// never allocates and every kind's renderer gives the same bytes on every
// machine.
#include <array>
#include <cstddef>
#include <cstdint>

namespace r88 {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// Alpha of brightness levels 0..4.
inline constexpr std::array<std::uint8_t, 5> BrightnessLevels = {30, 80, 135, 195, 255};

namespace light_tables_detail {

inline constexpr std::array<std::uint8_t, 64> kBreathRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// How a channel rises and falls within one sixth of the spectrum.
inline constexpr std::array<std::uint8_t, 32> kSpectrumRise = {1,   3,   5,   7,   10,  14,  18,  22,
                                                               26,  32,  38,  44,  50,  57,  65,  73,
                                                               81,  89,  99,  109, 119, 129, 140, 152,
                                                               164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<std::uint8_t, 32> kSpectrumFall = {248, 234, 220, 206, 194, 182, 170, 158,
                                                               146, 134, 124, 114, 104, 94,  85,  77,
                                                               69,  61,  53,  47,  41,  35,  29,  24,
                                                               20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<std::uint8_t, 128> MakeBreathCurve() {
    std::array<std::uint8_t, 128> curve{};
    for (std::size_t i = 0; i < 64; ++i) {
        curve[i] = kBreathRise[i];
        curve[127 - i] = kBreathRise[i];
    }
    return curve;
}

constexpr std::array<std::uint8_t, 96> MakeWaveCurve() {
    std::array<std::uint8_t, 96> curve{};
    for (std::size_t i = 0; i < 48; ++i) {
        curve[i] = kBreathRise[16 + i];
        curve[95 - i] = kBreathRise[16 + i];
    }
    curve[0] = curve[95] = 22;
    curve[1] = curve[94] = 24;
    return curve;
}

// Red → yellow → green → cyan → blue → magenta → red in six sixths of 32
// entries, and entry 192 repeating entry 0 so that an index of 192 is safe.
constexpr std::array<Rgb, 193> MakeSpectrum() {
    std::array<Rgb, 193> table{};
    for (std::size_t i = 0; i < 32; ++i) {
        const std::uint8_t up = kSpectrumRise[i];
        const std::uint8_t down = kSpectrumFall[i];
        table[i] = {255, up, 0};
        table[32 + i] = {down, 255, 0};
        table[64 + i] = {0, 255, up};
        table[96 + i] = {0, down, 255};
        table[128 + i] = {up, 0, 255};
        table[160 + i] = {255, 0, down};
    }
    table[192] = table[0];
    return table;
}

}  // namespace light_tables_detail

inline constexpr std::array<std::uint8_t, 128> BreathCurve = light_tables_detail::MakeBreathCurve();
inline constexpr std::array<std::uint8_t, 96> WaveCurve = light_tables_detail::MakeWaveCurve();
inline constexpr std::size_t kSpectrumSteps = 192;
inline constexpr std::array<Rgb, kSpectrumSteps + 1> SpectrumTable = light_tables_detail::MakeSpectrum();

inline constexpr std::array<Rgb, 4> FourColors = {Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255},
                                                  Rgb{255, 0, 0}};

// Frame periods in light-thread ticks, by speed level 0..4.
inline constexpr std::array<std::uint8_t, 5> FramePeriodFast = {5, 4, 3, 2, 1};     // mouse, keyboard
inline constexpr std::array<std::uint8_t, 5> FramePeriodShifted = {0, 5, 4, 3, 2};  // some keyboard effects
inline constexpr std::array<std::uint8_t, 5> FramePeriodSlow = {28, 23, 18, 13, 7};  // mouse pad, headset
// Flash on/off interval by speed level, in units of 200 ms.
inline constexpr std::array<std::uint8_t, 5> FlashInterval = {28, 23, 18, 13, 7};
inline constexpr std::uint32_t kFlashIntervalUnitMs = 200;

// A level from a file or a device is 0..4; anything else is taken as the
// nearest end, so a table is never read past its end.
constexpr std::size_t LevelIndex(std::uint8_t level) {
    return level > 4 ? 4 : level;
}

// One step of an effect's phase, in 8-bit arithmetic: forwards (direction
// non-zero) it wraps to 0 at `limit`; backwards a result at or past `limit`
// (the step went below 0) becomes limit − delta.
constexpr std::uint8_t StepPhase(std::uint8_t direction, std::uint8_t limit, std::uint8_t value,
                                 std::uint8_t delta) {
    if (direction != 0) {
        const auto next = static_cast<std::uint8_t>(value + delta);
        return next >= limit ? 0 : next;
    }
    const auto next = static_cast<std::uint8_t>(value - delta);
    return next >= limit ? static_cast<std::uint8_t>(limit - delta) : next;
}

// colour × alpha / 256, as every frame is sent.
constexpr std::uint8_t ScaleByAlpha(std::uint8_t colour, std::uint8_t alpha) {
    return static_cast<std::uint8_t>((static_cast<unsigned>(colour) * alpha) >> 8);
}

static_assert(BreathCurve[63] == 255 && BreathCurve[64] == 255 && BreathCurve[127] == 0);
static_assert(WaveCurve[0] == 22 && WaveCurve[47] == 255 && WaveCurve[48] == 255 && WaveCurve[95] == 22);
static_assert(SpectrumTable[0] == Rgb{255, 1, 0} && SpectrumTable[31] == Rgb{255, 255, 0});
static_assert(SpectrumTable[63] == Rgb{0, 255, 0} && SpectrumTable[95] == Rgb{0, 255, 255});
static_assert(SpectrumTable[127] == Rgb{0, 0, 255} && SpectrumTable[159] == Rgb{255, 0, 255});
static_assert(SpectrumTable[191] == Rgb{255, 0, 0} && SpectrumTable[192] == SpectrumTable[0]);
static_assert(StepPhase(1, 128, 127, 1) == 0 && StepPhase(0, 128, 0, 1) == 127);
static_assert(ScaleByAlpha(255, 30) == 29);

}  // namespace r88
