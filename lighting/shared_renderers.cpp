#include "lighting/shared_renderers.h"

#include "lighting/led_value.h"
#include "lighting/light_tables.h"

namespace r88 {
namespace {

constexpr Rgb StateColour(const LightState& light) {
    return {light.red, light.green, light.blue};
}

// Four-colour effects count 0..3; a counter left above that by another
// effect starts again at 0 instead of reading past the four colours.
std::uint8_t FourColourIndex(std::uint8_t counter) {
    return counter < FourColors.size() ? counter : 0;
}

}  // namespace

void FillFrame(CUsbDeviceCore& frame, std::uint32_t record) {
    const int count = frame.LightCount();
    for (int i = 0; i < count; ++i) frame.SetLedValue(i, record);
}

bool FlashDue(std::uint32_t nowMs, std::uint32_t lastMs, std::uint8_t speed) {
    return nowMs - lastMs >=
           static_cast<std::uint32_t>(FlashInterval[LevelIndex(speed)]) * kFlashIntervalUnitMs;
}

void RenderBreathing(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light) {
    state.phase = StepPhase(light.direction, 128, state.phase, 1);
    if (state.phase == 0) {
        state.colourIndex = static_cast<std::uint8_t>(state.colourIndex + 16);
        if (state.colourIndex > kSpectrumSteps) state.colourIndex = 0;
    }
    const Rgb colour = light.multiColor != 0 ? SpectrumAt(state.colourIndex) : StateColour(light);
    FillFrame(frame, PackLed(colour, ScaledLevel(light.brightness, BreathCurve[state.phase])));
}

void RenderFourColorBreathing(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light) {
    state.phase = StepPhase(light.direction, 128, state.phase, 1);
    state.colourIndex = FourColourIndex(state.colourIndex);
    if (state.phase == 0)
        state.colourIndex = FourColourIndex(static_cast<std::uint8_t>(state.colourIndex + 1));
    FillFrame(frame, PackLed(FourColors[state.colourIndex],
                             ScaledLevel(light.brightness, BreathCurve[state.phase])));
}

void RenderStatic(CUsbDeviceCore& frame, const LightState& light) {
    FillFrame(frame, PackLed(StateColour(light), LevelAlpha(light.brightness)));
}

void RenderSpectrumCycle(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light) {
    state.phase = StepPhase(light.direction, static_cast<std::uint8_t>(kSpectrumSteps), state.phase, 1);
    FillFrame(frame, PackLed(SpectrumTable[state.phase], LevelAlpha(light.brightness)));
}

void RenderFlash(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                 std::uint32_t nowMs) {
    if (FlashDue(nowMs, state.lastFlashMs, light.speed)) {
        state.flashOn = state.flashOn != 0 ? 0 : 1;
        state.lastFlashMs = nowMs;
        state.phase = static_cast<std::uint8_t>(state.phase + 16);
        if (state.phase >= kSpectrumSteps) state.phase = 0;
    }
    if (state.flashOn == 0) {
        FillFrame(frame, 0);
        return;
    }
    const Rgb colour = light.multiColor != 0 ? SpectrumAt(state.phase) : StateColour(light);
    FillFrame(frame, PackLed(colour, LevelAlpha(light.brightness)));
}

void RenderFourColorFlash(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                          std::uint32_t nowMs) {
    state.phase = FourColourIndex(state.phase);
    if (FlashDue(nowMs, state.lastFlashMs, light.speed)) {
        state.flashOn = state.flashOn != 0 ? 0 : 1;
        state.lastFlashMs = nowMs;
        state.phase = FourColourIndex(static_cast<std::uint8_t>(state.phase + 1));
    }
    FillFrame(frame, state.flashOn != 0 ? PackLed(FourColors[state.phase], LevelAlpha(light.brightness)) : 0);
}

void RenderOff(CUsbDeviceCore& frame) {
    FillFrame(frame, 0);
}

}  // namespace r88
