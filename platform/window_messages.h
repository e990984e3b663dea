#pragma once
// Messages that reach the main window from worker threads and from the
// system. The numbered ones keep the numbers the whole application uses;
// the named system events get numbers of their own above 0x8000.
#include <cstdint>

namespace r88 {

enum WindowMessage : unsigned {
    kMsgTrayIcon = 1025,
    kMsgHookControl = 1054,
    kMsgMenuCommand = 1145,
    kMsgDpiTrace = 1224,
    kMsgShowSettingProgress = 3072,
    kMsgLanguageChanged = 3089,  // 0xC11, sent by the settings window
    kMsgDeviceFound = 3090,
    kMsgDeviceGone = 3091,
    kMsgOpenSettingsShifted = 3093,
    kMsgClearUpdateBadge = 3094,
    // A device read its settings: wParam its active onboard profile, lParam
    // the device object (COrvaneUSBDevice*) that sends it.
    kMsgActiveProfile = 0x0D00,

    // System events, as the main window sees them.
    kMsgActivate = 0x8001,
    kMsgMouseLeave,
    kMsgMouseHover,
    kMsgApplication,       // a second start (lParam 1) or the first full device scan
    kMsgUpdateProgress,
    kMsgLightControlRequest,
    kMsgDestroy,
    kMsgPowerBroadcast,
    kMsgDisplayChange,
    kMsgKeyDown,
    kMsgSysKeyDown,
    kMsgTimer,
    kMsgDpiChanged,
};

// Power broadcast codes carried in wParam.
inline constexpr uintptr_t kPowerSuspend = 4;
inline constexpr uintptr_t kPowerResume = 18;

// Tray icon notifications carried in lParam of kMsgTrayIcon.
inline constexpr intptr_t kTrayLeftButtonUp = 0x0202;
inline constexpr intptr_t kTrayRightButtonUp = 0x0205;

// How worker threads reach the window: "posted" is queued, "sent" waits
// until the window has handled the message.
class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    virtual void PostMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) = 0;
    virtual intptr_t SendMessage(unsigned msg, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace r88
