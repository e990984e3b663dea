#include "lighting/sync_light_kinds.h"

#include <array>
#include <cstddef>

#include "device/device_tables.h"

namespace r88 {

namespace {

// Effect ids by common kind (breathing, static, flash, spectrum, off).
using KindIds = std::array<std::uint8_t, 5>;
constexpr KindIds kKeyboardIds = {4, 5, 30, 3, 34};
constexpr KindIds kMouseIds = {6, 4, 3, 1, 7};
constexpr KindIds kPadIds = {2, 3, 4, 1, 8};
constexpr KindIds kHeadsetIds = {2, 3, 4, 1, 8};

const KindIds* IdsOf(int deviceType) {
    switch (deviceType) {
        case kDeviceKeyboard:
            return &kKeyboardIds;
        case kDeviceMouse:
        case kDeviceMouseReceiver:
            return &kMouseIds;
        case kDeviceMousePad:
            return &kPadIds;
        case kDeviceHeadset:
            return &kHeadsetIds;
        default:
            return nullptr;
    }
}

}  // namespace

std::optional<CommonLightKind> CommonKindOf(int deviceType, std::uint8_t effectId) {
    const KindIds* ids = IdsOf(deviceType);
    if (ids == nullptr) return std::nullopt;
    for (std::size_t k = 0; k < ids->size(); ++k)
        if ((*ids)[k] == effectId) return static_cast<CommonLightKind>(k);
    return std::nullopt;
}

std::optional<std::uint8_t> EffectIdOf(int deviceType, CommonLightKind kind) {
    const KindIds* ids = IdsOf(deviceType);
    const auto k = static_cast<std::size_t>(kind);
    if (ids == nullptr || k >= ids->size()) return std::nullopt;
    return (*ids)[k];
}

}  // namespace r88
