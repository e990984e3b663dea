#include "keyboard/keyboard_records.h"

#include <algorithm>

namespace r88 {
namespace {

KeyAssignment SlotCode(std::span<const uint8_t> keyBlock, size_t slot) {
    return {keyBlock[slot * 3], keyBlock[slot * 3 + 1], keyBlock[slot * 3 + 2]};
}

}  // namespace

std::optional<size_t> KeySlotMap::KeyOnSlot(size_t slot) const {
    for (size_t j = 0; j < kKeyboardUiKeys; ++j)
        if (slotOf[j] != kNoSlot && slotOf[j] == slot) return j;
    return std::nullopt;
}

namespace {

// The slots of one way of matching: the previous map where it still agrees,
// then the current codes (when currentFirst), then the default codes.
// Keys of the same default code (the blank positions) may share a slot; other
// keys never take a slot another key holds, so no slot loses its own key.
std::array<uint8_t, kKeyboardUiKeys> MatchSlots(std::span<const uint8_t> keyBlock, size_t slots,
                                                const KeySlotHints& hints, bool currentFirst) {
    std::array<uint8_t, kKeyboardUiKeys> slotOf{};
    slotOf.fill(kNoSlot);
    std::array<uint8_t, kKeyboardMaxSlots> takenBy{};
    takenBy.fill(kNoSlot);
    auto take = [&](size_t key, size_t slot) {
        slotOf[key] = static_cast<uint8_t>(slot);
        if (takenBy[slot] == kNoSlot) takenBy[slot] = static_cast<uint8_t>(key);
    };
    auto free = [&](size_t key, size_t slot) {
        return takenBy[slot] == kNoSlot || kDefaultKeyLayout[takenBy[slot]] == kDefaultKeyLayout[key];
    };
    auto matchFirst = [&](size_t key, const KeyAssignment& code) {
        // Every slot no key maps to holds 00 00 00: that code tells no slot apart.
        if (code == KeyAssignment{}) return;
        for (size_t k = 0; k < slots; ++k) {
            if (SlotCode(keyBlock, k) == code && free(key, k)) {
                take(key, k);
                return;
            }
        }
    };

    const bool haveCurrent = hints.current.size() >= kKeyboardUiKeys;
    if (hints.previous && haveCurrent) {
        for (size_t j = 0; j < kKeyboardUiKeys; ++j) {
            const uint8_t s = hints.previous->slotOf[j];
            if (s < slots && SlotCode(keyBlock, s) == hints.current[j] && free(j, s)) take(j, s);
        }
    }
    if (currentFirst && haveCurrent) {
        for (size_t j = 0; j < kKeyboardUiKeys; ++j)
            if (slotOf[j] == kNoSlot) matchFirst(j, hints.current[j]);
    }
    for (size_t j = 0; j < kKeyboardUiKeys; ++j)
        if (slotOf[j] == kNoSlot) matchFirst(j, kDefaultKeyLayout[j]);
    return slotOf;
}

size_t MappedKeys(const std::array<uint8_t, kKeyboardUiKeys>& slotOf) {
    return static_cast<size_t>(
        std::count_if(slotOf.begin(), slotOf.end(), [](uint8_t s) { return s != kNoSlot; }));
}

}  // namespace

KeySlotMap BuildKeySlotMap(std::span<const uint8_t> keyBlock, std::span<const uint8_t> ledTable,
                           size_t slotCount, const KeySlotHints& hints) {
    KeySlotMap map;
    // Only slots the block really holds (and that fit a slot number) take part.
    const size_t slots = std::min({slotCount, keyBlock.size() / 3, kKeyboardMaxSlots});
    // The block is either what the host last wrote from this profile (matched
    // by the current codes) or one the keyboard had before (matched by the
    // default codes); the reading that leaves fewer keys without a slot wins.
    // On a tie (keys that only exchanged codes look the same either way) the
    // block last written is the likelier one.
    map.slotOf = MatchSlots(keyBlock, slots, hints, false);
    if (hints.current.size() >= kKeyboardUiKeys) {
        const auto byCurrent = MatchSlots(keyBlock, slots, hints, true);
        if (MappedKeys(byCurrent) >= MappedKeys(map.slotOf)) map.slotOf = byCurrent;
    }

    for (size_t j = 0; j < kKeyboardUiKeys && j < slots; ++j) {
        const uint8_t s = map.slotOf[j];
        if (s == kNoSlot || s >= ledTable.size()) continue;
        if (ledTable[s] < kKeyboardLedCount) map.ledOf[j] = ledTable[s];
    }
    map.ledOf[kFixedLedKey] = kFixedLedIndex;
    return map;
}

std::array<uint8_t, kKeyTableMaxBytes> EncodeKeyBlock(const KeySlotMap& map,
                                                      std::span<const KeyAssignmentPair> keyList) {
    std::array<uint8_t, kKeyTableMaxBytes> block{};
    const size_t keys = std::min(keyList.size(), kKeyboardUiKeys);
    for (size_t i = 0; i < keys; ++i) {
        const size_t s = map.slotOf[i];
        if (s == kNoSlot || s * 3 + 2 >= block.size()) continue;
        const KeyAssignment& code = keyList[i].current.code;
        block[s * 3] = code.type;
        block[s * 3 + 1] = code.param1;
        block[s * 3 + 2] = code.param2;
    }
    return block;
}

uint16_t WinLockFlag(const KeyboardSystemSettings& s) {
    return static_cast<uint16_t>(s.words[2]);
}
uint16_t Key6Flag(const KeyboardSystemSettings& s) {
    return static_cast<uint16_t>(s.words[1]);
}
uint16_t WinKeyFlag(const KeyboardSystemSettings& s) {
    return static_cast<uint16_t>(s.words[2] >> 16);
}
uint16_t PollingRate(const KeyboardSystemSettings& s) {
    return static_cast<uint16_t>(s.words[1] >> 16);
}

KeyboardSettingsRecord EncodeKeyboardSettings(const LightState& light, const KeyboardSystemSettings& system) {
    using namespace record_byte;
    KeyboardSettingsRecord r{};
    r[kActiveProfile] = 0;
    r[kEffect] = light.effect < kKeyboardEffectLimit ? light.effect : 0;
    r[kBrightness] = light.brightness;
    // A speed past 4 would wrap; the keyboard gets its fastest instead.
    r[kSpeed] = static_cast<uint8_t>(4 - std::min<uint8_t>(light.speed, 4));
    r[kDirection] = light.direction;
    r[kMultiColor] = light.multiColor;
    r[kRed] = light.red;
    r[kGreen] = light.green;
    r[kBlue] = light.blue;
    r[kWinLock] = static_cast<uint8_t>(WinLockFlag(system));
    r[kKey6] = static_cast<uint8_t>(Key6Flag(system));
    r[kWinKey] = static_cast<uint8_t>(WinKeyFlag(system));
    r[kPollingRate] = static_cast<uint8_t>(PollingRate(system));
    return r;
}

void DecodeKeyboardSettings(const KeyboardSettingsRecord& r, LightState& light,
                            KeyboardSystemSettings& system) {
    using namespace record_byte;
    light.effect = r[kEffect];
    light.brightness = r[kBrightness];
    // A speed byte past 4 is not one the keyboard keeps; read it as the slowest.
    light.speed = static_cast<uint8_t>(r[kSpeed] <= 4 ? 4 - r[kSpeed] : 0);
    light.direction = r[kDirection];
    light.multiColor = r[kMultiColor];
    light.red = r[kRed];
    light.green = r[kGreen];
    light.blue = r[kBlue];
    system.words[1] = (system.words[1] & 0xFFFF0000u) | r[kKey6];
    system.words[2] = (static_cast<uint32_t>(r[kWinKey]) << 16) | r[kWinLock];
}

std::optional<size_t> SetKeyLightBit(KeyLightMask& mask, uint8_t led, bool on) {
    if (led >= kKeyboardLedCount) return std::nullopt;
    const size_t byte = led % kKeyLightMaskSize;
    const auto bit = static_cast<uint8_t>(1u << (led / kKeyLightMaskSize));
    if (on)
        mask[byte] = static_cast<uint8_t>(mask[byte] | bit);
    else
        mask[byte] = static_cast<uint8_t>(mask[byte] & ~bit);
    return byte;
}

KeyboardNotification DecodeKeyboardNotification(uint16_t code) {
    if (code == kNotifySyncRequest) return {KeyboardNotice::kSyncRequest, 0};
    if ((code & 0xFF00) == kNotifyKeyDown) return {KeyboardNotice::kKeyDown, static_cast<uint8_t>(code)};
    if ((code & 0xFF00) == kNotifyKeyUp) return {KeyboardNotice::kKeyUp, static_cast<uint8_t>(code)};
    return {};
}

MacroResultMessage MacroResultMessageFor(int result) {
    if (result == -1) return {"message_text_7", 0};
    if (result > 0) return {"message_text_16", result};
    return {};
}

}  // namespace r88
