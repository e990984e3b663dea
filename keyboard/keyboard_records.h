#pragma once
// The keyboard's records as bytes: the slot map that ties the on-screen keys
// to key slots and LEDs, the key block, the 25-byte settings record, the
// per-key light mask and the key notifications. Pure functions, no channel.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_command_set.h"
#include "keyboard/key_tables.h"
#include "profile/profile_records.h"

namespace r88 {

// Which key slot and which LED belong to each UI key.
struct KeySlotMap {
    std::array<uint8_t, kKeyboardUiKeys> slotOf{};
    std::array<uint8_t, kKeyboardUiKeys> ledOf{};

    KeySlotMap() {
        slotOf.fill(kNoSlot);
        ledOf.fill(kNoLed);
    }
    // The lowest UI key on `slot`, if any.
    std::optional<size_t> KeyOnSlot(size_t slot) const;
    bool operator==(const KeySlotMap&) const = default;
};

// What the slot map is built from, besides the default layout.
struct KeySlotHints {
    // The codes the host last wrote, by UI key (the profile's current
    // assignments). A remapped key's slot holds this code, not its default.
    std::span<const KeyAssignment> current;
    // The map of an earlier connection of the same keyboard, if there was one.
    const KeySlotMap* previous = nullptr;
};

// Builds the slot map from the key block (slotCount x 3 bytes) and the LED
// table (slotCount bytes) read at connection:
//  1. with a previous map, a key keeps its previous slot while that slot
//     still holds the key's current code;
//  2. a key without a slot takes the first free slot holding its default
//     code; tried a second way, it first takes the first free slot holding
//     its current code (the keyboard returns the block as last written, so
//     a remapped key is found by its new code); the way that gives more keys
//     a slot wins, the current-code way on a tie;
//  3. UI keys below slotCount get the LED under their slot; key 103 always
//     gets LED 100.
// Keys of the same default code (the blank positions) share a slot; a slot
// taken by a key of another default code is not free; 00 00 00 (what every
// unused slot holds) matches no key by its current code. Without hints this is
// the plain default-code match.
// Slot counts beyond what the buffers hold and LED indexes past the matrix
// are ignored, never used as indexes.
KeySlotMap BuildKeySlotMap(std::span<const uint8_t> keyBlock, std::span<const uint8_t> ledTable,
                           size_t slotCount, const KeySlotHints& hints = {});

// The key block to write: 512 zero bytes with each mapped key's current code
// at its slot (the higher UI key wins a shared slot). Only the first
// slotCount x 3 bytes are sent.
std::array<uint8_t, kKeyTableMaxBytes> EncodeKeyBlock(const KeySlotMap& map,
                                                      std::span<const KeyAssignmentPair> keyList);

// ---- settings record ----
inline constexpr size_t kKeyboardRecordSize = 25;
using KeyboardSettingsRecord = std::array<uint8_t, kKeyboardRecordSize>;
// Effects the keyboard runs itself; higher ids are host-only and go as 0.
inline constexpr uint8_t kKeyboardEffectLimit = 18;

namespace record_byte {
inline constexpr size_t kActiveProfile = 0;
inline constexpr size_t kEffect = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeed = 3;  // 4 - speed
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColor = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kWinLock = 19;  // WFlag
inline constexpr size_t kKey6 = 20;     // Key6Flag
inline constexpr size_t kWinKey = 21;   // WinFlag
inline constexpr size_t kPollingRate = 22;
}  // namespace record_byte

// The system settings fields the record carries, in their words.
uint16_t WinLockFlag(const KeyboardSystemSettings& s);
uint16_t Key6Flag(const KeyboardSystemSettings& s);
uint16_t WinKeyFlag(const KeyboardSystemSettings& s);
uint16_t PollingRate(const KeyboardSystemSettings& s);

// Record 0 of active profile 0 from the profile's light state and system settings.
KeyboardSettingsRecord EncodeKeyboardSettings(const LightState& light, const KeyboardSystemSettings& system);
// The light state and the three flags of a record read back; everything the
// record does not carry (spare bytes, Repeat, RepeatDelay, PollingRate) keeps
// the value given in.
void DecodeKeyboardSettings(const KeyboardSettingsRecord& record, LightState& light,
                            KeyboardSystemSettings& system);

// ---- per-key light mask ----
inline constexpr size_t kKeyLightMaskSize = 21;
using KeyLightMask = std::array<uint8_t, kKeyLightMaskSize>;
// LED i is bit (i / 21) of byte (i % 21). Returns the byte changed, or
// nothing for an LED outside the matrix.
std::optional<size_t> SetKeyLightBit(KeyLightMask& mask, uint8_t led, bool on);

// ---- notifications ----
enum class KeyboardNotice { kNone, kSyncRequest, kKeyDown, kKeyUp };
struct KeyboardNotification {
    KeyboardNotice kind = KeyboardNotice::kNone;
    uint8_t slot = 0;  // key down and up
};
KeyboardNotification DecodeKeyboardNotification(uint16_t code);

// ---- macro write results ----
// The message a macro write result shows: -1 "message_text_7"; a positive
// excess n "message_text_16" formatted with n; 0 nothing (empty textId).
struct MacroResultMessage {
    std::string textId;
    int count = 0;
};
MacroResultMessage MacroResultMessageFor(int result);

}  // namespace r88
