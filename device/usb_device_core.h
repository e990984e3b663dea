#pragma once
// The part of a device object that is not a page: its two channels, its
// identity, its counts and names, the LED frame and the trail state of the
// trail effects. The Qt page COrvaneUSBDevice owns one (and forwards its
// set-up calls and virtual operations to it); r88ctl and the tests use one
// directly to run the same command sequences without widgets.
//
// Threads: set-up and connection on the UI thread. The LED frame and the
// trail state are shared with the light thread (and key events of the
// notification reader) without a lock, as the design wants, but every
// element is atomic, so a frame may mix two states and nothing worse.
// Indexes are always checked: out-of-range ones are ignored (reads give 0).
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "device/device_tables.h"
#include "device/hid_command_channel.h"
#include "device/notification_reader.h"
#include "platform/hid_backend.h"

namespace r88 {

inline constexpr size_t kTrailElements = 126;
inline constexpr size_t kTrailRingSize = 23;

// The picture naming rule: split `text` at its last "_"; when the part up to
// and including it equals `prefix` (ignoring case) and the rest is a decimal
// number below `limit`, that number. "key_12" with "key_" and 126 gives 12;
// "KEY_3" gives 3; "key3", "key_" and "key_999" give nothing.
std::optional<size_t> PictureIndex(std::string_view text, std::string_view prefix, size_t limit);

class CUsbDeviceCore {
public:
    CUsbDeviceCore();  // on CurrentHidBackend()
    explicit CUsbDeviceCore(std::shared_ptr<IHidBackend> backend);
    ~CUsbDeviceCore();  // closes the notification reader, then both channels
    CUsbDeviceCore(const CUsbDeviceCore&) = delete;
    CUsbDeviceCore& operator=(const CUsbDeviceCore&) = delete;

    // ---- set-up (the page builder, in this order) ----
    void SetLayoutPath(std::string path) { layoutPath_ = std::move(path); }
    const std::string& LayoutPath() const { return layoutPath_; }
    void SetKeyCount(int n);    // clamped to 0..kTrailElements
    void SetLightCount(int n);  // clamped to 0..kTrailElements; every LED value becomes 0, even when n is unchanged
    int KeyCount() const { return keyCount_; }
    int LightCount() const { return lightCount_; }
    void SetPowerKind(int kind) { powerKind_ = kind; }
    int PowerKind() const { return powerKind_; }
    void SetDeviceName(std::string name) { deviceName_ = std::move(name); }
    const std::string& DeviceName() const { return deviceName_; }  // "keyboard", "MousePad", ...
    void SetLightPresetName(std::string name) { lightPresetName_ = std::move(name); }
    const std::string& LightPresetName() const { return lightPresetName_; }
    // identity = slot; type and sub-type follow it.
    void SetIdentity(const DeviceInterfaceSlot& slot);
    const DeviceInterfaceSlot& Identity() const { return identity_; }
    int Type() const { return identity_.type; }
    int SubType() const { return identity_.subType; }
    void SetDeviceIndex(int d) { deviceIndex_ = d; }
    int DeviceIndex() const { return deviceIndex_; }
    // With an empty layout path the page has no picture: both counts become 0.
    // Returns whether a picture is there to bind (the page then binds its
    // buttons with PictureIndex against KeyCount() and LightCount()).
    bool PrepareBinding();

    // ---- connection (UI thread, on 3090 / 3091) ----
    // A command slot: opens the command channel on its path (no-op when open
    // already; false then), sets the slow flag for a mouse on its receiver
    // (type 6), and on success keeps the slot as the identity.
    bool ConnectCommand(const DeviceInterfaceSlot& slot);
    // Clears the open flag and closes the command interface.
    void DisconnectCommand();
    // The notification interface (sub-type 0xFF); key events on for keyboards.
    bool OpenNotifications(const std::string& path);
    void CloseNotifications();

    CHidCommandChannel& Command() { return command_; }
    CNotificationReader& Notifications() { return notifications_; }

    // ---- LED frame: 0xAARRGGBB-style values as the lighting code packs them ----
    void SetLedValue(int index, uint32_t value);
    uint32_t GetLedValue(int index) const;

    // ---- trail effects: 126 intensities and a 23-byte marker ring ----
    uint8_t TrailIntensity(size_t index) const;
    void SetTrailIntensity(size_t index, uint8_t value);
    uint8_t TrailRing(size_t position) const;
    void SetTrailRing(size_t position, uint8_t value);
    // One step down / up in the intensity bands (8-bit, wrapping as designed).
    void DecayTrail(size_t index, bool fine);
    void RaiseTrail(size_t index, bool fine);
    // Marked elements get 255: elements 0..8 by ring positions 0..8 (the base),
    // or, with `shifted` (mouse pad, headset), element i + 1 by ring position
    // i + 1 for i below the light count.
    void LightMarkedTrail(bool shifted = false);
    // Non-zero: every byte one position up, the last to position 0; zero: the other way.
    void RotateTrailRing(int direction);
    void ClearTrail();

    // Pure step functions behind DecayTrail and RaiseTrail.
    static uint8_t DecayStep(uint8_t v, bool fine);
    static uint8_t RaiseStep(uint8_t v, bool fine);

private:
    CHidCommandChannel command_;
    CNotificationReader notifications_;
    std::string layoutPath_;
    std::string deviceName_;
    std::string lightPresetName_;
    DeviceInterfaceSlot identity_;
    int keyCount_ = 0;
    int lightCount_ = 0;
    int powerKind_ = 0;
    int deviceIndex_ = 0;
    // Sized for the largest kind, so the light thread never sees a reallocation.
    std::array<std::atomic<uint32_t>, kTrailElements> ledFrame_{};
    std::array<std::atomic<uint8_t>, kTrailElements> trailIntensity_{};
    std::array<std::atomic<uint8_t>, kTrailRingSize> trailRing_{};
};

}  // namespace r88
