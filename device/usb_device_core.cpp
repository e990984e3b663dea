#include "device/usb_device_core.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace r88 {
namespace {

size_t ClampCount(int n) {
    return static_cast<size_t>(std::clamp(n, 0, static_cast<int>(kTrailElements)));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<size_t> PictureIndex(std::string_view text, std::string_view prefix, size_t limit) {
    const size_t cut = text.rfind('_');
    if (cut == std::string_view::npos || !EqualsIgnoringCase(text.substr(0, cut + 1), prefix)) return std::nullopt;
    const std::string_view digits = text.substr(cut + 1);
    size_t n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() || n >= limit)
        return std::nullopt;
    return n;
}

CUsbDeviceCore::CUsbDeviceCore() : CUsbDeviceCore(CurrentHidBackend()) {}

CUsbDeviceCore::CUsbDeviceCore(std::shared_ptr<IHidBackend> backend)
    : command_(backend), notifications_(std::move(backend)) {}

CUsbDeviceCore::~CUsbDeviceCore() {
    notifications_.CloseNotifications();
    command_.CloseHid();
}

void CUsbDeviceCore::SetKeyCount(int n) {
    keyCount_ = static_cast<int>(ClampCount(n));
}

void CUsbDeviceCore::SetLightCount(int n) {
    lightCount_ = static_cast<int>(ClampCount(n));
    for (auto& led : ledFrame_) led.store(0);
}

void CUsbDeviceCore::SetIdentity(const DeviceInterfaceSlot& slot) {
    identity_ = slot;
}

bool CUsbDeviceCore::PrepareBinding() {
    if (!layoutPath_.empty()) return true;
    keyCount_ = 0;
    SetLightCount(0);
    return false;
}

bool CUsbDeviceCore::ConnectCommand(const DeviceInterfaceSlot& slot) {
    if (command_.IsOpen()) return false;
    if (!command_.OpenHid(slot.path)) return false;
    command_.SetSlow(slot.type == kDeviceMouseReceiver);
    SetIdentity(slot);
    return true;
}

void CUsbDeviceCore::DisconnectCommand() {
    command_.CloseHid();
}

bool CUsbDeviceCore::OpenNotifications(const std::string& path) {
    if (!notifications_.IsOpen()) notifications_.SetKeyEvents(Type() == kDeviceKeyboard);
    return notifications_.OpenNotifications(path);
}

void CUsbDeviceCore::CloseNotifications() {
    notifications_.CloseNotifications();
}

void CUsbDeviceCore::SetLedValue(int index, uint32_t value) {
    if (index >= 0 && index < lightCount_) ledFrame_[static_cast<size_t>(index)].store(value);
}

uint32_t CUsbDeviceCore::GetLedValue(int index) const {
    if (index < 0 || index >= lightCount_) return 0;
    return ledFrame_[static_cast<size_t>(index)].load();
}

uint8_t CUsbDeviceCore::TrailIntensity(size_t index) const {
    return index < kTrailElements ? trailIntensity_[index].load() : 0;
}

void CUsbDeviceCore::SetTrailIntensity(size_t index, uint8_t value) {
    if (index < kTrailElements) trailIntensity_[index].store(value);
}

uint8_t CUsbDeviceCore::TrailRing(size_t position) const {
    return position < kTrailRingSize ? trailRing_[position].load() : 0;
}

void CUsbDeviceCore::SetTrailRing(size_t position, uint8_t value) {
    if (position < kTrailRingSize) trailRing_[position].store(value);
}

uint8_t CUsbDeviceCore::DecayStep(uint8_t v, bool fine) {
    if (v & 0x80) return static_cast<uint8_t>(v - 40);
    if (v & 0x40) return static_cast<uint8_t>(v - 30);
    if (v & 0x20) return static_cast<uint8_t>(v - 10);
    if (v > 16) return static_cast<uint8_t>(v - 8);
    if (v == 0) return 0;
    return static_cast<uint8_t>(v - (fine ? 1 : 4));
}

uint8_t CUsbDeviceCore::RaiseStep(uint8_t v, bool fine) {
    if (v & 0x80) {
        if (!fine) return static_cast<uint8_t>(v + 40);
        return v + 6 > 255 ? 255 : static_cast<uint8_t>(v + 6);
    }
    if (v & 0x40) return static_cast<uint8_t>(v + (fine ? 5 : 30));
    if (v & 0x20) return static_cast<uint8_t>(v + (fine ? 4 : 10));
    if (v > 16) return static_cast<uint8_t>(v + (fine ? 3 : 8));
    if (v > 8) return static_cast<uint8_t>(v + (fine ? 2 : 4));
    if (v == 0) return 0;
    return static_cast<uint8_t>(v + (fine ? 1 : 4));
}

void CUsbDeviceCore::DecayTrail(size_t index, bool fine) {
    if (index < kTrailElements) trailIntensity_[index].store(DecayStep(trailIntensity_[index].load(), fine));
}

void CUsbDeviceCore::RaiseTrail(size_t index, bool fine) {
    if (index < kTrailElements) trailIntensity_[index].store(RaiseStep(trailIntensity_[index].load(), fine));
}

void CUsbDeviceCore::LightMarkedTrail(bool shifted) {
    if (!shifted) {
        for (size_t i = 0; i <= 8; ++i)
            if (trailRing_[i].load() != 0) trailIntensity_[i].store(255);
        return;
    }
    // Element i + 1 by ring position i + 1; the ring bounds how far that reaches.
    for (size_t i = 0; i < static_cast<size_t>(lightCount_) && i + 1 < kTrailRingSize; ++i)
        if (trailRing_[i + 1].load() != 0) trailIntensity_[i + 1].store(255);
}

void CUsbDeviceCore::RotateTrailRing(int direction) {
    std::array<uint8_t, kTrailRingSize> ring{};
    for (size_t i = 0; i < kTrailRingSize; ++i) ring[i] = trailRing_[i].load();
    if (direction != 0)
        std::rotate(ring.rbegin(), ring.rbegin() + 1, ring.rend());
    else
        std::rotate(ring.begin(), ring.begin() + 1, ring.end());
    for (size_t i = 0; i < kTrailRingSize; ++i) trailRing_[i].store(ring[i]);
}

void CUsbDeviceCore::ClearTrail() {
    for (auto& v : trailIntensity_) v.store(0);
    for (auto& v : trailRing_) v.store(0);
}

}  // namespace r88
