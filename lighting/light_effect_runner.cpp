#include "lighting/light_effect_runner.h"

#include "lighting/shared_renderers.h"
#include "lighting/trail_renderer.h"
#include "lighting/wave_renderer.h"

namespace r88 {

void CLightEffectRunner::RenderFrame(std::uint32_t nowMs) {
    const LightEffectEntry* entry = engine_.Entry(light_.effect);
    if (entry == nullptr) return;
    nowMs_ = nowMs;
    DispatchLightEffect(*entry, *this);
    engine_.FrameDrawn(*entry);
}

void CLightEffectRunner::RenderBreathing() {
    r88::RenderBreathing(frame_, engine_.State(), light_);
}
void CLightEffectRunner::RenderFourColorBreathing() {
    r88::RenderFourColorBreathing(frame_, engine_.State(), light_);
}
void CLightEffectRunner::RenderStatic() {
    r88::RenderStatic(frame_, light_);
}
void CLightEffectRunner::RenderSpectrumCycle() {
    r88::RenderSpectrumCycle(frame_, engine_.State(), light_);
}
void CLightEffectRunner::RenderFlash() {
    r88::RenderFlash(frame_, engine_.State(), light_, nowMs_);
}
void CLightEffectRunner::RenderFourColorFlash() {
    r88::RenderFourColorFlash(frame_, engine_.State(), light_, nowMs_);
}
void CLightEffectRunner::RenderOff() {
    r88::RenderOff(frame_);
}
void CLightEffectRunner::RenderWave() {
    if (engine_.Kind() != nullptr) r88::RenderWave(frame_, engine_.State(), light_, engine_.Kind()->wave);
}
void CLightEffectRunner::RenderTrail(TrailShape shape) {
    r88::RenderTrail(frame_, engine_.State(), light_, shape);
}
void CLightEffectRunner::RenderKindEffect(std::uint8_t renderer) {
    if (keyboard_ != nullptr) keyboard_->Render(renderer, light_);
}
void CLightEffectRunner::PlayLightSequence() {
    engine_.Sequence().Play(frame_, nowMs_);
}

}  // namespace r88
