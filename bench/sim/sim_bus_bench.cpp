#include <benchmark/benchmark.h>

#include "device/hid_command_set.h"
#include "device/hid_device.h"
#include "device/hid_device_list.h"
#include "sim/simulated_setup.h"

namespace r88 {
namespace {

std::string VendorPath(const sim::SimHidBus& bus) {
    for (const std::string& p : bus.Paths())
        if (p.find("pid_502b&mi_01&col04") != std::string::npos) return p;
    return {};
}

// One command packet written to the emulated keyboard and its reply read back,
// through CHidDevice on the emulated bus.
void BM_CommandWriteAndReply(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    setup.keyboard->Log().Clear();
    CHidDevice device(setup.bus);
    if (!device.Open(VendorPath(*setup.bus), true, true, true, false)) {
        state.SkipWithError("open failed");
        return;
    }
    std::array<uint8_t, kCommandPacketSize> request{kCommandReportId, 0, 0, kCmdReadData, 25};
    SealCommandPacket(request);
    std::array<uint8_t, kCommandPacketSize> reply{};
    for (auto _ : state) {
        size_t n = 0;
        if (!device.Write(request.data(), request.size(), 1000, &n) ||
            !device.Read(reply.data(), reply.size(), 1000, &n)) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CommandWriteAndReply);

// One enumeration of the emulated bus with keyboard, mouse pad and headset (10 paths).
void BM_EnumerateEmulatedBus(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    CHidDeviceList list(setup.bus);
    for (auto _ : state) {
        if (!list.Enumerate()) {
            state.SkipWithError("enumeration failed");
            break;
        }
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_EnumerateEmulatedBus);

// One discovery-style probe: open a path without access rights for its caps, then close.
void BM_ProbeOpenClose(benchmark::State& state) {
    sim::SimulatedSetup setup = sim::MakeSimulatedSetup();
    const std::string path = VendorPath(*setup.bus);
    CHidDevice probe(setup.bus);
    for (auto _ : state) {
        if (!probe.Open(path, false, false, true, false)) {
            state.SkipWithError("open failed");
            break;
        }
        probe.Close();
    }
}
BENCHMARK(BM_ProbeOpenClose);

}  // namespace
}  // namespace r88
