#pragma once
// The renderers every device kind shares: each computes one frame from the
// light state into the device's LED frame and steps the working state.
// `nowMs` is the caller's millisecond clock (the light thread's, or a
// counted one for r88ctl and the tests).
#include <cstdint>

#include "device/usb_device_core.h"
#include "lighting/light_renderer_state.h"
#include "profile/profile_records.h"

namespace r88 {

// Every LED of the frame takes one record.
void FillFrame(CUsbDeviceCore& frame, std::uint32_t record);

void RenderBreathing(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light);
void RenderFourColorBreathing(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light);
void RenderStatic(CUsbDeviceCore& frame, const LightState& light);
void RenderSpectrumCycle(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light);
void RenderFlash(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                 std::uint32_t nowMs);
void RenderFourColorFlash(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                          std::uint32_t nowMs);
void RenderOff(CUsbDeviceCore& frame);

// Whether a flash interval of `speed` has passed since `lastMs` (the clock may wrap).
bool FlashDue(std::uint32_t nowMs, std::uint32_t lastMs, std::uint8_t speed);

}  // namespace r88
