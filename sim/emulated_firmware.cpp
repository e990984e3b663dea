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
        // A frame starts with the first register of the first zone.
        if (lights_.Apply(report) && report.size() > 2 && report[1] == kHeadsetZones[0] &&
            report[2] == kHeadsetFirstRegister)
            frameStats_.OnFrame(LightFrameStats::Clock::now());
        return;
    }
    if (report[0] != kCommandReportId) return;
    // A stream frame starts with its chunk at offset 0.
    if (report.size() > kPacketOffset + 1 && report[kPacketCommand] == kCmdStreamLight &&
        report[kPacketOffset] == 0 && report[kPacketOffset + 1] == 0)
        frameStats_.OnFrame(LightFrameStats::Clock::now());
    const CommandOutcome outcome = commands_.Handle(report);
    if (outcome.unplug) {
        device.Disconnect();
        return;
    }
    for (const CommandPacket& reply : outcome.replies)
        device.SendInputReport(interfaceNumber, reply, outcome.delayMs);
}

}  // namespace r88::sim
