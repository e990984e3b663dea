#include "lighting/keyboard_wave_planes.h"

namespace r88 {
namespace {

using Plane = std::array<std::uint8_t, kMatrixColumns>;

constexpr std::uint8_t Up(std::uint8_t bits) {
    return static_cast<std::uint8_t>(bits >> 1);
}
constexpr std::uint8_t Down(std::uint8_t bits) {
    return static_cast<std::uint8_t>(bits << 1);
}

// Column c takes its own bits moved by `move` ORed with its neighbour's on
// the side the plane comes from (`fromRight`: column c + 1).
template <typename Move>
Plane Spread(const Plane& old, bool fromRight, Move move) {
    Plane next{};
    for (std::size_t c = 0; c < kMatrixColumns; ++c) {
        std::uint8_t bits = move(old[c]);
        if (fromRight && c + 1 < kMatrixColumns) bits |= old[c + 1];
        if (!fromRight && c > 0) bits |= old[c - 1];
        next[c] = bits;
    }
    return next;
}

}  // namespace

std::uint8_t CWavePlanes::AnyPlane(std::size_t column) const {
    std::uint8_t bits = 0;
    for (std::size_t p = 0; p < kWavePlaneCount; ++p)
        bits |= bytes_[p][column].load(std::memory_order_relaxed);
    return bits;
}

void CWavePlanes::SetBitAll(std::size_t column, unsigned bit) {
    const auto mask = static_cast<std::uint8_t>(1u << bit);
    for (auto& plane : bytes_) plane[column].fetch_or(mask, std::memory_order_relaxed);
}

void CWavePlanes::Seed(std::size_t column, std::size_t row) {
    if (column < kMatrixColumns && row < kMatrixRows) SetBitAll(column, static_cast<unsigned>(row));
}

void CWavePlanes::ClearPlane(WavePlane plane) {
    for (auto& b : bytes_[Index(plane)]) b.store(0, std::memory_order_relaxed);
}

void CWavePlanes::Clear() {
    for (std::size_t p = 0; p < kWavePlaneCount; ++p) ClearPlane(static_cast<WavePlane>(p));
}

void CWavePlanes::Advance() {
    std::array<Plane, kWavePlaneCount> old{};
    for (std::size_t p = 0; p < kWavePlaneCount; ++p)
        for (std::size_t c = 0; c < kMatrixColumns; ++c)
            old[p][c] = bytes_[p][c].load(std::memory_order_relaxed);
    std::array<Plane, kWavePlaneCount> next{};
    next[Index(WavePlane::kUpLeft)] = Spread(old[Index(WavePlane::kUpLeft)], true, Up);
    next[Index(WavePlane::kDownLeft)] = Spread(old[Index(WavePlane::kDownLeft)], true, Down);
    next[Index(WavePlane::kUpRight)] = Spread(old[Index(WavePlane::kUpRight)], false, Up);
    next[Index(WavePlane::kDownRight)] = Spread(old[Index(WavePlane::kDownRight)], false, Down);
    for (std::size_t p = 0; p < kWavePlaneCount; ++p)
        for (std::size_t c = 0; c < kMatrixColumns; ++c)
            bytes_[p][c].store(next[p][c], std::memory_order_relaxed);
}

void CWavePlanes::AdvanceRowSplash() {
    ClearPlane(WavePlane::kUpLeft);
    ClearPlane(WavePlane::kDownRight);
    auto& left = bytes_[Index(WavePlane::kDownLeft)];
    for (std::size_t c = 0; c + 1 < kMatrixColumns; ++c)
        left[c].store(left[c + 1].load(std::memory_order_relaxed), std::memory_order_relaxed);
    left[kMatrixColumns - 1].store(0, std::memory_order_relaxed);
    auto& right = bytes_[Index(WavePlane::kUpRight)];
    for (std::size_t c = kMatrixColumns - 1; c > 0; --c)
        right[c].store(right[c - 1].load(std::memory_order_relaxed), std::memory_order_relaxed);
    right[0].store(0, std::memory_order_relaxed);
}

}  // namespace r88
