#pragma once
// The four wavefront planes of the keyboard's ripple family: one byte per
// matrix column, bit r set when row r of that column is on the front. A
// key event writes them from the notification thread while the light thread
// steps them, so every byte is a relaxed atomic: a frame may mix the planes
// before and after a key event, but never reads a torn value.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "lighting/keyboard_key_tables.h"

namespace r88 {

enum class WavePlane : std::uint8_t { kUpLeft, kUpRight, kDownRight, kDownLeft };
inline constexpr std::size_t kWavePlaneCount = 4;

class CWavePlanes {
public:
    std::uint8_t Column(WavePlane plane, std::size_t column) const {
        return bytes_[Index(plane)][column].load(std::memory_order_relaxed);
    }
    void SetColumn(WavePlane plane, std::size_t column, std::uint8_t bits) {
        bytes_[Index(plane)][column].store(bits, std::memory_order_relaxed);
    }
    // The column's bytes of all four planes ORed.
    std::uint8_t AnyPlane(std::size_t column) const;
    // Sets `bit` in `column` of all four planes.
    void SetBitAll(std::size_t column, unsigned bit);
    // The cell's row bit in its column of all four planes (no-op outside the matrix).
    void Seed(std::size_t column, std::size_t row);
    void ClearPlane(WavePlane plane);
    void Clear();

    // One step of the diamond: each plane spreads one column sideways while
    // the cells passed move one row up (towards row 0) or down.
    void Advance();
    // One step of the row splash: the left and right planes move one column
    // outwards without changing row; the other two are cleared.
    void AdvanceRowSplash();

private:
    static std::size_t Index(WavePlane plane) { return static_cast<std::size_t>(plane); }
    std::array<std::array<std::atomic<std::uint8_t>, kMatrixColumns>, kWavePlaneCount> bytes_{};
};

}  // namespace r88
