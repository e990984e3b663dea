#include "lighting/light_effects.h"

namespace r88 {

void DispatchLightEffect(const LightEffectEntry& entry, ILightEffects& effects) {
    switch (entry.effect) {
        case LightEffect::kWave:
            effects.RenderWave();
            break;
        case LightEffect::kSpectrumCycle:
            effects.RenderSpectrumCycle();
            break;
        case LightEffect::kBreathing:
            effects.RenderBreathing();
            break;
        case LightEffect::kFourColorBreathing:
            effects.RenderFourColorBreathing();
            break;
        case LightEffect::kStatic:
            effects.RenderStatic();
            break;
        case LightEffect::kFlash:
            effects.RenderFlash();
            break;
        case LightEffect::kFourColorFlash:
            effects.RenderFourColorFlash();
            break;
        case LightEffect::kOff:
            effects.RenderOff();
            break;
        case LightEffect::kTrail:
            effects.RenderTrail(entry.trail);
            break;
        case LightEffect::kSequence:
            effects.PlayLightSequence();
            break;
        case LightEffect::kKindOwn:
            effects.RenderKindEffect(entry.kindRenderer);
            break;
    }
}

}  // namespace r88
