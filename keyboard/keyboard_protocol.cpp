#include "keyboard/keyboard_protocol.h"

#include <algorithm>

namespace r88 {
namespace {

// Keeps the first result that was not 1.
void Note(int& first, int result) {
    if (first == kResultOk && result != kResultOk) first = result;
}

}  // namespace

int CKeyboardProtocol::ReadInfo() {
    std::array<uint8_t, kInfoBlockSize> info{};
    const int r = channel_.CMD_READ_INFO(info);
    // Only a whole block replaces the one kept.
    if (r == kResultOk) info_ = info;
    return r;
}

int CKeyboardProtocol::ReadConnection(std::span<const KeyAssignmentPair> keyList) {
    if (!channel_.IsOpen()) return kResultNoReply;
    int first = kResultOk;
    Note(first, channel_.CMD_BEGIN());
    const int infoResult = ReadInfo();
    Note(first, infoResult);
    if (infoResult != kResultOk) {
        // Without this keyboard's slot count nothing else can be read safely.
        Note(first, channel_.CMD_END());
        return first;
    }
    const size_t slots = info_[kInfoSlotCount];
    if (!channel_.SetDataLength(static_cast<unsigned>(slots * 3))) {
        // More slots than the key table holds: nothing of this keyboard can be mapped.
        map_ = KeySlotMap{};
        hasMap_ = false;
        slotCount_ = 0;
        Note(first, channel_.CMD_END());
        return first;
    }
    std::array<uint8_t, kKeyTableMaxBytes> block{};
    std::array<uint8_t, kKeyboardMaxSlots> leds{};
    const int blockResult = channel_.CMD_READ_KEYMAP(block);
    Note(first, blockResult);
    const int ledResult = channel_.CMD_READ_KEYMAP_EX(leds);
    Note(first, ledResult);
    Note(first, channel_.CMD_END());
    if (blockResult != kResultOk || ledResult != kResultOk) return first;

    std::array<KeyAssignment, kKeyboardUiKeys> current{};
    KeySlotHints hints;
    if (keyList.size() >= kKeyboardUiKeys) {
        for (size_t j = 0; j < kKeyboardUiKeys; ++j) current[j] = keyList[j].current.code;
        hints.current = current;
    }
    // A map found earlier on a keyboard of the same slot count still fits it.
    if (hasMap_ && slotCount_ == slots) hints.previous = &map_;
    const KeySlotMap map =
        BuildKeySlotMap(std::span(block).first(slots * 3), std::span(leds).first(slots), slots, hints);
    map_ = map;
    hasMap_ = true;
    slotCount_ = slots;
    return first;
}

int CKeyboardProtocol::ReadSettings(LightState& light, KeyboardSystemSettings& system) {
    if (!channel_.IsOpen()) return kResultNoReply;
    uint8_t active = 0;
    int r = channel_.CMD_READ_DATA(std::span(&active, 1), 0);
    if (r != kResultOk) return r;
    KeyboardSettingsRecord record{};
    r = channel_.CMD_READ_DATA(record, static_cast<uint16_t>(active * kKeyboardRecordSize));
    if (r != kResultOk) return r;
    record[record_byte::kActiveProfile] = active;
    previous_ = record_;
    record_ = record;
    DecodeKeyboardSettings(record_, light, system);
    return kResultOk;
}

int CKeyboardProtocol::WriteSettings(const LightState& light, const KeyboardSystemSettings& system) {
    int first = kResultOk;
    if (channel_.IsOpen()) Note(first, channel_.CMD_BEGIN());
    const KeyboardSettingsRecord record = EncodeKeyboardSettings(light, system);
    Note(first, channel_.CMD_WRITE_DATA(record, 0));
    Note(first, channel_.CMD_END());
    return first;
}

int CKeyboardProtocol::WriteKeyAssignments(int table, std::span<const KeyAssignmentPair> keyList) {
    int first = kResultOk;
    if (channel_.IsOpen()) {
        Note(first, ReadInfo());
        Note(first, channel_.CMD_BEGIN());
    }
    if (table != 0) {
        Note(first, channel_.CMD_WRITE_KEYMAP({}, table));
    } else if (hasMap_) {
        const auto block = EncodeKeyBlock(map_, keyList);
        Note(first, channel_.CMD_WRITE_KEYMAP(block, table));
    }
    Note(first, channel_.CMD_END());
    return first;
}

int CKeyboardProtocol::WriteMacros(const MacroImageBuilder& build) {
    const bool open = channel_.IsOpen();
    if (open) ReadInfo();
    std::vector<uint8_t> image;
    const int result = build ? build(MacroCapacity(), image) : -1;
    if (open) channel_.CMD_BEGIN();
    if (open && result == 0 && !image.empty()) channel_.CMD_WRITE_MACRO(image);
    channel_.CMD_END();
    return result;
}

int CKeyboardProtocol::SetAllKeyLights(bool on) {
    mask_.fill(on ? 0xFF : 0x00);
    return channel_.CMD_WRITE_LIGHT(mask_);
}

int CKeyboardProtocol::ToggleKeyLight(size_t uiKey, bool on) {
    if (uiKey >= kKeyboardUiKeys) return kResultOk;
    const std::optional<size_t> byte = SetKeyLightBit(mask_, map_.ledOf[uiKey], on);
    if (!byte) return kResultOk;
    return channel_.CMD_WRITE_LIGHT(std::span(mask_).subspan(*byte, 1), static_cast<uint16_t>(*byte));
}

std::optional<KeyboardKeyEvent> CKeyboardProtocol::KeyEventFor(uint16_t code) const {
    const KeyboardNotification n = DecodeKeyboardNotification(code);
    if (n.kind != KeyboardNotice::kKeyDown && n.kind != KeyboardNotice::kKeyUp) return std::nullopt;
    const std::optional<size_t> key = map_.KeyOnSlot(n.slot);
    if (!key) return std::nullopt;
    return KeyboardKeyEvent{*key, n.kind == KeyboardNotice::kKeyDown};
}

}  // namespace r88
