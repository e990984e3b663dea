#include "lighting/sync_light_engine.h"

namespace r88 {

CSyncLightEngine::CSyncLightEngine(Clock::time_point start) : ticker_(LightTickStyle::kClock, start) {}

int CSyncLightEngine::StepPeriod(const CommonLightParams& p) {
    const std::size_t speed = LevelIndex(p.speed);
    return p.kind == CommonLightKind::kBreathing ? SyncBreathingPeriod[speed] : SyncStepPeriod[speed];
}

std::optional<SyncLightOutput> CSyncLightEngine::Advance(const CommonLightParams& p, Clock::time_point now) {
    ticker_.Advance(now);
    if (ticker_.Count() < StepPeriod(p)) return std::nullopt;
    ticker_.Reset();
    return Step(p, now);
}

CSyncLightEngine::Clock::time_point CSyncLightEngine::NextDue(const CommonLightParams& p,
                                                              Clock::time_point now) const {
    const auto due = ticker_.When(StepPeriod(p));
    return due > now ? due : now + ticker_.TickLength();
}

SyncLightOutput CSyncLightEngine::Step(const CommonLightParams& p, Clock::time_point now) {
    const std::uint8_t level = BrightnessLevels[LevelIndex(p.brightness)];
    const Rgb common{p.red, p.green, p.blue};
    switch (p.kind) {
        case CommonLightKind::kBreathing: {
            phase_ = StepPhase(p.direction, 128, phase_, 1);
            if (p.multiColor != 0 && phase_ <= 1) colourIndex_ = StepPhase(1, 192, colourIndex_, 16);
            const Rgb colour = p.multiColor != 0 ? SpectrumTable[colourIndex_] : common;
            return {colour, static_cast<std::uint8_t>((level * BreathCurve[phase_ & 127]) >> 8)};
        }
        case CommonLightKind::kStatic:
            return {common, level};
        case CommonLightKind::kFlash: {
            const auto interval =
                std::chrono::milliseconds(SyncFlashInterval[LevelIndex(p.speed)] * kSyncFlashIntervalUnitMs);
            if (!lastFlash_ || now - *lastFlash_ >= interval) {
                flashOn_ = !flashOn_;
                lastFlash_ = now;
                flashColourIndex_ = static_cast<std::uint8_t>(flashColourIndex_ + 14);
                if (flashColourIndex_ >= 192) flashColourIndex_ = 0;
            }
            if (!flashOn_) return {};
            return {p.multiColor != 0 ? SpectrumTable[flashColourIndex_] : common, level};
        }
        case CommonLightKind::kSpectrum:
            colourIndex_ = StepPhase(1, 192, colourIndex_, 1);
            return {SpectrumTable[colourIndex_], level};
        case CommonLightKind::kOff:
            return {};
    }
    return {};
}

}  // namespace r88
