#pragma once
// A device object's light engine: its kind's effect table and the working
// state of its effects (renderer state, sequence player, per-LED light list).
// It says what the light thread has to do for a light state; the rendering
// itself goes through ILightEffects.
#include <atomic>
#include <cstdint>

#include "device/usb_device_core.h"
#include "lighting/led_light_list.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_pass.h"
#include "lighting/light_renderer_state.h"
#include "lighting/light_sequence_player.h"
#include "profile/profile_records.h"

namespace r88 {

class CLightEngine {
public:
    explicit CLightEngine(const LightKindTable* kind = nullptr) : kind_(kind) {}

    // No table: nothing animates.
    const LightKindTable* Kind() const { return kind_; }
    void SetKind(const LightKindTable* kind) { kind_ = kind; }
    const LightEffectEntry* Entry(std::uint8_t effect) const {
        return kind_ != nullptr ? &EffectEntry(*kind_, effect) : nullptr;
    }

    LightRendererState& State() { return state_; }
    CLightSequencePlayer& Sequence() { return sequence_; }
    CLedLightList& LightList() { return lightList_; }

    // How often the light thread runs for `light`: the entry's period, every
    // pass for a sequence, idle once the off effect has drawn its dark frame
    // (unless the light list animates).
    LightSchedule Schedule(const LightState& light) const;
    // After a frame of `effect` was drawn.
    void FrameDrawn(const LightEffectEntry& entry) {
        offDrawn_.store(entry.effect == LightEffect::kOff, std::memory_order_relaxed);
    }
    // The light state or the list changed: the next frame is drawn whatever the effect.
    void Invalidate() { offDrawn_.store(false, std::memory_order_relaxed); }

    // A new effect id: the trail starts again.
    void ResetTrail(CUsbDeviceCore& frame);

private:
    const LightKindTable* kind_;
    LightRendererState state_;
    CLightSequencePlayer sequence_;
    CLedLightList lightList_;
    std::atomic<bool> offDrawn_{false};
};

}  // namespace r88
