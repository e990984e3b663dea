#pragma once
// The renderers a device kind offers, as one interface, and the dispatch of
// an effect entry to them. The device pages implement it with their virtual
// renderers; r88ctl and the tests with CLightEffectRunner.
#include <cstdint>

#include "lighting/light_effect_tables.h"

namespace r88 {

class ILightEffects {
public:
    virtual void RenderBreathing() = 0;
    virtual void RenderFourColorBreathing() = 0;
    virtual void RenderStatic() = 0;
    virtual void RenderSpectrumCycle() = 0;
    virtual void RenderFlash() = 0;
    virtual void RenderFourColorFlash() = 0;
    virtual void RenderOff() = 0;
    virtual void RenderWave() = 0;
    virtual void RenderTrail(TrailShape shape) = 0;
    virtual void PlayLightSequence() = 0;
    // A renderer of the kind itself (the keyboard's), by its number.
    virtual void RenderKindEffect(std::uint8_t renderer) = 0;

protected:
    ~ILightEffects() = default;
};

void DispatchLightEffect(const LightEffectEntry& entry, ILightEffects& effects);

}  // namespace r88
