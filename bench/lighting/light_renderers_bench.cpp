// Time of one light frame for every renderer of every kind, plus a user
// light sequence and a full per-LED light list: each must stay far below a
// light-thread tick.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "device/device_tables.h"
#include "device/usb_device_core.h"
#include "lighting/light_effect_runner.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_engine.h"

namespace r88 {
namespace {

struct BenchKind {
    const char* name;
    const LightKindTable* table;
    int leds;
};

constexpr BenchKind kKinds[] = {
    {"mouse", &kMouseLightKind, 6},
    {"mousepad", &kMousePadLightKind, 15},
    {"headset", &kHeadsetLightKind, 13},
};

const char* EffectName(const LightEffectEntry& e) {
    switch (e.effect) {
        case LightEffect::kWave:
            return "wave";
        case LightEffect::kSpectrumCycle:
            return "spectrum";
        case LightEffect::kBreathing:
            return "breathing";
        case LightEffect::kFourColorBreathing:
            return "four_colour_breathing";
        case LightEffect::kStatic:
            return "static";
        case LightEffect::kFlash:
            return "flash";
        case LightEffect::kFourColorFlash:
            return "four_colour_flash";
        case LightEffect::kOff:
            return "off";
        case LightEffect::kTrail:
            return e.trail == TrailShape::kLedPairs ? "pair_trail"
                   : e.trail == TrailShape::kPerLed ? "led_trail"
                                                    : "group_trail";
        case LightEffect::kSequence:
            return "sequence";
        case LightEffect::kKindOwn:
            return "own";
    }
    return "?";
}

LightStep WaveStep() {
    LightStep s;
    s.mode = 4;
    s.brightness = 4;
    s.speed = 4;
    s.multiColor = 1;
    s.time = 1000;
    return s;
}

// One frame of `effect` (multicolour and single colour alike), the clock
// moving 1 ms per frame so flashes toggle as they would.
void BM_LightFrame(benchmark::State& state, BenchKind kind, std::uint8_t effect, std::uint8_t multi) {
    CUsbDeviceCore frame(nullptr);
    frame.SetLightCount(kind.leds);
    CLightEngine engine(kind.table);
    engine.ResetTrail(frame);
    engine.Sequence().Load({WaveStep(), WaveStep()});
    CLightEffectRunner runner(frame, engine);
    LightState light;
    light.effect = effect;
    light.brightness = 4;
    light.speed = 4;
    light.direction = 1;
    light.multiColor = multi;
    light.red = 200;
    runner.SetLight(light);
    std::uint32_t now = 0;
    for (auto _ : state) {
        runner.RenderFrame(now++);
        benchmark::DoNotOptimize(frame.GetLedValue(0));
    }
}

// The per-LED list with every LED set, the modes mixed.
void BM_LightList(benchmark::State& state, BenchKind kind) {
    CUsbDeviceCore frame(nullptr);
    frame.SetLightCount(kind.leds);
    CLightEngine engine(kind.table);
    std::vector<LedLightEntry> entries(static_cast<std::size_t>(kind.leds));
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = {static_cast<std::uint8_t>(i % 5), 4, 4, 1, 1, 10, 20, 30, 1};
    engine.LightList().Load(entries);
    std::uint32_t now = 0;
    for (auto _ : state) {
        engine.LightList().Apply(frame, now++);
        benchmark::DoNotOptimize(frame.GetLedValue(0));
    }
}

const bool kRegistered = [] {
    for (const BenchKind& kind : kKinds) {
        // Ids 0..8 and one past the table (a user light sequence).
        for (std::uint8_t id = 0; id <= kind.table->effects.size(); ++id) {
            const LightEffectEntry& entry = EffectEntry(*kind.table, id);
            for (const std::uint8_t multi : {0, 1}) {
                const std::string name = std::string("BM_LightFrame/") + kind.name + "/" +
                                         std::to_string(id) + "_" + EffectName(entry) +
                                         (multi != 0 ? "/multi" : "/single");
                benchmark::RegisterBenchmark(name.c_str(), BM_LightFrame, kind, id, multi);
            }
        }
        benchmark::RegisterBenchmark((std::string("BM_LightList/") + kind.name).c_str(), BM_LightList, kind);
    }
    return true;
}();

}  // namespace
}  // namespace r88
