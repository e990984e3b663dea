#pragma once
// The discovery thread of the device manager. Every 100 ms it enumerates the
// HID interfaces (only while some slot that can connect is still free: rows
// with vendor id 0 never connect and never match, whatever is plugged in),
// claims each supported interface it finds after a probe open for reading that
// checks the usage page and usage, and asks the backend whether every claimed
// interface is still present (IHidBackend::IsPresent, which needs no access
// rights). It reports each change to the main window and never touches a
// device object:
//
//   SendMessage(kMsgDeviceFound, slot, 0)  3090, after the slot was claimed
//   SendMessage(kMsgDeviceGone, slot, 0)   3091, after the slot was freed
//   PostMessage(kMsgApplication, 0, 0)     once, after the first complete scan
//
// The main window owns one CDeviceDiscovery and reads a slot with Slot(i)
// when 3090 or 3091 arrives; the slot is settled before the message is sent.
// The slot list is guarded by a mutex of its own, never held while a message
// is sent, so Slot() and Slots() may be called from the message handlers.
//
// Stopping: Stop() (the window's destruction) sets the stop event and waits
// at most 1000 ms. SendMessage is called on the discovery thread; a sink whose
// SendMessage waits for the UI thread must stop waiting once the window has
// begun to stop its workers (a plain blocking queued call would hold the
// thread while the UI thread waits in Stop()): the window's message bridge is
// closed before Stop() for that.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "device/device_tables.h"
#include "device/worker_thread.h"
#include "platform/hid_backend.h"
#include "platform/window_messages.h"

namespace r88 {

inline constexpr int kDiscoveryPeriodMs = 100;
inline constexpr char kTraceDiscoveryExit[] = "抓取设备线程设定退出";

class CDeviceDiscovery {
public:
    // On the process-wide backend.
    explicit CDeviceDiscovery(IMessageSink& window);
    CDeviceDiscovery(IMessageSink& window, std::shared_ptr<IHidBackend> backend);
    ~CDeviceDiscovery();  // stops the thread
    CDeviceDiscovery(const CDeviceDiscovery&) = delete;
    CDeviceDiscovery& operator=(const CDeviceDiscovery&) = delete;

    // Starts the thread (worker slot 0 of the main window).
    void Start();
    // Window-style trace lines ("所有对象处于激发状态\n" ...).
    WorkerStopResult Stop(int budgetMs = kWorkerStopBudgetMs);
    bool Running() const { return worker_.Running(); }

    // One unit of work without the thread (tests, r88ctl): a scan when a
    // claimable slot is free, then the presence check. False when the
    // enumeration failed (the thread ends then). Not while the thread runs.
    bool RunOnce();

    // ---- the slot list (any thread) ----
    static constexpr size_t SlotCount() { return kSupportedInterfaces.size(); }
    // A copy of slot `index`; nothing when the index is out of range.
    std::optional<DeviceInterfaceSlot> Slot(size_t index) const;
    std::vector<DeviceInterfaceSlot> Slots() const;

private:
    bool Scan();
    void CheckPresence();

    IMessageSink& window_;
    std::shared_ptr<IHidBackend> backend_;
    mutable std::mutex slotsMutex_;
    std::array<DeviceInterfaceSlot, kSupportedInterfaces.size()> slots_;
    bool firstScanDone_ = false;  // discovery thread only
    CWorkerThread worker_{StopTraceStyle::kWindow, "r88-discovery"};
};

}  // namespace r88
