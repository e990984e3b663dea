#include "lighting/trail_renderer.h"

#include <array>

#include "lighting/led_value.h"
#include "lighting/light_tables.h"

namespace r88 {
namespace {

std::size_t ElementCount(const CUsbDeviceCore& frame, TrailShape shape) {
    switch (shape) {
        case TrailShape::kMouseGroups:
            return std::size(kMouseTrailGroups);
        case TrailShape::kPerLed:
            return static_cast<std::size_t>(frame.LightCount());
        case TrailShape::kLedPairs:
            return kPairTrailRingSize;
    }
    return 0;
}

// Marks elements as the ring says: the mouse by positions 0..8, the others
// element e by position e for e ≥ 1, within the element count and the ring.
void MarkTrail(CUsbDeviceCore& frame, TrailShape shape, std::size_t elements) {
    if (shape == TrailShape::kMouseGroups) {
        frame.LightMarkedTrail(false);
        return;
    }
    for (std::size_t e = 1; e < elements && e < kTrailRingSize; ++e)
        if (frame.TrailRing(e) != 0) frame.SetTrailIntensity(e, 255);
}

// The pair trail's ring is the first eight positions of the 23-byte ring.
void RotatePairRing(CUsbDeviceCore& frame, std::uint8_t direction) {
    std::array<std::uint8_t, kPairTrailRingSize> ring{};
    for (std::size_t i = 0; i < ring.size(); ++i) ring[i] = frame.TrailRing(i);
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const std::size_t from = direction != 0 ? (i + ring.size() - 1) % ring.size() : (i + 1) % ring.size();
        frame.SetTrailRing(i, ring[from]);
    }
}

// Element e's LED numbers; 255 marks an unused place.
std::array<std::uint8_t, 3> ElementLeds(TrailShape shape, std::size_t e) {
    switch (shape) {
        case TrailShape::kMouseGroups:
            return {kMouseTrailGroups[e][0], kMouseTrailGroups[e][1], kMouseTrailGroups[e][2]};
        case TrailShape::kPerLed:
            return {static_cast<std::uint8_t>(e), 255, 255};
        case TrailShape::kLedPairs:
            if (e == 0) return {255, 255, 255};
            return {static_cast<std::uint8_t>(e), static_cast<std::uint8_t>(15 - e), 255};
    }
    return {255, 255, 255};
}

}  // namespace

void ResetTrail(CUsbDeviceCore& frame, LightRendererState& state) {
    frame.ClearTrail();
    frame.SetTrailRing(0, 1);
    state.trailFrames.store(0);
}

void RenderTrail(CUsbDeviceCore& frame, LightRendererState& state, const LightState& light,
                 TrailShape shape) {
    state.phase = StepPhase(light.direction, static_cast<std::uint8_t>(kSpectrumSteps), state.phase, 1);
    const std::size_t elements = ElementCount(frame, shape);
    const auto drawn = static_cast<std::uint8_t>(state.trailFrames.load() + 1);
    state.trailFrames.store(drawn);
    // The mouse moves on every frame, the others on frames 1, 3, 5, …
    if (shape == TrailShape::kMouseGroups || (drawn & 1u) != 0) {
        MarkTrail(frame, shape, elements);
        if (shape == TrailShape::kLedPairs)
            RotatePairRing(frame, light.direction);
        else
            frame.RotateTrailRing(light.direction);
    }

    const bool multi = light.multiColor != 0;
    if (elements == 0) return;
    // The element the marker reaches first: element 1 going up, the last one going down.
    const std::size_t entering = light.direction != 0 ? 1 : elements - 1;
    const int count = frame.LightCount();
    std::uint8_t running = state.phase;
    for (std::size_t e = 0; e < elements; ++e) {
        frame.DecayTrail(e, true);
        const std::uint8_t intensity = frame.TrailIntensity(e);
        running = static_cast<std::uint8_t>(running + 12);
        Rgb colour{light.red, light.green, light.blue};
        if (multi) colour = SpectrumAt(running >= kSpectrumSteps ? running - kSpectrumSteps : running);
        const bool keepColour = multi && shape != TrailShape::kMouseGroups && e == entering && intensity != 0;
        const std::uint8_t alpha = ScaledLevel(light.brightness, intensity);
        for (const std::uint8_t led : ElementLeds(shape, e)) {
            if (led >= count) continue;
            const Rgb shown = keepColour ? LedColour(frame.GetLedValue(led)) : colour;
            frame.SetLedValue(led, PackLed(shown, alpha));
        }
    }
}

}  // namespace r88
