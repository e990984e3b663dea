#pragma once
// The memories of each emulated device as it leaves the factory.
#include <array>
#include <cstdint>

#include "sim/firmware_memory.h"

namespace r88::sim {

// The keyboard's key matrix: 6 rows of 21 positions, the code (type, param1,
// param2) of each key as the factory assigns it. The keyboard scans it column
// by column, so key slot s is row s % 6, column s / 6, and the LED under it is
// row * 21 + column.
inline constexpr size_t kKeyboardRows = 6;
inline constexpr size_t kKeyboardColumns = 21;
inline constexpr size_t kKeyboardSlots = kKeyboardRows * kKeyboardColumns;  // 126
using KeyCode = std::array<uint8_t, 3>;
extern const std::array<std::array<KeyCode, kKeyboardColumns>, kKeyboardRows> kKeyboardFactoryMatrix;

// Slot s of the factory key block and the LED under it.
KeyCode KeyboardFactorySlotCode(size_t slot);
uint8_t KeyboardFactorySlotLed(size_t slot);

DeviceMemories KeyboardFactoryMemories();
DeviceMemories MouseFactoryMemories();
DeviceMemories MousePadFactoryMemories();
DeviceMemories HeadsetFactoryMemories();

// Mouse factory facts the tests read back.
inline constexpr uint8_t kMouseKeySlots = 12;
inline constexpr uint8_t kMouseDpiStep = 50;
inline constexpr uint16_t kMouseMaxDpiStep = 519;
inline constexpr uint16_t kMouseDpiBase = 50;

}  // namespace r88::sim
