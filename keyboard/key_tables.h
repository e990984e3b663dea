#pragma once
// Fixed tables of the keyboard: the factory code of every on-screen key.
#include <array>
#include <cstddef>
#include <cstdint>

#include "profile/profile_records.h"

namespace r88 {

// The keyboard page shows 126 keys, numbered in the order of kDefaultKeyLayout;
// every host-side key structure is indexed by this number.
inline constexpr size_t kKeyboardUiKeys = 126;
// Key slots the keyboard may report: its key block of N x 3 bytes fits the
// 512-byte key table.
inline constexpr size_t kKeyboardMaxSlots = 170;
// LEDs sit on a matrix of 21 columns by 6 rows: index = row x 21 + column.
inline constexpr size_t kKeyboardLedColumns = 21;
inline constexpr size_t kKeyboardLedCount = 126;
// Marks a key without a slot or without an LED.
inline constexpr uint8_t kNoSlot = 255;
inline constexpr uint8_t kNoLed = 255;
// Key 103's LED is fixed whatever the LED table says.
inline constexpr size_t kFixedLedKey = 103;
inline constexpr uint8_t kFixedLedIndex = 100;

// Factory assignment of each UI key; blank positions send 20 00 00.
extern const std::array<KeyAssignment, kKeyboardUiKeys> kDefaultKeyLayout;

}  // namespace r88
