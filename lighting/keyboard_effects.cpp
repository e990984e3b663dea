#include "lighting/keyboard_effects.h"

#include "lighting/led_value.h"
#include "lighting/light_tables.h"

namespace r88 {
namespace {

constexpr std::uint8_t U8(unsigned v) {
    return static_cast<std::uint8_t>(v);
}

Rgb LightColour(const LightState& light) {
    return {light.red, light.green, light.blue};
}

// Effect ids by their set-up.
enum class SetUp : std::uint8_t {
    kHueStagger,
    kNone,
    kCentreColumn,
    kEdgeColumn,
    kTwinkle,
    kBloom,
    kLevelsOne
};

SetUp SetUpOf(std::uint8_t effect) {
    switch (effect) {
        case 9:
            return SetUp::kNone;
        case 12:
            return SetUp::kCentreColumn;
        case 14:
            return SetUp::kTwinkle;
        case 15:
            return SetUp::kEdgeColumn;
        case 21:
            return SetUp::kLevelsOne;
        case 25:
            return SetUp::kBloom;
        default:
            return SetUp::kHueStagger;
    }
}

}  // namespace

CKeyboardEffectShared& CKeyboardEffectShared::Process() {
    static CKeyboardEffectShared shared;
    return shared;
}

unsigned CKeyboardEffectShared::Random() {
    const std::uint32_t next = random_.load(std::memory_order_relaxed) * 1103515245u + 12345u;
    random_.store(next, std::memory_order_relaxed);
    return (next >> 16) & 0x7FFF;
}

std::uint8_t CKeyboardEffectShared::NextBloomHue() {
    return U8(bloomHue_.fetch_add(10, std::memory_order_relaxed) + 10u);
}

// ---- effect change ----

void CKeyboardEffects::ApplyLight(const LightState& light) {
    if (appliedEffect_ != light.effect) ChangeEffect(light.effect);
}

void CKeyboardEffects::ChangeEffect(std::uint8_t effect) {
    appliedEffect_ = effect;
    ResetKeyEffects();
    SetUpEffect(effect);
}

void CKeyboardEffects::ResetKeyEffects() {
    state_.phase = 0;
    frameCounter_ = 0;
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        SetLevel(k, 0);
        // A key still held under the old effect would otherwise come back lit.
        keyPress_[k].store(0, std::memory_order_relaxed);
    }
    planes_.Clear();
}

void CKeyboardEffects::SetUpEffect(std::uint8_t effect) {
    switch (SetUpOf(effect)) {
        case SetUp::kHueStagger:
            SeedHueStagger();
            break;
        case SetUp::kNone:
            break;
        case SetUp::kCentreColumn:
            planes_.SetBitAll(9, 6);
            break;
        case SetUp::kEdgeColumn:
            planes_.SetBitAll(1, 0);
            break;
        case SetUp::kTwinkle:
            SeedTwinkle();
            break;
        case SetUp::kBloom:
            SeedColumnBloom();
            break;
        case SetUp::kLevelsOne:
            SeedLevelsOne();
            break;
    }
}

void CKeyboardEffects::SeedHueStagger() {
    std::uint8_t s = 0;
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        s = U8(s + (s < 160 || s > 222 ? 33u : 97u));
        SetHue(k, s);
    }
}

void CKeyboardEffects::SeedTwinkle() {
    for (std::size_t c = 0; c < kMatrixColumns; ++c)
        for (std::size_t r = 0; r < kMatrixRows; ++r) {
            const std::uint8_t led = KeyMatrix[c][r];
            if (led == kNoKey) continue;
            SetLevel(led, TwinkleSeed[c][r]);
            SetHue(led, U8(7 * c));
        }
}

void CKeyboardEffects::SeedColumnBloom() {
    for (std::size_t i = 0; i < kMatrixColumns; ++i) {
        std::uint8_t a = U8(192 - 8 * i);
        for (std::size_t j = 0; j < kMatrixRows; ++j) {
            const std::uint8_t b = U8(a - 35u) >= 192 ? U8(a - 98u) : U8(a - 35u);
            const std::uint8_t led = KeyMatrix[i][j];
            if (led != kNoKey) {
                keyPhase_[led] = b;
                SetHue(led, U8(7 * i));
            }
            a = b;
        }
    }
}

void CKeyboardEffects::SeedLevelsOne() {
    for (const std::uint8_t led : KeySnake)
        if (led != kNoKey) SetLevel(led, 1);
}

// ---- drawing helpers ----

Rgb CKeyboardEffects::KeyedColour(std::size_t led, const LightState& light) const {
    return light.multiColor != 0 ? SpectrumAt(KeyHue(led)) : LightColour(light);
}

void CKeyboardEffects::DrawKeyed(std::size_t led, const LightState& light) {
    frame_.SetLedValue(static_cast<int>(led),
                       PackLed(KeyedColour(led, light), ScaledLevel(light.brightness, KeyLevel(led))));
}

void CKeyboardEffects::DecayAndDrawAll(const LightState& light) {
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        frame_.DecayTrail(k, true);
        DrawKeyed(k, light);
    }
}

void CKeyboardEffects::DecayAndDrawSnake(const LightState& light) {
    for (const std::uint8_t led : KeySnake) {
        if (led == kNoKey) continue;
        frame_.DecayTrail(led, true);
        DrawKeyed(led, light);
    }
}

void CKeyboardEffects::LightKey(std::uint8_t led) {
    if (led >= kKeyboardLeds) return;
    SetLevel(led, 255);
    SetHue(led, RandomHue());
}

// ---- renderers ----

void CKeyboardEffects::Render(std::uint8_t renderer, const LightState& light) {
    switch (renderer) {
        case 0:
            return RenderColumnWave(light, false);
        case 1:
            return RenderColumnSweep(light);
        case 2:
            return RenderSnakeWave(light);
        case 6:
        case 32:
            return RenderReactiveFade(light);
        case 7:
            return RenderRipple(light);
        case 8:
            return RenderRowSplash(light);
        case 9:
            return RenderSparkle(light);
        case 10:
            return RenderRainbowKeys(light);
        case 11:
            return RenderColumnWave(light, true);
        case 12:
            return RenderCentreSweep(light);
        case 13:
            return RenderShowcase(light);
        case 14:
            return RenderTwinkle(light);
        case 15:
            return RenderEdgeSweep(light);
        case 17:
            return RenderRingRainbow(light);
        case 25:
            return RenderColumnBloom(light);
        case 27:
            return RenderRedMask(light);
        case 28:
            return RenderSnakeTrail(light);
        case 31:
            return RenderPathBurst(light);
        default:
            return;
    }
}

// The column wave, or with `rows` the row wave: one step of the wave per
// column (row), every key of it alike.
void CKeyboardEffects::RenderColumnWave(const LightState& light, bool rows) {
    const std::size_t lines = rows ? kMatrixRows : kMatrixColumns;
    const auto drawLine = [&](std::size_t line, std::uint32_t record) {
        for (std::size_t other = 0; other < (rows ? kMatrixColumns : kMatrixRows); ++other) {
            const std::uint8_t led = rows ? KeyMatrix[other][line] : KeyMatrix[line][other];
            if (led != kNoKey) frame_.SetLedValue(led, record);
        }
    };
    const std::uint8_t full = LevelAlpha(light.brightness);
    if (light.multiColor != 0) {
        const std::uint8_t phase = state_.phase = StepPhase(light.direction, 192, state_.phase, 1);
        std::uint8_t h = U8(phase + 65u) < 64 ? U8(phase + 65u) : U8(phase + 1u);
        for (std::size_t i = 0; i < lines; ++i) {
            drawLine(i, PackLed(SpectrumAt(h), full));
            h = h >= 185 && h <= 248 ? U8(h + 71u) : U8(h + 7u);
        }
        return;
    }
    const std::uint8_t phase = state_.phase = StepPhase(light.direction, 96, state_.phase, 3);
    std::uint8_t w = phase + 1u >= 96 ? U8(phase - 95u) : U8(phase + 1u);
    for (std::size_t i = 0; i < lines; ++i) {
        drawLine(i, PackLed(LightColour(light), ScaleByAlpha(full, WaveCurve[w % WaveCurve.size()])));
        w = w >= 89 && w <= 248 ? U8(w - 89u) : U8(w + 7u);
    }
}

void CKeyboardEffects::RenderColumnSweep(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    const auto drawColumn = [&](std::size_t c, std::uint32_t record) {
        for (const std::uint8_t led : KeyMatrix[c])
            if (led != kNoKey) frame_.SetLedValue(led, record);
    };
    if (light.multiColor != 0) {
        std::uint8_t h = state_.phase = StepPhase(light.direction, 192, state_.phase, 1);
        for (std::size_t c = 0; c < kMatrixColumns; ++c) {
            drawColumn(c, PackLed(SpectrumAt(h), full));
            h = h >= 190 && h <= 253 ? U8(h + 66u) : U8(h + 2u);
        }
        return;
    }
    std::uint8_t w = state_.phase = StepPhase(light.direction, 96, state_.phase, 1);
    for (std::size_t c = 0; c < kMatrixColumns; ++c) {
        drawColumn(c, PackLed(LightColour(light), ScaleByAlpha(full, BloomCurve[w % BloomCurve.size()])));
        w = w >= 95 && w <= 254 ? U8(w - 95u) : U8(w + 1u);
    }
}

void CKeyboardEffects::RenderSnakeWave(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    if (light.multiColor != 0) {
        std::uint8_t h = state_.phase = StepPhase(light.direction, 192, state_.phase, 1);
        for (const std::uint8_t led : KeySnake) {
            if (led == kNoKey) continue;
            frame_.SetLedValue(led, PackLed(SpectrumAt(h), full));
            h = h + 5u >= 192 ? U8(h + 69u) : U8(h + 5u);
        }
        return;
    }
    std::uint8_t w = state_.phase = StepPhase(light.direction, 96, state_.phase, 3);
    for (const std::uint8_t led : KeySnake) {
        if (led == kNoKey) continue;
        frame_.SetLedValue(led,
                           PackLed(LightColour(light), ScaleByAlpha(full, WaveCurve[w % WaveCurve.size()])));
        w = w + 5u >= 96 ? U8(w - 91u) : U8(w + 5u);
    }
}

void CKeyboardEffects::RenderSnakeTrail(const LightState& light) {
    // The head index runs 0..126; 126 and beyond mark no key (the path has
    // 126 entries, so the head's rest position is never read).
    const auto lightHead = [&](std::uint8_t at) {
        if (at < KeySnakeRows.size() && KeySnakeRows[at] != kNoKey) SetLevel(KeySnakeRows[at], 254);
    };
    if (light.direction != 0) {
        if (state_.phase > 125) {
            state_.phase = 0;
        } else {
            lightHead(state_.phase);
            state_.phase = U8(state_.phase + 1u);
        }
    } else if (state_.phase == 0) {
        state_.phase = 126;
    } else {
        lightHead(state_.phase);
        state_.phase = U8(state_.phase - 1u);
    }
    DecayAndDrawSnake(light);
}

void CKeyboardEffects::RenderColumnBloom(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    for (const std::uint8_t led : KeySnake) {
        if (led == kNoKey) continue;
        std::uint8_t p = U8(keyPhase_[led] + 3u);
        if (p >= 192) {
            p = 0;
            SetHue(led, shared_.NextBloomHue());
        }
        keyPhase_[led] = p;
        frame_.SetLedValue(led, PackLed(KeyedColour(led, light), ScaleByAlpha(full, BloomCurve[p])));
    }
}

void CKeyboardEffects::RenderTwinkle(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    for (const std::uint8_t led : KeySnake) {
        if (led == kNoKey) continue;
        std::uint8_t p = U8(KeyLevel(led) + 3u);
        if (p >= 192) {
            p = 0;
            SetHue(led, RandomHue());
        }
        SetLevel(led, p);
        frame_.SetLedValue(led, PackLed(KeyedColour(led, light), ScaleByAlpha(full, BloomCurve[p])));
    }
}

void CKeyboardEffects::RenderSparkle(const LightState& light) {
    for (int n = 0; n < 6; ++n) {
        const std::uint8_t led = KeySnake[shared_.Random() % 104];
        SetHue(led, RandomHue());
        SetLevel(led, 255);
    }
    DecayAndDrawAll(light);
}

void CKeyboardEffects::RenderRainbowKeys(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        const std::uint8_t hue = NextSpectrumIndex(KeyHue(k));
        SetHue(k, hue);
        frame_.SetLedValue(static_cast<int>(k), PackLed(SpectrumAt(hue), full));
    }
}

void CKeyboardEffects::RenderRingRainbow(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    std::uint8_t h = state_.phase = StepPhase(light.direction, 192, state_.phase, 1);
    for (const KeyRing& ring : KeyRings) {
        h = h + 7u >= 192 ? U8(h + 71u) : U8(h + 7u);
        for (const std::uint8_t key : ring) {
            const std::uint8_t led = SnakeFilter(key);
            if (led != kNoKey) frame_.SetLedValue(led, PackLed(SpectrumAt(h), full));
        }
    }
}

void CKeyboardEffects::RenderRipple(const LightState& light) {
    MarkWavefront(light, 255);
    planes_.Advance();
    DecayAndDrawAll(light);
}

void CKeyboardEffects::RenderRowSplash(const LightState& light) {
    MarkWavefront(light, 255);
    planes_.AdvanceRowSplash();
    DecayAndDrawAll(light);
}

void CKeyboardEffects::RenderReactiveFade(const LightState& light) {
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        const std::uint8_t level = KeyLevel(k);
        switch (KeyPress(k)) {
            case 1:
                SetLevel(k, level > 240 ? 255 : U8(level + 15u));
                break;
            case 2:
                SetLevel(k, level > 5 ? U8(level - 5u) : 0);
                break;
            default:
                break;
        }
        DrawKeyed(k, light);
    }
}

void CKeyboardEffects::RenderCentreSweep(const LightState& light) {
    const std::uint8_t centre = planes_.AnyPlane(9);
    if (centre == 1) planes_.SetBitAll(9, 0);
    if (centre == 64) planes_.SetBitAll(9, 6);
    if (frameCounter_ > 1) {
        frameCounter_ = 0;
        MarkWavefront(light, 255);
        planes_.Advance();
    }
    frameCounter_ = U8(frameCounter_ + 1u);
    DecayAndDrawAll(light);
}

void CKeyboardEffects::RenderEdgeSweep(const LightState& light) {
    if (planes_.AnyPlane(1) == 1) planes_.SetBitAll(1, 0);
    if (planes_.AnyPlane(22) == 64) planes_.SetBitAll(22, 6);
    MarkWavefront(light, 255);
    planes_.Advance();
    DecayAndDrawSnake(light);
}

void CKeyboardEffects::RenderPathBurst(const LightState& light) {
    state_.phase = StepPhase(light.direction, static_cast<std::uint8_t>(BurstPath.size()), state_.phase, 1);
    for (const std::uint8_t led : BurstPath[state_.phase % BurstPath.size()]) {
        if (led == kNoKey) continue;
        SetLevel(led, 255);
        SetHue(led, 0);
    }
    const std::uint8_t full = LevelAlpha(light.brightness);
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        const std::uint8_t level = KeyLevel(k);
        // Stops at 0 rather than wrapping round to a bright key.
        if (level != 0) SetLevel(k, level > 5 ? U8(level - 5u) : 0);
        const std::uint8_t hue = KeyHue(k);
        if (hue != 255) SetHue(k, U8(hue + 3u));
        if (light.multiColor != 0)
            frame_.SetLedValue(static_cast<int>(k), PackLed(SpectrumAt(KeyHue(k)), full));
        else
            DrawKeyed(k, light);
    }
}

void CKeyboardEffects::RenderShowcase(const LightState& light) {
    switch (frameCounter_) {
        case 0:
            for (const std::uint8_t led : ShowcaseOpening[state_.phase % ShowcaseOpening.size()])
                LightKey(led);
            state_.phase = U8(state_.phase + 1u);
            if (state_.phase >= ShowcaseOpening.size()) {
                state_.phase = 0;
                frameCounter_ = 1;
            }
            break;
        case 1:
            if (state_.phase <= 30) {
                for (const std::uint8_t led : ShowcasePairs[state_.phase % ShowcasePairs.size()])
                    LightKey(led);
                state_.phase = U8(state_.phase + 1u);
            } else if (KeyLevel(72) == 0) {
                frameCounter_ = 2;
                state_.phase = 0;
            }
            break;
        case 2:
            ReactRipple(52, 1);
            frameCounter_ = 3;
            break;
        case 3:
            MarkWavefront(light, 255);
            planes_.Advance();
            if (KeyLevel(124) != 0) frameCounter_ = 4;
            break;
        default:
            if (KeyLevel(124) == 0) {
                frameCounter_ = 0;
                state_.phase = 0;
            }
            break;
    }
    DecayAndDrawAll(light);
}

void CKeyboardEffects::RenderRedMask(const LightState& light) {
    const std::uint8_t full = LevelAlpha(light.brightness);
    for (std::size_t k = 0; k < kKeyboardLeds; ++k) {
        const std::uint32_t v = frame_.GetLedValue(static_cast<int>(k));
        const Rgb colour = LedColour(v);
        frame_.SetLedValue(static_cast<int>(k), PackLed(colour, colour.red == 255 ? full : 0));
    }
}

}  // namespace r88
