#include "lighting/led_light_list.h"

#include <algorithm>

#include "lighting/led_value.h"
#include "lighting/light_tables.h"
#include "lighting/shared_renderers.h"

namespace r88 {
namespace {

enum EntryMode : std::uint8_t { kBreathing = 0, kStatic = 1, kFlash = 2, kSpectrum = 3, kOff = 4 };

}  // namespace

void CLedLightList::Load(const std::vector<LedLightEntry>& entries) {
    std::lock_guard guard(lock_);
    count_ = std::min(entries.size(), kMaxLightListLeds);
    entries_.fill(LedLightEntry{});
    std::copy_n(entries.begin(), count_, entries_.begin());
    fresh_ = true;
    hasEntries_.store(std::any_of(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(count_),
                                  [](const LedLightEntry& e) { return e.set != 0; }),
                      std::memory_order_relaxed);
}

void CLedLightList::Apply(CUsbDeviceCore& frame, std::uint32_t nowMs) {
    std::lock_guard guard(lock_);
    if (fresh_) {
        fresh_ = false;
        working_.fill(Working{});
        for (Working& w : working_) w.lastFlashMs = nowMs;
    }
    const std::size_t count = std::min(count_, static_cast<std::size_t>(std::max(frame.LightCount(), 0)));
    for (std::size_t i = 0; i < count; ++i) {
        const LedLightEntry& e = entries_[i];
        if (e.set == 0) continue;
        Working& w = working_[i];
        const int led = static_cast<int>(i);
        const std::uint8_t level = LevelAlpha(e.brightness);
        const std::size_t speed = LevelIndex(e.speed);
        const Rgb own{e.red, e.green, e.blue};
        switch (e.mode) {
            case kBreathing:
                // Its own breath, paced like the pad's effects.
                if (++w.passes >= FramePeriodSlow[speed]) {
                    w.passes = 0;
                    w.phase = StepPhase(e.direction, 128, w.phase, 1);
                    if (w.phase == 0) {
                        w.colour = static_cast<std::uint8_t>(w.colour + 16);
                        if (w.colour > kSpectrumSteps) w.colour = 0;
                    }
                }
                frame.SetLedValue(led, PackLed(e.multiColor != 0 ? SpectrumAt(w.colour) : own,
                                               ScaleByAlpha(level, BreathCurve[w.phase & 127])));
                break;
            case kStatic:
                frame.SetLedValue(led, PackLed(own, level));
                break;
            case kSpectrum:
                if (++w.passes >= FramePeriodSlow[speed]) {
                    w.passes = 0;
                    w.colour = NextSpectrumIndex(w.colour);
                }
                frame.SetLedValue(led, PackLed(SpectrumAt(w.colour), level));
                break;
            case kFlash:
                if (FlashDue(nowMs, w.lastFlashMs, e.speed)) {
                    w.flashOn = w.flashOn != 0 ? 0 : 1;
                    w.lastFlashMs = nowMs;
                    w.colour = static_cast<std::uint8_t>(w.colour + 14);
                    if (w.colour >= kSpectrumSteps) w.colour = 0;
                }
                frame.SetLedValue(
                    led, w.flashOn != 0 ? PackLed(e.multiColor != 0 ? SpectrumAt(w.colour) : own, level) : 0);
                break;
            case kOff:
                frame.SetLedValue(led, 0);
                break;
            default:
                // An unknown mode leaves the LED to the current effect.
                break;
        }
    }
}

}  // namespace r88
