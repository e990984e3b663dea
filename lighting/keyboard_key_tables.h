#pragma once
// Where each key of the keyboard sits, as the keyboard's own light effects
// walk the board: the key matrix, the two snake orders, the rings round the
// centre key, the bloom curve and the paths of the burst, showcase and
// twinkle effects. An LED number of 126 (kNoKey) marks an empty place.
#include <array>
#include <cstddef>
#include <cstdint>

namespace r88 {

inline constexpr std::size_t kKeyboardLeds = 126;
inline constexpr std::uint8_t kNoKey = 126;
inline constexpr std::size_t kMatrixColumns = 23;
inline constexpr std::size_t kMatrixRows = 6;

using MatrixColumn = std::array<std::uint8_t, kMatrixRows>;

// Column 0 is the left edge, row 0 the function-key row.
// clang-format off
inline constexpr std::array<MatrixColumn, kMatrixColumns> KeyMatrix = {{
    {126, 120, 121, 122, 123, 124}, {126, 21, 42, 63, 84, 105}, {0, 22, 43, 64, 85, 106},
    {1, 23, 44, 65, 86, 126},       {2, 24, 45, 66, 87, 107},   {3, 25, 46, 67, 88, 126},
    {4, 26, 47, 68, 89, 108},       {126, 27, 48, 69, 90, 126}, {5, 28, 49, 70, 91, 126},
    {6, 29, 50, 71, 92, 109},       {7, 30, 51, 72, 93, 126},   {8, 31, 52, 73, 94, 125},
    {9, 32, 53, 74, 126, 110},      {10, 33, 54, 126, 126, 111}, {11, 34, 55, 75, 95, 126},
    {12, 126, 126, 126, 126, 112},  {13, 35, 56, 126, 126, 113}, {14, 36, 57, 126, 96, 114},
    {15, 37, 58, 126, 126, 115},    {126, 38, 59, 76, 97, 116}, {126, 39, 60, 77, 98, 126},
    {126, 40, 61, 78, 99, 117},     {126, 41, 126, 119, 118, 126},
}};

namespace keyboard_tables_detail {

inline constexpr std::array<std::uint8_t, 105> kSnakePath = {
    15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 21, 42, 63, 84, 105, 106, 107, 108, 109, 125,
    110, 111, 112, 113, 114, 115, 116, 117, 118, 119, 41, 40, 39, 38, 37, 36, 35, 34, 33, 32, 31, 30,
    29, 28, 27, 26, 25, 24, 23, 22, 43, 64, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99,
    78, 61, 60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 48, 47, 46, 45, 44, 65, 66, 67, 68, 69, 70,
    71, 72, 73, 74, 75, 76, 77};

inline constexpr std::array<std::uint8_t, 110> kSnakeRowsPath = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 41, 40, 39, 38, 37, 36, 35,
    34, 33, 32, 31, 30, 29, 28, 27, 26, 25, 24, 23, 22, 21, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52,
    53, 54, 55, 56, 57, 58, 59, 60, 61, 119, 78, 77, 76, 75, 126, 74, 73, 72, 71, 70, 69, 68, 67, 66,
    65, 64, 63, 84, 126, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 118, 117, 116, 115,
    114, 113, 112, 111, 110, 109, 108, 107, 106, 105};

inline constexpr std::array<std::uint8_t, 25> kBloomAttack = {
    0, 4, 8, 14, 22, 33, 45, 61, 77, 84, 100, 110, 120, 130, 140, 150, 158, 166, 175, 182, 191, 204,
    220, 234, 255};
inline constexpr std::array<std::uint8_t, 64> kBloomDecay = {
    248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158, 152, 146, 140, 134, 129,
    124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,  73,  69,  65,  61,  57,  53,  49,  45,  42,
    39,  36,  33,  30,  27,  24,  22,  20,  18,  16,  14,  12,  10,  9,   8,   7,   6,   5,   4,   3,
    2,   2,   1,   0};

template <std::size_t N>
constexpr std::array<std::uint8_t, kKeyboardLeds> PadWithNoKey(const std::array<std::uint8_t, N>& path) {
    std::array<std::uint8_t, kKeyboardLeds> out{};
    for (std::size_t i = 0; i < kKeyboardLeds; ++i) out[i] = i < N ? path[i] : kNoKey;
    return out;
}

constexpr std::array<std::uint8_t, 192> MakeBloomCurve() {
    std::array<std::uint8_t, 192> curve{};
    for (std::size_t i = 0; i < kBloomAttack.size(); ++i) curve[i] = kBloomAttack[i];
    for (std::size_t i = 0; i < kBloomDecay.size(); ++i) curve[kBloomAttack.size() + i] = kBloomDecay[i];
    return curve;
}

}  // namespace keyboard_tables_detail

// 105 keys in one path through the board, then 21 × kNoKey.
inline constexpr std::array<std::uint8_t, kKeyboardLeds> KeySnake =
    keyboard_tables_detail::PadWithNoKey(keyboard_tables_detail::kSnakePath);
// The path the snake trail's head walks, row by row; kNoKey marks no key.
inline constexpr std::array<std::uint8_t, kKeyboardLeds> KeySnakeRows =
    keyboard_tables_detail::PadWithNoKey(keyboard_tables_detail::kSnakeRowsPath);

using KeyRing = std::array<std::uint8_t, 12>;
// Ring 0 is the centre key; 126 fills a ring's empty entries.
inline constexpr std::array<KeyRing, 12> KeyRings = {{
    {51, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126, 126},
    {30, 50, 71, 72, 52, 31, 126, 126, 126, 126, 126, 126},
    {8, 29, 49, 70, 91, 92, 93, 73, 53, 32, 126, 126},
    {7, 28, 48, 69, 90, 109, 94, 74, 54, 33, 9, 126},
    {6, 27, 47, 68, 89, 110, 95, 75, 55, 34, 10, 11},
    {5, 26, 46, 67, 88, 108, 111, 112, 56, 35, 12, 125},
    {4, 25, 45, 66, 87, 113, 96, 57, 36, 13, 126, 126},
    {3, 24, 44, 65, 86, 114, 115, 58, 37, 15, 14, 126},
    {2, 23, 43, 64, 85, 107, 97, 76, 59, 38, 126, 126},
    {1, 22, 42, 63, 84, 106, 116, 98, 77, 60, 39, 126},
    {0, 21, 105, 117, 99, 78, 61, 40, 126, 126, 126, 126},
    {118, 119, 41, 126, 126, 126, 126, 126, 126, 126, 126, 126},
}};
// clang-format on

// Attack, decay and rest of one key's bloom, by its phase 0..191.
inline constexpr std::array<std::uint8_t, 192> BloomCurve = keyboard_tables_detail::MakeBloomCurve();

// The matrix cell of an LED; a column of 255 for an LED outside the matrix.
struct MatrixCell {
    std::uint8_t column = 255;
    std::uint8_t row = 0;
};

namespace keyboard_tables_detail {

constexpr std::array<MatrixCell, kKeyboardLeds> MakeCellOfLed() {
    std::array<MatrixCell, kKeyboardLeds> cells{};
    for (std::size_t c = 0; c < kMatrixColumns; ++c)
        for (std::size_t r = 0; r < kMatrixRows; ++r)
            if (KeyMatrix[c][r] < kKeyboardLeds)
                cells[KeyMatrix[c][r]] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(r)};
    return cells;
}

// The burst runs from the upper left to the lower right: step s lights the
// cells with 2 × column + row = s; the last two steps rest.
constexpr std::array<std::array<std::uint8_t, 12>, 52> MakeBurstPath() {
    std::array<std::array<std::uint8_t, 12>, 52> path{};
    for (auto& step : path) step.fill(kNoKey);
    for (std::size_t c = 0; c < kMatrixColumns; ++c)
        for (std::size_t r = 0; r < kMatrixRows; ++r) {
            if (KeyMatrix[c][r] == kNoKey) continue;
            auto& step = path[2 * c + r];
            for (auto& slot : step)
                if (slot == kNoKey) {
                    slot = KeyMatrix[c][r];
                    break;
                }
        }
    return path;
}

// The opening closes in from both edges: rows 2k and 2k + 1 light the upper
// and the lower three keys of columns k and 22 − k.
constexpr std::array<std::array<std::uint8_t, 6>, 20> MakeShowcaseOpening() {
    std::array<std::array<std::uint8_t, 6>, 20> rows{};
    for (std::size_t k = 0; k < 10; ++k)
        for (std::size_t half = 0; half < 2; ++half)
            for (std::size_t r = 0; r < 3; ++r) {
                const std::uint8_t left = KeyMatrix[k][half * 3 + r];
                const std::uint8_t right = KeyMatrix[22 - k][half * 3 + r];
                rows[2 * k + half][r] = left == kNoKey ? 255 : left;
                rows[2 * k + half][3 + r] = right == kNoKey ? 255 : right;
            }
    return rows;
}

// Each key's twinkle start phase by its cell: columns and rows apart by
// steps that keep neighbours out of step with each other.
constexpr std::array<std::array<std::uint8_t, kMatrixRows>, kMatrixColumns> MakeTwinkleSeed() {
    std::array<std::array<std::uint8_t, kMatrixRows>, kMatrixColumns> seed{};
    for (std::size_t c = 0; c < kMatrixColumns; ++c)
        for (std::size_t r = 0; r < kMatrixRows; ++r)
            seed[c][r] = static_cast<std::uint8_t>((c * 53 + r * 101) % 192);
    return seed;
}

}  // namespace keyboard_tables_detail

inline constexpr std::array<MatrixCell, kKeyboardLeds> CellOfLed = keyboard_tables_detail::MakeCellOfLed();
// 52 steps of up to 12 LEDs (kNoKey: none).
inline constexpr std::array<std::array<std::uint8_t, 12>, 52> BurstPath =
    keyboard_tables_detail::MakeBurstPath();
// 20 rows of up to 6 LEDs (255: none).
inline constexpr std::array<std::array<std::uint8_t, 6>, 20> ShowcaseOpening =
    keyboard_tables_detail::MakeShowcaseOpening();
// 16 pairs round the centre of the board; LED 72 among them ends the stage.
inline constexpr std::array<std::array<std::uint8_t, 2>, 16> ShowcasePairs = {{
    {8, 52},
    {31, 73},
    {7, 9},
    {30, 32},
    {51, 53},
    {72, 74},
    {93, 110},
    {94, 125},
    {6, 10},
    {29, 33},
    {50, 54},
    {71, 111},
    {92, 109},
    {49, 55},
    {70, 75},
    {91, 95},
}};
// Start phases (0..191) of the twinkle by matrix column and row.
inline constexpr std::array<std::array<std::uint8_t, kMatrixRows>, kMatrixColumns> TwinkleSeed =
    keyboard_tables_detail::MakeTwinkleSeed();

namespace keyboard_tables_detail {

constexpr std::array<bool, kKeyboardLeds> MakeInSnake() {
    std::array<bool, kKeyboardLeds> in{};
    for (const std::uint8_t led : KeySnake)
        if (led < kKeyboardLeds) in[led] = true;
    return in;
}
inline constexpr std::array<bool, kKeyboardLeds> kInSnake = MakeInSnake();

}  // namespace keyboard_tables_detail

// The LED itself when it occurs in KeySnake, else kNoKey.
constexpr std::uint8_t SnakeFilter(std::uint8_t led) {
    return led < kKeyboardLeds && keyboard_tables_detail::kInSnake[led] ? led : kNoKey;
}

static_assert(BloomCurve[24] == 255 && BloomCurve[25] == 248 && BloomCurve[88] == 0 && BloomCurve[87] == 1);
static_assert(KeySnake[104] == 77 && KeySnake[105] == kNoKey);
static_assert(KeySnakeRows[109] == 105 && KeySnakeRows[110] == kNoKey);
static_assert(CellOfLed[51].column == 10 && CellOfLed[51].row == 2 && CellOfLed[16].column == 255);
static_assert(SnakeFilter(16) == kNoKey && SnakeFilter(125) == 125);

}  // namespace r88
