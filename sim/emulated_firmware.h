#pragma once
// The firmware behind an emulated device: command packets on the command
// interface go to the command set, light reports 0xFF to the headset's light
// registers; replies go back on the same interface (late, twice or never when
// a fault says so), and a fault can make the device leave the bus.
#include <cstdint>
#include <optional>

#include "sim/command_firmware.h"
#include "sim/headset_lights.h"
#include "sim/light_frame_stats.h"
#include "sim/sim_device.h"

namespace r88::sim {

class EmulatedFirmware : public ISimFirmware {
public:
    EmulatedFirmware(DeviceMemories factory, uint16_t commandInterface);

    bool TakesOutput(uint16_t interfaceNumber, std::span<const uint8_t> report) override;
    void OnOutputReport(SimDevice& device, uint16_t interfaceNumber, std::span<const uint8_t> report,
                        bool controlPipe) override;

    CommandFirmware& Commands() { return commands_; }
    HeadsetLights& Lights() { return lights_; }
    // Light frames received: stream frames, or the headset's light reports.
    LightFrameStats& FrameStats() { return frameStats_; }
    uint16_t CommandInterface() const { return commandInterface_; }

private:
    CommandFirmware commands_;
    HeadsetLights lights_;
    LightFrameStats frameStats_;
    uint16_t commandInterface_;
};

}  // namespace r88::sim
