#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "device/device_discovery.h"
#include "device/hid_command_channel.h"
#include "platform/hid_combined_backend.h"
#include "platform/hidraw_backend.h"
#include "sim/emulated_devices.h"
#include "sim/simulated_setup.h"

namespace r88 {
namespace {

std::string VendorPath(const sim::SimHidBus& bus, const char* fragment) {
    for (const std::string& p : bus.Paths())
        if (p.find(fragment) != std::string::npos) return p;
    return {};
}

// Host time of one Exchange (request, trace lines, write, matching reply)
// with the emulated keyboard behind the channel.
void BM_Exchange(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    CHidCommandChannel channel(setup.bus);
    if (!channel.OpenHid(VendorPath(*setup.bus, "pid_502b&mi_01&col04"))) {
        state.SkipWithError("open failed");
        return;
    }
    std::array<uint8_t, kCommandPacketSize> request{kCommandReportId, 0, 0, kCmdReadData, 25};
    SealCommandPacket(request);
    std::array<uint8_t, kCommandPacketSize> reply{};
    for (auto _ : state) {
        if (channel.Exchange(request, reply) != kResultOk) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Exchange);

// One light frame of the mouse pad (15 LEDs, 45 bytes, one packet) on the stream path.
void BM_StreamLightFrame(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    CHidCommandChannel channel(setup.bus);
    if (!channel.OpenHid(VendorPath(*setup.bus, "pid_6627&mi_01&col04"))) {
        state.SkipWithError("open failed");
        return;
    }
    const std::vector<uint8_t> frame(45, 0x40);
    for (auto _ : state) {
        if (channel.CMD_STREAM_LIGHT(frame) != kResultOk) {
            state.SkipWithError("stream failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StreamLightFrame);

class NoWindow : public IMessageSink {
public:
    void PostMessage(unsigned, uintptr_t, intptr_t) override {}
    intptr_t SendMessage(unsigned, uintptr_t, intptr_t) override { return 0; }
};

double ProcessCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU time of the discovery thread over state.range(0) seconds of wall time,
// with every device connected (range(1) = 1: presence checks only) or none
// (0: an enumeration every 100 ms), on the emulated bus alone (range(2) = 0)
// or, as "--simulate" runs, beside this machine's hidraw nodes listed with
// udev (1). The process does nothing else while it runs, so the process CPU
// time is the thread's. The reported time is that CPU time; "cpu_percent" is
// the share of one core, "listings_per_pass" how often the hidraw nodes were
// listed per 100 ms pass.
void BM_DiscoveryCpu(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    setup.bus->Plug(sim::MakeEmulatedMouse());  // ids 0: never claimed
    if (state.range(1) == 0) setup.bus->UnplugAll();
    const size_t expected = state.range(1) == 0 ? 0 : 5;
    const auto seconds = static_cast<int>(state.range(0));
    auto hidraw = std::make_shared<HidrawBackend>();
    std::shared_ptr<IHidBackend> backend = setup.bus;
    if (state.range(2) != 0)
        backend = std::make_shared<CombinedHidBackend>(std::vector<std::shared_ptr<IHidBackend>>{hidraw, setup.bus});
    for (auto _ : state) {
        NoWindow window;
        CDeviceDiscovery discovery(window, backend);
        discovery.Start();
        for (int i = 0; i < 200; ++i) {
            size_t claimed = 0;
            for (const DeviceInterfaceSlot& s : discovery.Slots()) claimed += s.connected;
            if (claimed == expected) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        const size_t listedBefore = hidraw->NodeListings();
        const double before = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        const double cpu = ProcessCpuSeconds() - before;
        const size_t listed = hidraw->NodeListings() - listedBefore;
        discovery.Stop();
        state.SetIterationTime(cpu);
        state.counters["cpu_percent"] = cpu / seconds * 100.0;
        if (state.range(2) != 0)
            state.counters["listings_per_pass"] =
                static_cast<double>(listed) / (seconds * 1000.0 / kDiscoveryPeriodMs);
    }
}
// One second always; the ten-second run when R88_BENCH_LONG is set.
BENCHMARK(BM_DiscoveryCpu)
    ->ArgNames({"s", "devices", "hidraw"})
    ->Args({1, 1, 0})
    ->Args({1, 0, 0})
    ->Args({1, 1, 1})
    ->Args({1, 0, 1})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
[[maybe_unused]] const bool kLongRegistered = [] {
    if (std::getenv("R88_BENCH_LONG") != nullptr)
        benchmark::RegisterBenchmark("BM_DiscoveryCpu/10s", BM_DiscoveryCpu)
            ->ArgNames({"s", "devices", "hidraw"})
            ->Args({10, 1, 0})
            ->Args({10, 0, 0})
            ->Args({10, 1, 1})
            ->Args({10, 0, 1})
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace r88
