#pragma once
// The trail: a marker travels round a ring; the element under it lights up
// fully and every element fades a fine step per frame.
//
// Elements by shape:
// - mouse groups: nine groups of up to three LEDs; ring positions 0..8 mark
//   groups 0..8 and positions 9..22 mark none, the ring moves every frame.
// - per LED: element e is LED e; ring position e marks element e for
//   e = 1 .. LED count − 1 (LED 0 is never marked), ring of 23.
// - LED pairs: element k is the pair (k, 15 − k), k = 1..7, and element 0
//   holds no LED; ring position k marks element k, and the ring of 8 moves
//   as a ring of 8, so the lit pair walks 1, 2, … 7, rests one step on the
//   empty position 0, and starts again.
// The pad and the headset (per LED, pairs) mark and move on frames 1, 3, 5, …
// LED numbers at or beyond the LED count are skipped.
//
// Multicolour: an element's colour is the spectrum entry at a running
// phase (the frame's phase + 12 per element, as a byte, reduced by 192).
// The mouse takes that colour for every element, also while it fades; the
// pad and the headset keep the colour an LED already has while the element
// the marker enters by (element 1 with direction 1, the last element with
// direction 0) is lit, so the head of the trail holds its colour.
#include <cstdint>

#include "device/usb_device_core.h"
#include "lighting/light_effect_tables.h"
#include "lighting/light_renderer_state.h"
#include "profile/profile_records.h"

namespace r88 {

inline constexpr std::size_t kPairTrailRingSize = 8;
// The mouse's nine groups, three LED numbers each (255: none).
inline constexpr std::uint8_t kMouseTrailGroups[9][3] = {{0, 18, 18},  {1, 255, 17}, {2, 255, 16},
                                                         {3, 255, 15}, {4, 255, 14}, {5, 255, 13},
                                                         {6, 255, 12}, {7, 9, 11},   {8, 9, 10}};

void RenderTrail(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light, TrailShape shape);

// A new effect: every intensity and ring position 0, then ring position 0
// set, and the frame count starts again.
void ResetTrail(CUsbDeviceCore& frame, LightRendererState& state);

}  // namespace r88
