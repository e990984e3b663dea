// Host CPU time of writing a whole profile to the emulated keyboard: key
// block, macro image and settings record (the profile-selected sequence).
// Goal: under 2 ms CPU. The 10 ms wait before each end command is sleep, so
// it shows in the real time only.
#include <benchmark/benchmark.h>

#include <vector>

#include "keyboard/keyboard_protocol.h"
#include "keyboard/keyboard_write_sequences.h"
#include "sim/emulated_devices.h"
#include "sim/sim_bus.h"

namespace r88 {
namespace {

void BM_WriteKeyboardProfile(benchmark::State& state) {
    const bool withMacros = state.range(0) != 0;
    auto bus = std::make_shared<sim::SimHidBus>();
    auto device = sim::MakeEmulatedKeyboard();
    bus->Plug(device);
    std::string path;
    for (const std::string& p : bus->Paths())
        if (p.find("mi_01&col04") != std::string::npos) path = p;
    CHidCommandChannel channel(bus);
    if (!channel.OpenHid(path)) {
        state.SkipWithError("open failed");
        return;
    }
    CKeyboardProtocol keyboard(channel);
    if (keyboard.ReadConnection() != kResultOk) {
        state.SkipWithError("connection read failed");
        return;
    }

    KeyboardProfileWrite profile;
    profile.keyList.resize(kKeyboardUiKeys);
    for (size_t j = 0; j < kKeyboardUiKeys; ++j) profile.keyList[j].current.code = kDefaultKeyLayout[j];
    profile.light = {.effect = 3, .brightness = 4, .speed = 2, .red = 0xFF};
    if (withMacros) {
        // A full macro memory, as the store builds it.
        profile.macros = [](size_t capacity, std::vector<uint8_t>& image) {
            image.assign(capacity, 0x11);
            return 0;
        };
    }
    for (auto _ : state) benchmark::DoNotOptimize(WriteSelectedProfile(keyboard, profile));
    device->Log().Clear();
}
BENCHMARK(BM_WriteKeyboardProfile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace r88
