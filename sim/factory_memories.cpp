#include "sim/factory_memories.h"

#include <vector>

#include "device/hid_command_set.h"

namespace r88::sim {
namespace {

constexpr KeyCode K(uint8_t usage) {
    return {0x20, 0x00, usage};
}
constexpr KeyCode kBlank{0x20, 0x00, 0x00};

// Information block bytes.
constexpr size_t kInfoProtocol = 0;
constexpr size_t kInfoKind = 2;
constexpr size_t kInfoFirmwareMajor = 3;
constexpr size_t kInfoFirmwareMinor = 4;
constexpr size_t kInfoKeySlots = 5;
constexpr size_t kInfoMacroUnits = 6;  // of 128 bytes
constexpr size_t kInfoDpiStep = 11;
constexpr size_t kInfoMaxDpiStep = 12;
constexpr size_t kInfoDpiBase = 14;

constexpr size_t kLedIndexBytes = kKeyTableMaxBytes / 3;  // 170 slots at most
constexpr size_t kLightMaskBytes = 21;
constexpr size_t kFrameBytes = kKeyTableMaxBytes;
constexpr size_t kStatusBytes = 64;

FirmwareMemory InfoBlock(uint8_t kind, uint8_t keySlots, uint8_t macroUnits) {
    std::vector<uint8_t> info(kInfoBlockSize, 0);
    info[kInfoProtocol] = 0x01;
    info[kInfoKind] = kind;
    info[kInfoFirmwareMajor] = 0x01;
    info[kInfoFirmwareMinor] = 0x07;
    info[kInfoKeySlots] = keySlots;
    info[kInfoMacroUnits] = macroUnits;
    return FirmwareMemory(std::move(info));
}

DeviceMemories Common(uint8_t kind, uint8_t keySlots, uint8_t macroUnits, size_t dataBytes) {
    DeviceMemories m;
    m[SimMemory::kInfo] = InfoBlock(kind, keySlots, macroUnits);
    m[SimMemory::kData] = FirmwareMemory(dataBytes);
    m[SimMemory::kKeyBlock] = FirmwareMemory(kKeyTableMaxBytes);
    m[SimMemory::kLedIndex] = FirmwareMemory(kLedIndexBytes);
    m[SimMemory::kLightMask] = FirmwareMemory(kLightMaskBytes);
    m[SimMemory::kMacro] = FirmwareMemory(static_cast<size_t>(macroUnits) * 128);
    m[SimMemory::kFrame] = FirmwareMemory(kFrameBytes);
    m[SimMemory::kStatus] = FirmwareMemory(kStatusBytes);
    return m;
}

// A light setting as the devices keep it: effect, brightness 0..4, 4 - speed, direction, multicolour, RGB.
void WriteLight(FirmwareMemory& data, size_t at, uint8_t effect, uint8_t speed, std::array<uint8_t, 3> rgb) {
    const uint8_t bytes[] = {effect, 4, static_cast<uint8_t>(4 - speed), 0, 1, rgb[0], rgb[1], rgb[2]};
    data.Write(at + 1, bytes);
}

}  // namespace

// clang-format off
const std::array<std::array<KeyCode, kKeyboardColumns>, kKeyboardRows> kKeyboardFactoryMatrix = {{
    {K(0x29), K(0x3A), K(0x3B), K(0x3C), K(0x3D), K(0x3E), K(0x3F), K(0x40), K(0x41), K(0x42), K(0x43),
     K(0x44), K(0x45), K(0x46), K(0x47), K(0x48), KeyCode{0xA0, 0x1B, 0x00}, KeyCode{0xA0, 0x24, 0x00}, kBlank,
     kBlank, kBlank},
    {K(0x35), K(0x1E), K(0x1F), K(0x20), K(0x21), K(0x22), K(0x23), K(0x24), K(0x25), K(0x26), K(0x27),
     K(0x2D), K(0x2E), K(0x2A), K(0x49), K(0x4A), K(0x4B), K(0x53), K(0x54), K(0x55), K(0x56)},
    {K(0x2B), K(0x14), K(0x1A), K(0x08), K(0x15), K(0x17), K(0x1C), K(0x18), K(0x0C), K(0x12), K(0x13),
     K(0x2F), K(0x30), K(0x31), K(0x4C), K(0x4D), K(0x4E), K(0x5F), K(0x60), K(0x61), kBlank},
    {K(0x39), K(0x04), K(0x16), K(0x07), K(0x09), K(0x0A), K(0x0B), K(0x0D), K(0x0E), K(0x0F), K(0x33),
     K(0x34), K(0x28), K(0x5C), K(0x5D), K(0x5E), K(0x8A), K(0x8B), K(0x90), K(0x91), K(0x88)},
    {KeyCode{0x20, 0x02, 0x00}, K(0x1D), K(0x1B), K(0x06), K(0x19), K(0x05), K(0x11), K(0x10), K(0x36),
     K(0x37), K(0x38), KeyCode{0x20, 0x20, 0x00}, K(0x52), K(0x59), K(0x5A), K(0x5B), K(0x87), K(0x89),
     K(0x64), K(0x85), kBlank},
    {KeyCode{0x20, 0x01, 0x00}, KeyCode{0x20, 0x08, 0x00}, KeyCode{0x20, 0x04, 0x00}, K(0x2C),
     KeyCode{0x20, 0x40, 0x00}, KeyCode{0xA0, 0x01, 0x00}, K(0x65), KeyCode{0x20, 0x10, 0x00}, K(0x50),
     K(0x51), K(0x4F), K(0x62), K(0x63), K(0x58), K(0x57), KeyCode{0xD0, 0xA2, 0x01}, KeyCode{0xD0, 0xA2, 0x02},
     KeyCode{0xD0, 0xA2, 0x03}, KeyCode{0xD0, 0xA2, 0x04}, KeyCode{0xD0, 0xA2, 0x05}, KeyCode{0x20, 0x80, 0x00}},
}};
// clang-format on

KeyCode KeyboardFactorySlotCode(size_t slot) {
    if (slot >= kKeyboardSlots) return {0, 0, 0};
    return kKeyboardFactoryMatrix[slot % kKeyboardRows][slot / kKeyboardRows];
}

uint8_t KeyboardFactorySlotLed(size_t slot) {
    if (slot >= kKeyboardSlots) return 0;
    return static_cast<uint8_t>((slot % kKeyboardRows) * kKeyboardColumns + slot / kKeyboardRows);
}

DeviceMemories KeyboardFactoryMemories() {
    DeviceMemories m = Common(1, kKeyboardSlots, 0x20, 256);
    for (size_t s = 0; s < kKeyboardSlots; ++s) {
        const KeyCode code = KeyboardFactorySlotCode(s);
        m[SimMemory::kKeyBlock].Write(s * 3, code);
        const uint8_t led = KeyboardFactorySlotLed(s);
        m[SimMemory::kLedIndex].Write(s, std::span(&led, 1));
    }
    // Four onboard settings records of 25 bytes; byte 0 of the first is the active one.
    for (size_t p = 0; p < 4; ++p) {
        WriteLight(m[SimMemory::kData], p * 25, 1, 2, {0xFF, 0x00, 0x00});
        const uint8_t system[] = {0, 0, 0, 3};  // Win lock, 6-key mode, Win key, polling option
        m[SimMemory::kData].Write(p * 25 + 19, system);
    }
    const std::vector<uint8_t> allOn(kLightMaskBytes, 0xFF);
    m[SimMemory::kLightMask].Write(0, allOn);
    return m;
}

DeviceMemories MouseFactoryMemories() {
    DeviceMemories m = Common(2, kMouseKeySlots, 0x10, 4 * 128);
    const uint8_t step[] = {kMouseDpiStep};
    const uint8_t maxStep[] = {kMouseMaxDpiStep & 0xFF, kMouseMaxDpiStep >> 8};
    const uint8_t base[] = {kMouseDpiBase & 0xFF, kMouseDpiBase >> 8};
    m[SimMemory::kInfo].Write(kInfoDpiStep, step);
    m[SimMemory::kInfo].Write(kInfoMaxDpiStep, maxStep);
    m[SimMemory::kInfo].Write(kInfoDpiBase, base);
    // Buttons in the order the mouse wires them; slot 11 is free.
    const KeyCode slots[kMouseKeySlots] = {
        {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00},
        {0x10, 0x10, 0x00}, {0x13, 0x01, 0x00}, {0x13, 0x02, 0x00}, {0x13, 0x03, 0x00},
        {0xD0, 0x00, 0x00}, {0x16, 0x90, 0x01}, {0xA0, 0x1B, 0x00}, {0x00, 0x00, 0x00},
    };
    for (size_t s = 0; s < kMouseKeySlots; ++s) m[SimMemory::kKeyBlock].Write(s * 3, slots[s]);
    // Settings blocks of 128 bytes: light, polling 3, DPI stage 1, lift-off 0, five DPI stages.
    const uint16_t steps[5] = {7, 15, 31, 63, 127};  // 400, 800, 1600, 3200, 6400 DPI
    const std::array<uint8_t, 3> colours[5] = {
        {0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}, {0xFF, 0xFF, 0}, {0xFF, 0, 0xFF}};
    for (size_t p = 0; p < 4; ++p) {
        FirmwareMemory& data = m[SimMemory::kData];
        WriteLight(data, p * 128, 0, 2, {0x00, 0x80, 0xFF});
        const uint8_t modes[] = {3, 1, 0};
        data.Write(p * 128 + 11, modes);
        for (size_t i = 0; i < 5; ++i) {
            const uint8_t stage[9] = {1,
                                      0,
                                      static_cast<uint8_t>(steps[i] & 0xFF),
                                      static_cast<uint8_t>(steps[i] >> 8),
                                      static_cast<uint8_t>(steps[i] & 0xFF),
                                      static_cast<uint8_t>(steps[i] >> 8),
                                      colours[i][0],
                                      colours[i][1],
                                      colours[i][2]};
            data.Write(p * 128 + 14 + 9 * i, stage);
        }
    }
    // Power record: 85 %, on battery, wired.
    const uint8_t power[] = {85, 2, 0, 0, 1, 0};
    m[SimMemory::kStatus].Write(0, power);
    return m;
}

DeviceMemories MousePadFactoryMemories() {
    DeviceMemories m = Common(3, 0, 0, 4 * 64);
    for (size_t p = 0; p < 4; ++p) WriteLight(m[SimMemory::kData], p * 64, 1, 2, {0x00, 0xFF, 0xFF});
    const uint8_t power[] = {100, 0, 0, 0, 0, 0};
    m[SimMemory::kStatus].Write(0, power);
    return m;
}

DeviceMemories HeadsetFactoryMemories() {
    DeviceMemories m = Common(7, 0, 0, 4 * 64);
    for (size_t p = 0; p < 4; ++p) WriteLight(m[SimMemory::kData], p * 64, 2, 2, {0xFF, 0x80, 0x00});
    return m;
}

}  // namespace r88::sim
