#include <benchmark/benchmark.h>

#include "platform/hid_report_descriptor.h"
#include "sim/report_descriptors.h"

namespace r88 {
namespace {

// Parsing the four-collection descriptor of the keyboard's interface 1 (done on every open).
void BM_ParseGamingDescriptor(benchmark::State& state) {
    const auto bytes = sim::GamingInterfaceDescriptor();
    for (auto _ : state) {
        HidReportDescriptor d;
        benchmark::DoNotOptimize(ParseHidReportDescriptor(bytes, d));
    }
}
BENCHMARK(BM_ParseGamingDescriptor);

// Reading the notification usage out of one consumer report.
void BM_GetNotificationUsage(benchmark::State& state) {
    HidReportDescriptor d;
    ParseHidReportDescriptor(sim::GamingInterfaceDescriptor(), d);
    const HidCollection& consumer = d.collections[2];
    const uint8_t report[] = {0x03, 0x01, 0x04};
    std::vector<uint16_t> usages;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetHidUsages(consumer, HidReportKind::kInput, 0x0C, report, 1, usages));
    }
}
BENCHMARK(BM_GetNotificationUsage);

}  // namespace
}  // namespace r88
