#pragma once
// Report descriptors of the emulated devices, shaped like the hardware.
#include <cstdint>
#include <span>

namespace r88::sim {

// Interface 0 of the keyboard: the boot keyboard (no report ids, one collection).
std::span<const uint8_t> BootKeyboardDescriptor();
// Interface 0 of the mouse: the boot mouse.
std::span<const uint8_t> BootMouseDescriptor();
// Interface 1 of the keyboard, the mouse and the mouse pad: 1 keyboard
// (report 1), 2 system control (report 2), 3 consumer control 0x0C/0x01 with
// the 16-bit notification report 3, 4 vendor 0xFF1C/0x92 with the 64-byte
// command report 4 in and out.
std::span<const uint8_t> GamingInterfaceDescriptor();
// Interface 3 of the headset: one consumer collection 0x0C/0x01 carrying the
// 64-byte command report 4 in and out and the 17-byte light output report 0xFF.
std::span<const uint8_t> HeadsetDescriptor();

inline constexpr uint8_t kNotificationReportId = 3;

}  // namespace r88::sim
