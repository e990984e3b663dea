// The keyboard effects' reactions to key events and the wavefront marking
// they share with the renderers.
#include "lighting/keyboard_effects.h"

namespace r88 {

void CKeyboardEffects::MarkWavefront(const LightState& light, std::uint8_t level) {
    for (std::size_t c = 0; c < kMatrixColumns; ++c) {
        const std::uint8_t bits = planes_.AnyPlane(c);
        if (bits == 0) continue;
        for (std::size_t r = 0; r < kMatrixRows; ++r) {
            const std::uint8_t led = KeyMatrix[c][r];
            if ((bits & (1u << r)) == 0 || led == kNoKey) continue;
            SetLevel(led, level);
            if (light.multiColor != 0) SetHue(led, RandomHue());
        }
    }
}

void CKeyboardEffects::OnKeyEvent(std::span<const std::uint8_t> slotMap, std::uint8_t keySlot,
                                  std::uint8_t action, const LightState& light) {
    if (action != 1 && action != 2) return;
    for (std::size_t i = 0; i < slotMap.size() && i < kKeyboardLeds; ++i)
        if (slotMap[i] == keySlot) return DispatchKeyReaction(i, action, light);
}

void CKeyboardEffects::DispatchKeyReaction(std::size_t led, std::uint8_t action, const LightState& light) {
    if (led >= kKeyboardLeds) return;
    switch (light.effect) {
        case 7:
        case 8:
            return ReactRipple(led, action);
        case 6:
            return ReactLight(led, action);
        case 22:
            return ReactDarken(led, action);
        case 23:
            return ReactCross(led, action, light);
        case 21:
            return ReactRippleAny(led, action);
        default:
            return;
    }
}

void CKeyboardEffects::ReactRipple(std::size_t led, std::uint8_t action) {
    if (action == 1) ReactRippleAny(led, action);
}

void CKeyboardEffects::ReactRippleAny(std::size_t led, std::uint8_t action) {
    if (action == 0) return;
    const MatrixCell cell = CellOfLed[led];
    planes_.Seed(cell.column, cell.row);
}

void CKeyboardEffects::ReactLight(std::size_t led, std::uint8_t action) {
    keyPress_[led].store(action, std::memory_order_relaxed);
    SetLevel(led, 255);
}

void CKeyboardEffects::ReactDarken(std::size_t led, std::uint8_t action) {
    keyPress_[led].store(action, std::memory_order_relaxed);
    SetLevel(led, 0);
}

void CKeyboardEffects::ReactCross(std::size_t led, std::uint8_t action, const LightState& light) {
    const MatrixCell cell = CellOfLed[led];
    if (action == 0 || cell.column >= kMatrixColumns) return;
    const auto bit = [](int row) -> std::uint8_t {
        return row >= 0 && row < static_cast<int>(kMatrixRows) ? static_cast<std::uint8_t>(1u << row) : 0;
    };
    const int r = cell.row;
    const std::size_t c = cell.column;
    const auto orInto = [&](std::size_t column, std::uint8_t bits) {
        planes_.SetColumn(WavePlane::kUpLeft, column, planes_.Column(WavePlane::kUpLeft, column) | bits);
    };
    orInto(c, bit(r) | bit(r - 1) | bit(r + 1));
    if (c > 0) orInto(c - 1, bit(r) | bit(r + 1));
    if (c + 1 < kMatrixColumns) orInto(c + 1, bit(r) | bit(r - 1));
    MarkWavefront(light, 255);
    planes_.ClearPlane(WavePlane::kUpLeft);
}

}  // namespace r88
