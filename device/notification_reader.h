#pragma once
// The notification side of a device object: its channel on the consumer
// collection (sub-type 0xFF) and the reader thread that decodes what the
// device reports there:
//   0x0401          the device asks to have its settings read again
//   0x0500..0x05FF  key down of key slot code - 0x0500 (keyboard only)
//   0x0600..0x06FF  key up of key slot code - 0x0600 (keyboard only)
// Everything else is ignored. A report shorter than the collection's input
// report length is read as if padded with zeros (hidraw does not pad, Windows
// does); a longer one is cut. A key slot is the device's own number
// (0..255); the keyboard maps it to a key of its picture.
//
// The handler runs on the reader thread. The Qt page hands each event to the
// UI thread: a sync request arms timer 1002 of its strip item (500 ms, the
// keyboard 100 ms); key events go to the light preview.
//
//   CNotificationReader reader;
//   reader.SetHandler([page](const NotificationEvent& e) { ...queue to the UI... });
//   reader.SetKeyEvents(true);              // keyboards only
//   reader.OpenNotifications(slot.path);    // on 3090 for a sub-type 0xFF slot
//   reader.CloseNotifications();            // on 3091, and in the destructor
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "device/hid_command_channel.h"
#include "device/worker_thread.h"
#include "platform/hid_backend.h"

namespace r88 {

inline constexpr char kTraceNotifyExit[] = "MS设备同步线程设定退出";
inline constexpr char kTraceNotifyReport[] = "接收到自动添加设备的同步信息要求  TEST";
inline constexpr char kTraceSyncRequest[] = "接收到自动添加设备的同步信息要求";
inline constexpr int kSyncReadDelayMs = 500;          // timer 1002
inline constexpr int kKeyboardSyncReadDelayMs = 100;  // timer 1002 of the keyboard

struct NotificationEvent {
    enum class Kind { kSyncRequest, kKeyDown, kKeyUp };
    Kind kind = Kind::kSyncRequest;
    uint16_t code = 0;    // as reported
    uint8_t keySlot = 0;  // key events: the device's key slot
};

// One decoded code; nothing for codes that mean nothing, and for key codes
// when key events are off.
std::optional<NotificationEvent> DecodeNotification(uint16_t code, bool keyEvents);

class CNotificationReader {
public:
    using Handler = std::function<void(const NotificationEvent&)>;

    CNotificationReader();  // on CurrentHidBackend()
    explicit CNotificationReader(std::shared_ptr<IHidBackend> backend);
    ~CNotificationReader();  // CloseNotifications
    CNotificationReader(const CNotificationReader&) = delete;
    CNotificationReader& operator=(const CNotificationReader&) = delete;

    // Set before OpenNotifications (not while the reader runs).
    void SetHandler(Handler handler);
    // Whether key events are delivered; off by default, as for every kind
    // but the keyboard.
    void SetKeyEvents(bool on);

    // If not open: opens the interface under its ioLock (read, write,
    // overlapped, shared) and, on success, marks the channel open and starts
    // the reader. Returns whether the channel is open.
    bool OpenNotifications(const std::string& path);
    // If open: stops the reader (cutting its read short), then closes the interface.
    void CloseNotifications();
    bool IsOpen() const { return channel_.IsOpen(); }
    CHidCommandChannel& Channel() { return channel_; }

private:
    bool ReadOne();

    CHidCommandChannel channel_;
    Handler handler_;
    bool keyEvents_ = false;
    std::mutex openMutex_;  // Open/Close from any thread
    CWorkerThread worker_{StopTraceStyle::kDevice, "r88-notify"};
};

}  // namespace r88
