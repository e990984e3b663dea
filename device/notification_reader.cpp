#include "device/notification_reader.h"

#include <vector>

#include "device/hid_command_set.h"
#include "platform/trace.h"

namespace r88 {

std::optional<NotificationEvent> DecodeNotification(uint16_t code, bool keyEvents) {
    NotificationEvent e;
    e.code = code;
    if (code == kNotifySyncRequest) {
        e.kind = NotificationEvent::Kind::kSyncRequest;
        return e;
    }
    const uint16_t group = code & 0xFF00;
    if (!keyEvents || (group != kNotifyKeyDown && group != kNotifyKeyUp)) return std::nullopt;
    const auto slot = static_cast<uint8_t>(code & 0xFF);
    e.kind = group == kNotifyKeyDown ? NotificationEvent::Kind::kKeyDown : NotificationEvent::Kind::kKeyUp;
    e.keySlot = slot;
    return e;
}

CNotificationReader::CNotificationReader() : CNotificationReader(CurrentHidBackend()) {}

CNotificationReader::CNotificationReader(std::shared_ptr<IHidBackend> backend) : channel_(std::move(backend)) {}

CNotificationReader::~CNotificationReader() {
    CloseNotifications();
}

void CNotificationReader::SetHandler(Handler handler) {
    handler_ = std::move(handler);
}

void CNotificationReader::SetKeyEvents(bool on) {
    keyEvents_ = on;
}

bool CNotificationReader::OpenNotifications(const std::string& path) {
    std::lock_guard lock(openMutex_);
    if (channel_.IsOpen()) return true;
    if (!channel_.OpenHid(path)) return false;
    worker_.Start([this](CWorkerThread&) { return ReadOne(); }, kTraceNotifyExit,
                  [this] { channel_.Hid().CancelTransfers(); });
    return true;
}

void CNotificationReader::CloseNotifications() {
    std::lock_guard lock(openMutex_);
    // The reader waits without a time-out: the stop cuts its read short before waiting for it.
    const WorkerStopResult stopped = worker_.Stop();
    if (channel_.IsOpen() || channel_.Hid().IsOpen()) channel_.CloseHid();
    // A reader that overran still calls the handler's owner: it is waited
    // for before anyone can go.
    if (stopped == WorkerStopResult::kOverran) worker_.Join();
}

bool CNotificationReader::ReadOne() {
    if (!channel_.IsOpen()) return true;
    CHidDevice& hid = channel_.Hid();
    const size_t length = hid.Caps().inputReportByteLength;
    if (length == 0) return true;
    std::vector<uint8_t> report(length, 0);
    size_t got = 0;
    // hidraw hands a report over as long as it came, not padded to the
    // collection's longest report: the rest of the buffer stays zero, and a
    // longer report is cut to the buffer.
    if (!hid.Read(report.data(), report.size(), kHidInfinite, &got) || got == 0) return true;

    std::vector<HidDataItem> items(hid.InputItems().begin(), hid.InputItems().end());
    if (items.empty() || !hid.UnpackInputReport(items, report)) return true;
    const HidDataItem& first = items.front();
    if (!first.isSet) return true;
    const uint16_t code = first.isButton ? (first.usages.empty() ? 0 : first.usages.front())
                                         : static_cast<uint16_t>(first.value);
    Trace(kTraceNotifyReport);
    const std::optional<NotificationEvent> event = DecodeNotification(code, keyEvents_);
    if (!event) return true;
    if (event->kind == NotificationEvent::Kind::kSyncRequest) Trace(kTraceSyncRequest);
    if (handler_) handler_(*event);
    return true;
}

}  // namespace r88
