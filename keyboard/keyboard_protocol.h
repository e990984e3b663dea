#pragma once
// The keyboard's command sequences on its command channel: the connection
// read (information block, key block, LED table) that builds the slot map,
// the settings record, the key block, the macro image and the per-key light
// mask. The keyboard page owns one of these; r88ctl and the tests run the
// same object on a channel of their own.
//
// Results are the channel's CommandResult values: each operation returns the
// first command result that was not 1, or 1. Commands the keyboard skips on a
// closed channel (begin, the information block, the macro write) count as
// nothing; the rest return 0 there. Callers that carry on after a failure
// simply ignore the result.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "device/hid_command_channel.h"
#include "keyboard/keyboard_records.h"

namespace r88 {

// Builds the macro image for a memory of `capacity` bytes into `image`;
// returns 0 when the image is ready to send, -1 when it could not be built,
// or the positive excess count when it does not fit (nothing is then sent).
using MacroImageBuilder = std::function<int(size_t capacity, std::vector<uint8_t>& image)>;

// A key notification turned into a UI key.
struct KeyboardKeyEvent {
    size_t uiKey = 0;
    bool pressed = false;
};

class CKeyboardProtocol {
public:
    explicit CKeyboardProtocol(CHidCommandChannel& channel) : channel_(channel) {}

    // On connection: begin, the information block, the key table length
    // N x 3, the key block, the LED table, end; then the slot map. `keyList`
    // is the current profile's (what the host last wrote), so remapped keys
    // keep their slots; the map of an earlier connection helps the same way.
    // A closed channel reads nothing and keeps the map. N x 3 past 512 stops
    // after the information block with no map (no key gets a slot;
    // HasSlotMap tells). An information block, key block or LED table that
    // could not be read keeps the map as it was (a map from zeros would
    // leave every key without its slot).
    int ReadConnection(std::span<const KeyAssignmentPair> keyList = {});

    // The active profile p (1 byte at 0) and its record at p x 25 (byte 0
    // replaced by p) into `light` and the three flags of `system`; only while
    // open. A failed read changes nothing.
    int ReadSettings(LightState& light, KeyboardSystemSettings& system);

    // Begin (only while open), record 0 at offset 0, end.
    int WriteSettings(const LightState& light, const KeyboardSystemSettings& system);

    // The information block and begin (only while open), the key block for
    // `table` (only 0 is accepted, others give -201 and send nothing), end.
    // Without a slot map no key block is sent: an all-zero block would
    // disable every key.
    int WriteKeyAssignments(int table, std::span<const KeyAssignmentPair> keyList);

    // The information block (only while open), the image built for its
    // capacity, begin and the image (only while open and when the builder
    // gave 0), end. Returns the builder's result.
    int WriteMacros(const MacroImageBuilder& build);

    // The whole light mask, all on or all off.
    int SetAllKeyLights(bool on);
    // Sets or clears the mask bit of UI key `uiKey`'s LED and sends that one
    // byte at its own offset; a key without an LED sends nothing.
    int ToggleKeyLight(size_t uiKey, bool on);

    // The UI key of a key-down or key-up notification, by the slot map; none
    // for other codes and for slots no key is on.
    std::optional<KeyboardKeyEvent> KeyEventFor(uint16_t code) const;

    const KeySlotMap& SlotMap() const { return map_; }
    bool HasSlotMap() const { return hasMap_; }
    size_t SlotCount() const { return slotCount_; }
    const std::array<uint8_t, kInfoBlockSize>& Info() const { return info_; }
    size_t MacroCapacity() const { return static_cast<size_t>(info_[kInfoMacroUnits]) * 128; }
    const KeyboardSettingsRecord& Record() const { return record_; }
    const KeyboardSettingsRecord& PreviousRecord() const { return previous_; }
    const KeyLightMask& LightMask() const { return mask_; }

    static constexpr size_t kInfoSlotCount = 5;
    static constexpr size_t kInfoMacroUnits = 6;

private:
    int ReadInfo();

    CHidCommandChannel& channel_;
    std::array<uint8_t, kInfoBlockSize> info_{};
    size_t slotCount_ = 0;
    KeySlotMap map_;
    bool hasMap_ = false;
    KeyboardSettingsRecord record_{};
    KeyboardSettingsRecord previous_{};
    KeyLightMask mask_{};
};

}  // namespace r88
