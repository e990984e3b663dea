// Time of one frame of each of the keyboard's own effects, multicolour (the
// random hues of the wavefronts make it the heavier side). The reacting
// effects take a key press every eighth frame, so their fronts stay busy.
#include <benchmark/benchmark.h>

#include <string>

#include "device/usb_device_core.h"
#include "lighting/keyboard_effects.h"
#include "lighting/light_effect_runner.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_engine.h"

namespace r88 {
namespace {

void BM_KeyboardFrame(benchmark::State& state, std::uint8_t effect) {
    CUsbDeviceCore frame(nullptr);
    frame.SetLightCount(126);
    CLightEngine engine(&kKeyboardLightKind);
    CKeyboardEffectShared shared;
    shared.Seed(1);
    CKeyboardEffects effects(frame, engine.State(), shared);
    CLightEffectRunner runner(frame, engine);
    runner.SetKeyboardEffects(&effects);
    LightState light;
    light.effect = effect;
    light.brightness = 4;
    light.speed = 4;
    light.direction = 1;
    light.multiColor = 1;
    runner.SetLight(light);
    effects.ApplyLight(light);
    std::uint32_t now = 0;
    for (auto _ : state) {
        if ((now & 7) == 0) {
            effects.DispatchKeyReaction(51, 1, light);
            effects.DispatchKeyReaction(51, 2, light);
        }
        runner.RenderFrame(now++);
        benchmark::DoNotOptimize(frame.GetLedValue(0));
    }
}

const bool kRegistered = [] {
    for (std::uint8_t id = 0; id < kKeyboardLightKind.effects.size(); ++id)
        if (EffectEntry(kKeyboardLightKind, id).effect == LightEffect::kKindOwn)
            benchmark::RegisterBenchmark(("BM_KeyboardFrame/" + std::to_string(id)).c_str(), BM_KeyboardFrame,
                                         id);
    return true;
}();

}  // namespace
}  // namespace r88
