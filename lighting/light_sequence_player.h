#pragma once
// Plays the steps of a user light sequence, one pass at a time. One player
// per device object: the step list and the player's counters belong to that
// device, so two light threads never share them.
//
// The step list is replaced on the UI thread (Load) and read on the light
// thread (Play) under the sequence lock; the counters are the light thread's.
#include <cstdint>
#include <mutex>
#include <vector>

#include "device/usb_device_core.h"
#include "profile/profile_records.h"

namespace r88 {

class CLightSequencePlayer {
public:
    // Replaces the steps and starts again at step 0; the step timer starts at
    // the next pass.
    void Load(std::vector<LightStep> steps);
    std::size_t StepCount() const;
    std::size_t CurrentStep() const;

    // One pass at `nowMs`. An empty sequence renders every LED off.
    void Play(CUsbDeviceCore& frame, std::uint32_t nowMs);

private:
    void RenderStep(CUsbDeviceCore& frame, const LightStep& step, std::uint32_t nowMs);

    mutable std::mutex lock_;
    std::vector<LightStep> steps_;
    std::size_t current_ = 0;
    bool restart_ = true;  // the step timer starts at the next pass
    // The light thread's counters.
    std::uint8_t passes_ = 0;
    std::uint8_t phase_ = 0;
    std::uint8_t colourCounter_ = 0;  // 0..2, one on at the end of every breath or flash
    std::uint8_t flashOn_ = 0;
    std::uint32_t lastFlashMs_ = 0;
    std::uint32_t stepStartMs_ = 0;
};

}  // namespace r88
