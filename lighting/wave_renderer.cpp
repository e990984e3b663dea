#include "lighting/wave_renderer.h"

#include "lighting/led_value.h"
#include "lighting/light_tables.h"

namespace r88 {

void RenderWave(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                const WaveConstants& wave) {
    const int count = frame.LightCount();
    const std::uint8_t level = LevelAlpha(light.brightness);
    if (light.multiColor != 0) {
        state.phase = StepPhase(light.direction, static_cast<std::uint8_t>(kSpectrumSteps), state.phase, 1);
        unsigned k = state.phase + 1u;
        // The pad and the headset start on entry 192, which repeats entry 0.
        if (wave.reduceMultiStart && k >= kSpectrumSteps) k -= kSpectrumSteps;
        for (int i = 0; i < count; ++i) {
            frame.SetLedValue(i, PackLed(SpectrumTable[k], level));
            k += wave.multiStep;
            if (k >= kSpectrumSteps) k -= kSpectrumSteps;
        }
        return;
    }
    constexpr unsigned kCurve = WaveCurve.size();
    state.phase =
        StepPhase(light.direction, static_cast<std::uint8_t>(kCurve), state.phase, wave.singlePhaseStep);
    unsigned k = state.phase + static_cast<unsigned>(wave.singleStartOffset);
    if (k >= kCurve) k -= kCurve;
    const Rgb colour{light.red, light.green, light.blue};
    for (int i = 0; i < count; ++i) {
        frame.SetLedValue(i, PackLed(colour, ScaleByAlpha(level, WaveCurve[k])));
        k += wave.singleStep;
        if (k >= kCurve) k -= kCurve;
    }
}

}  // namespace r88
