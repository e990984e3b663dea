#pragma once
// The wave: a spectrum (multicolour) or a brightness curve (single colour)
// laid across the LEDs in LED order and moved one phase step per frame.
#include "device/usb_device_core.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_renderer_state.h"
#include "profile/profile_records.h"

namespace r88 {

void RenderWave(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                const WaveConstants& wave);

}  // namespace r88
