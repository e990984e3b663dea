#pragma once
// The keyboard's own light effects: the renderers that know where each key
// sits (lighting/keyboard_key_tables.h), their per-key working state, the
// set-up that runs when the effect id changes, and the reactions to the
// keyboard's key notifications.
//
// Threads: the renderers run on the keyboard's light thread; OnKeyEvent and
// DispatchKeyReaction run on the notification reader and write the planes,
// the press states, levels and hues without a lock, so those are relaxed
// atomics. The levels are the device's trail intensities.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/usb_device_core.h"
#include "lighting/keyboard_key_tables.h"
#include "lighting/keyboard_wave_planes.h"
#include "lighting/light_renderer_state.h"
#include "lighting/light_tables.h"
#include "profile/profile_records.h"

namespace r88 {

// What every keyboard object shares: the hue counter of the column bloom
// and the random numbers of the sparkle, twinkle, showcase and wavefronts.
class CKeyboardEffectShared {
public:
    // The one the application's keyboards use.
    static CKeyboardEffectShared& Process();

    void Seed(std::uint32_t seed) { random_.store(seed, std::memory_order_relaxed); }
    // A linear congruential draw, 15 bits. Two threads drawing at once may
    // get the same number, which an effect does not mind.
    unsigned Random();
    // The counter after adding 10.
    std::uint8_t NextBloomHue();
    void SetBloomHueCounter(std::uint8_t value) { bloomHue_.store(value, std::memory_order_relaxed); }

private:
    std::atomic<std::uint32_t> random_{1};
    std::atomic<std::uint8_t> bloomHue_{0};
};

class CKeyboardEffects {
public:
    CKeyboardEffects(CUsbDeviceCore& frame, LightRendererState& state,
                     CKeyboardEffectShared& shared = CKeyboardEffectShared::Process())
        : frame_(frame), state_(state), shared_(shared) {}

    // The lighting was applied: a new effect id starts over (ChangeEffect);
    // brightness, speed, direction or colour alone keep the animation going.
    void ApplyLight(const LightState& light);
    // A new effect id: phase and frame counter 0, levels, press states and
    // planes cleared, then the id's set-up.
    void ChangeEffect(std::uint8_t effect);
    void ResetKeyEffects();
    void SetUpEffect(std::uint8_t effect);

    // Draws one frame of renderer `renderer` (the keyboard's effect id).
    void Render(std::uint8_t renderer, const LightState& light);

    // A key event from the keyboard: the first UI key whose slot in
    // `slotMap` is `keySlot` reacts; actions 1 (down) and 2 (up) only.
    void OnKeyEvent(std::span<const std::uint8_t> slotMap, std::uint8_t keySlot, std::uint8_t action,
                    const LightState& light);
    // The reaction of the light state's effect to key `led` (a no-op for
    // effects that do not react).
    void DispatchKeyReaction(std::size_t led, std::uint8_t action, const LightState& light);

    // Working state, for the picture and the tests.
    std::uint8_t KeyHue(std::size_t led) const { return keyHue_[led].load(std::memory_order_relaxed); }
    std::uint8_t KeyPress(std::size_t led) const { return keyPress_[led].load(std::memory_order_relaxed); }
    std::uint8_t KeyPhase(std::size_t led) const { return keyPhase_[led]; }
    std::uint8_t KeyLevel(std::size_t led) const { return frame_.TrailIntensity(led); }
    const CWavePlanes& Planes() const { return planes_; }
    std::uint8_t FrameCounter() const { return frameCounter_; }

private:
    using Bytes = std::array<std::atomic<std::uint8_t>, kKeyboardLeds>;

    void SetHue(std::size_t led, std::uint8_t hue) { keyHue_[led].store(hue, std::memory_order_relaxed); }
    void SetLevel(std::size_t led, std::uint8_t level) { frame_.SetTrailIntensity(led, level); }
    std::uint8_t RandomHue() { return static_cast<std::uint8_t>(shared_.Random() % kSpectrumHues); }
    // Light the key (level 255, random hue); 255 and kNoKey mark none.
    void LightKey(std::uint8_t led);

    Rgb KeyedColour(std::size_t led, const LightState& light) const;
    void DrawKeyed(std::size_t led, const LightState& light);
    void DecayAndDrawAll(const LightState& light);
    void DecayAndDrawSnake(const LightState& light);

    // Set-ups.
    void SeedHueStagger();
    void SeedTwinkle();
    void SeedColumnBloom();
    void SeedLevelsOne();

    // Renderers.
    void RenderColumnWave(const LightState& light, bool rows);
    void RenderColumnSweep(const LightState& light);
    void RenderSnakeWave(const LightState& light);
    void RenderSnakeTrail(const LightState& light);
    void RenderColumnBloom(const LightState& light);
    void RenderTwinkle(const LightState& light);
    void RenderSparkle(const LightState& light);
    void RenderRainbowKeys(const LightState& light);
    void RenderRingRainbow(const LightState& light);
    void RenderRipple(const LightState& light);
    void RenderRowSplash(const LightState& light);
    void RenderReactiveFade(const LightState& light);
    void RenderCentreSweep(const LightState& light);
    void RenderEdgeSweep(const LightState& light);
    void RenderPathBurst(const LightState& light);
    void RenderShowcase(const LightState& light);
    void RenderRedMask(const LightState& light);

    // Wavefronts.
    void MarkWavefront(const LightState& light, std::uint8_t level);

    // Reactions.
    void ReactRipple(std::size_t led, std::uint8_t action);
    void ReactRippleAny(std::size_t led, std::uint8_t action);
    void ReactLight(std::size_t led, std::uint8_t action);
    void ReactDarken(std::size_t led, std::uint8_t action);
    void ReactCross(std::size_t led, std::uint8_t action, const LightState& light);

    static constexpr unsigned kSpectrumHues = 192;

    CUsbDeviceCore& frame_;
    LightRendererState& state_;
    CKeyboardEffectShared& shared_;
    CWavePlanes planes_;
    Bytes keyHue_{};
    Bytes keyPress_{};
    std::array<std::uint8_t, kKeyboardLeds> keyPhase_{};
    std::uint8_t frameCounter_ = 0;
    int appliedEffect_ = -1;  // none applied yet
};

}  // namespace r88
