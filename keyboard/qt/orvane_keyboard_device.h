#pragma once
// The keyboard's page and device object: 126 keys and 126 LEDs on its
// picture. The keyboard runs its lighting itself, so its light frames are
// shown on the picture only; its key notifications go to the light preview.
#include "device/qt/orvane_usb_device.h"
#include "profile/profile_data.h"

namespace r88 {

class COrvaneKeyboardDevice : public COrvaneUSBDevice {
    Q_OBJECT
public:
    explicit COrvaneKeyboardDevice(QWidget* parent = nullptr);
    ~COrvaneKeyboardDevice() override;

    CBasicProfiledata* Profile() override { return &profile_; }
    CKeyboardProfiledata& KeyboardProfile() { return profile_; }

    void ReadAllFromDevice() override;
    void SendLightFrame() override;

    // A key of the board went down (action 1) or up (action 2), by key slot.
    // Called on the notification reader's thread. The reactions of the light
    // preview come with the keyboard's light effects; until then a key event
    // only counts.
    virtual void OnKeyEvent(int keySlot, int action);
    int KeyEventCount() const { return keyEvents_.load(); }

protected:
    void OnKeyNotification(int keySlot, bool pressed) override { OnKeyEvent(keySlot, pressed ? 1 : 2); }
    int SyncRequestDelayMs() const override { return kKeyboardSyncReadDelayMs; }
    const char* LightThreadExitTrace() const override { return "KB灯光线程设定退出"; }

private:
    CKeyboardProfiledata profile_;
    std::atomic<int> keyEvents_{0};
};

}  // namespace r88
