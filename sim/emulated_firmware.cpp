#include "sim/emulated_firmware.h"

namespace r88::sim {

EmulatedFirmware::EmulatedFirmware(DeviceMemories factory, uint16_t commandInterface)
    : commands_(std::move(factory)), commandInterface_(commandInterface) {}

bool EmulatedFirmware::TakesOutput(uint16_t interfaceNumber, std::span<const uint8_t> report) {
    if (interfaceNumber != commandInterface_ || report.size() <= kPacketCommand ||
        report[0] != kCommandReportId)
        return true;
    return !commands_.Faults().StallsPacket(report[kPacketCommand]);
}

void EmulatedFirmware::OnOutputReport(SimDevice& device, uint16_t interfaceNumber,
                                      std::span<const uint8_t> report, bool controlPipe) {
    (void)controlPipe;
    if (interfaceNumber != commandInterface_ || report.empty()) return;
    if (report[0] == kHeadsetLightReportId) {
        lights_.Apply(report);
        return;
    }
    if (report[0] != kCommandReportId) return;
    const CommandOutcome outcome = commands_.Handle(report);
    if (outcome.unplug) {
        device.Disconnect();
        return;
    }
    for (const CommandPacket& reply : outcome.replies)
        device.SendInputReport(interfaceNumber, reply, outcome.delayMs);
}

}  // namespace r88::sim
