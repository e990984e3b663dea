#pragma once
// The renderers of a light engine on a frame, without a device page: what
// r88ctl and the tests run. The caller sets the light state and the clock
// and renders one frame per call.
#include <cstdint>

#include "device/usb_device_core.h"
#include "lighting/keyboard_effects.h"
#include "lighting/light_effects.h"
#include "lighting/light_engine.h"
#include "profile/profile_records.h"

namespace r88 {

class CLightEffectRunner : public ILightEffects {
public:
    CLightEffectRunner(CUsbDeviceCore& frame, CLightEngine& engine) : frame_(frame), engine_(engine) {}
    virtual ~CLightEffectRunner() = default;

    void SetLight(const LightState& light) { light_ = light; }
    const LightState& Light() const { return light_; }
    // The keyboard's own renderers; none: its kKindOwn entries draw nothing.
    void SetKeyboardEffects(CKeyboardEffects* keyboard) { keyboard_ = keyboard; }
    // Renders the frame of the light state's effect at `nowMs` (nothing
    // without a kind table).
    void RenderFrame(std::uint32_t nowMs);

    void RenderBreathing() override;
    void RenderFourColorBreathing() override;
    void RenderStatic() override;
    void RenderSpectrumCycle() override;
    void RenderFlash() override;
    void RenderFourColorFlash() override;
    void RenderOff() override;
    void RenderWave() override;
    void RenderTrail(TrailShape shape) override;
    void PlayLightSequence() override;
    void RenderKindEffect(std::uint8_t renderer) override;

private:
    CUsbDeviceCore& frame_;
    CLightEngine& engine_;
    CKeyboardEffects* keyboard_ = nullptr;
    LightState light_;
    std::uint32_t nowMs_ = 0;
};

}  // namespace r88
