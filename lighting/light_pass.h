#pragma once
// One pass of a device's light thread: it renders nothing while the device is
// away or lit by the synchronised lighting, renders the current effect once
// its frame period has passed, runs the end-of-pass work (the per-LED light
// list) and says when the next pass is due, so the thread sleeps until then.
#include <chrono>

#include "lighting/light_ticker.h"

namespace r88 {

// While nothing can change the frame the thread waits this long (or until it
// is woken: a new light state, a connection, the stop event).
inline constexpr std::chrono::milliseconds kLightIdleWait{100};

// What the current effect asks of the light thread.
struct LightSchedule {
    enum class Kind {
        kIdle,       // nothing animates: the effect is off and the light list is empty
        kPeriodic,   // a frame every `period` ticks
        kEveryPass,  // a user light sequence: it runs on every pass and counts passes
    };
    Kind kind = Kind::kIdle;
    int period = 0;
    // A per-LED light list animates on its own and counts passes: one pass per tick.
    bool lightList = false;
};

// Implemented by a device object; called on its light thread.
class ILightRenderer {
public:
    virtual LightSchedule CurrentLightSchedule() = 0;
    // Renders the frame of the current effect into the LED frame.
    virtual void RenderLightFrame() = 0;
    // The work at the end of every pass that rendered or could have.
    virtual void EndLightPass() = 0;

protected:
    ~ILightRenderer() = default;
};

// Runs one pass at `now` and returns when the next one is due.
CLightTicker::Clock::time_point RunLightPass(CLightTicker& ticker, ILightRenderer& renderer, bool channelOpen,
                                             bool syncLighting, CLightTicker::Clock::time_point now);

}  // namespace r88
