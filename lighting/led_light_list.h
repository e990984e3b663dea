#pragma once
// The per-LED light list: LEDs with a setting of their own run a small
// effect each (breathing, static, flash, spectrum cycle, off) over whatever
// the current effect drew. One list per device object, with its own working
// state per LED, so two light threads never share it.
//
// Load (UI thread) and Apply (light thread, or the UI thread once after a
// load) take the light-list lock.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/usb_device_core.h"
#include "profile/profile_records.h"

namespace r88 {

inline constexpr std::size_t kMaxLightListLeds = 128;

class CLedLightList {
public:
    // Replaces the entries (entries past kMaxLightListLeds are dropped); the
    // next Apply starts every LED's working state afresh.
    void Load(const std::vector<LedLightEntry>& entries);
    // Whether an entry is set: only then the list animates.
    bool HasEntries() const { return hasEntries_.load(std::memory_order_relaxed); }
    // Draws every set entry over its LED at `nowMs`.
    void Apply(CUsbDeviceCore& frame, std::uint32_t nowMs);

private:
    struct Working {
        std::uint8_t phase = 0;
        std::uint8_t colour = 0;
        std::uint8_t passes = 0;
        std::uint8_t flashOn = 0;
        std::uint32_t lastFlashMs = 0;
    };

    std::mutex lock_;
    std::array<LedLightEntry, kMaxLightListLeds> entries_{};
    std::array<Working, kMaxLightListLeds> working_{};
    std::size_t count_ = 0;
    bool fresh_ = true;
    std::atomic<bool> hasEntries_{false};
};

}  // namespace r88
