#include "lighting/light_sequence_player.h"

#include "lighting/led_value.h"
#include "lighting/light_tables.h"
#include "lighting/shared_renderers.h"

namespace r88 {
namespace {

enum StepMode : std::uint8_t {
    kBreathing = 0,
    kStatic = 1,
    kFlash = 2,
    kUnchanged = 3,
    kWave = 4,
    kSpectrum = 5
};

constexpr unsigned kWaveSpacing = 12;  // spectrum or curve entries between neighbouring LEDs

}  // namespace

void CLightSequencePlayer::Load(std::vector<LightStep> steps) {
    std::lock_guard guard(lock_);
    steps_ = std::move(steps);
    current_ = 0;
    restart_ = true;
}

std::size_t CLightSequencePlayer::StepCount() const {
    std::lock_guard guard(lock_);
    return steps_.size();
}

std::size_t CLightSequencePlayer::CurrentStep() const {
    std::lock_guard guard(lock_);
    return current_;
}

void CLightSequencePlayer::Play(CUsbDeviceCore& frame, std::uint32_t nowMs) {
    LightStep step;
    {
        std::lock_guard guard(lock_);
        if (current_ >= steps_.size()) current_ = 0;
        if (steps_.empty()) {
            RenderOff(frame);
            return;
        }
        step = steps_[current_];
        if (restart_) {
            restart_ = false;
            stepStartMs_ = nowMs;
        }
    }
    ++passes_;
    RenderStep(frame, step, nowMs);
    if (passes_ == 255) passes_ = 0;
    if (nowMs - stepStartMs_ > step.time) {
        std::lock_guard guard(lock_);
        if (!steps_.empty()) current_ = (current_ + 1) % steps_.size();
        stepStartMs_ = nowMs;
    }
}

void CLightSequencePlayer::RenderStep(CUsbDeviceCore& frame, const LightStep& step, std::uint32_t nowMs) {
    const int count = frame.LightCount();
    const std::uint8_t level = LevelAlpha(step.brightness);
    const std::size_t speed = LevelIndex(step.speed);
    const Rgb stepColour{step.red, step.green, step.blue};
    // Multicolour breathing and flash steps show red, green and blue in turn.
    const Rgb colour = step.multiColor != 0 ? SpectrumAt(colourCounter_ * 64u) : stepColour;
    switch (step.mode) {
        case kBreathing:
            if (passes_ >= FramePeriodSlow[speed]) {
                phase_ = static_cast<std::uint8_t>((phase_ + 1) & 127);
                passes_ = 0;
                if (phase_ == 0) colourCounter_ = static_cast<std::uint8_t>((colourCounter_ + 1) % 3);
            }
            FillFrame(frame, PackLed(colour, ScaleByAlpha(level, BreathCurve[phase_ & 127])));
            break;
        case kStatic:
            FillFrame(frame, PackLed(stepColour, level));
            break;
        case kFlash:
            if (FlashDue(nowMs, lastFlashMs_, step.speed)) {
                flashOn_ = flashOn_ != 0 ? 0 : 1;
                lastFlashMs_ = nowMs;
                if (flashOn_ == 0) colourCounter_ = static_cast<std::uint8_t>((colourCounter_ + 1) % 3);
            }
            FillFrame(frame, flashOn_ != 0 ? PackLed(colour, level) : 0);
            break;
        case kWave: {
            if (phase_ >= kSpectrumSteps) phase_ = 0;
            if (passes_ >= FramePeriodSlow[speed]) {
                phase_ = NextSpectrumIndex(phase_);
                passes_ = 0;
            }
            unsigned start = 0;
            if (step.direction == 0)
                start = phase_ + 1u >= kSpectrumSteps ? 0 : phase_ + 1u;
            else
                start = phase_ == 0 ? 191u : static_cast<unsigned>(kSpectrumSteps) - phase_;
            if (step.multiColor != 0) {
                for (int i = 0; i < count; ++i)
                    frame.SetLedValue(
                        i,
                        PackLed(
                            SpectrumTable[(start + kWaveSpacing * static_cast<unsigned>(i)) % kSpectrumSteps],
                            level));
            } else {
                unsigned index = (start + kWaveSpacing) % WaveCurve.size();
                for (int i = 0; i < count; ++i) {
                    frame.SetLedValue(i, PackLed(stepColour, ScaleByAlpha(level, WaveCurve[index])));
                    index = (index + kWaveSpacing) % WaveCurve.size();
                }
            }
            break;
        }
        case kSpectrum:
            if (phase_ >= kSpectrumSteps) phase_ = 0;
            if (passes_ >= FramePeriodFast[speed]) {
                phase_ = NextSpectrumIndex(phase_);
                passes_ = 0;
            }
            FillFrame(frame, PackLed(SpectrumTable[phase_], level));
            break;
        case kUnchanged:
        default:
            // Unknown modes leave the frame as it is, like mode 3.
            break;
    }
}

}  // namespace r88
