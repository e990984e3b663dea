#pragma once
// Synchronised lighting: the "deng_same_mode" action gives every connected
// device the selected device's effect, in each kind's own numbering, and
// marks it as taking part; one worker of the main window then computes a
// single colour per step for every LED of every device taking part, which
// each device's 5 ms frame timer sends as usual. A device's own light thread
// renders nothing while it takes part.
//
// The worker is quiet: with nobody taking part it sleeps until woken (a new
// synchronisation, a connection), and while it runs it sleeps until its next
// step is due.
#include <QSize>
#include <chrono>
#include <mutex>
#include <vector>

#include "device/worker_thread.h"
#include "lighting/sync_light_engine.h"

namespace r88 {

class CDeviceManager;
class COrvaneUSBDevice;

class CSyncLighting {
public:
    // How long the worker sleeps, unless woken, while nobody takes part.
    static constexpr std::chrono::hours kIdleWait{1};

    explicit CSyncLighting(CDeviceManager& devices);
    // Stops the worker and waits for it: it uses the device objects.
    ~CSyncLighting();
    CSyncLighting(const CSyncLighting&) = delete;
    CSyncLighting& operator=(const CSyncLighting&) = delete;

    // After the device pages are built: takes the device lists and starts
    // the worker.
    void Start();
    WorkerStopResult Stop();
    bool Running() const { return worker_.Running(); }
    // Something may have started to take part: the worker looks again now.
    void Wake() { worker_.Wake(); }

    // The action. False when nothing changed: no device is selected, or its
    // effect has no equivalent on the other kinds.
    bool SynchroniseLighting(QSize screen);
    // Every LED of every device taking part gets the colour and alpha.
    void SetAllSyncedLeds(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha);

    CommonLightParams Params() const;

private:
    struct Member {
        COrvaneUSBDevice* device = nullptr;
        int type = 0;
    };
    bool AnyTakingPart() const;
    void RunUnit(CWorkerThread& self);

    CDeviceManager& devices_;
    // Keyboards, mice, mouse pads, headsets; fixed once started.
    std::vector<Member> members_;
    mutable std::mutex paramsMutex_;
    CommonLightParams params_;
    // The worker's own.
    CSyncLightEngine engine_{CSyncLightEngine::Clock::now()};
    CWorkerThread worker_{StopTraceStyle::kWindow, "r88-sync-light"};
};

}  // namespace r88
