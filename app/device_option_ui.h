#pragma once
// A device's item in the device strip: a selector bound to the device's page
// in "device_switch" and its power indicator in "device_power_switch", the
// device name and the mark that the device takes part in synchronised
// lighting. The item is also the clock of its device object: its timers run
// the first read after connection, the 5 ms light frames, the re-read the
// device asks for and the power polling.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "ui/repaint_gate.h"

class QAbstractButton;
class QLabel;
class QMouseEvent;

namespace r88 {

class COrvaneUSBDevice;
namespace ui {
class CControlTimers;
}

class CDeviceOptionUI : public QWidget {
    Q_OBJECT
public:
    // Timers of an item.
    static constexpr int kTimerLightFrame = 1000;   // 5 ms, while the command channel is open
    static constexpr int kTimerConnected = 1001;    // 500 ms once, after connection
    static constexpr int kTimerSyncRequest = 1002;  // once, after the device asked for a re-read
    static constexpr int kTimerReservedA = 1003;
    static constexpr int kTimerReservedB = 1004;
    static constexpr int kTimerPower = 1005;  // 5000 ms, while the device reports power
    static constexpr int kLightFrameMs = 5;
    static constexpr int kConnectedMs = 500;
    static constexpr int kPowerMs = 5000;

    // Pictures of the selector when the layout names none.
    static constexpr char kSynchroSelectedImage[] = "common/device_ico/unknow_device_synchro_selected.png";
    static constexpr char kSynchroNormalImage[] = "common/device_ico/unknow_device_synchro_normal.png";
    static constexpr char kSelectedImage[] = "common/device_ico/unknow_device_selected.png";
    static constexpr char kNormalImage[] = "common/device_ico/unknow_device_normal.png";

    explicit CDeviceOptionUI(QWidget* parent = nullptr);
    ~CDeviceOptionUI() override;

    void SetSynchroMark(bool on);
    bool IsSynchroMarked();
    void SetSelected(bool on);
    bool IsSelected();
    // Binds the selector: selecting it selects tab `index` of the tab layout `name`.
    void BindTab(const QString& name, int index);
    QString GetBoundTabName() const { return boundTab_; }
    int GetBoundTabIndex() const { return boundIndex_; }
    void SetPowerTab(const QString& name, int index);
    QString GetPowerTabName() const { return powerTabName_; }
    int GetPowerTabIndex() const { return powerTabIndex_; }
    // Puts the selector into the window's option group of that name: one
    // selected item at a time.
    void SetGroup(const QString& name);
    void SetKind(int type, int subType);
    int GetType() const { return type_; }
    int GetSubType() const { return subType_; }
    void SetName(const QString& text);
    void LinkDevice(COrvaneUSBDevice* device);
    COrvaneUSBDevice* Device() const { return device_; }
    void SetPicture(QWidget* picture) { picture_ = picture; }
    QWidget* Picture() const { return picture_; }
    // Remembers and applies the visibility.
    void SetVisible(bool on);
    bool IsVisibleItem() const { return visible_; }

    // Arms (or re-arms) one of the item's timers; callable from any thread.
    void ArmTimer(int id, int intervalMs);
    void KillTimer(int id);
    // Stops every timer of the item (the device is gone, or the workers stop).
    void KillAllTimers();
    bool TimerActive(int id) const;
    // Picture redraws after light frames so far.
    std::int64_t PictureRepaints() const { return repaintGate_.Count(); }
    // The expiry of a timer (also called by tests).
    void OnTimer(int id);

    QAbstractButton* Selector();

protected:
    // A click anywhere on the item selects it, as one on its selector does.
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QAbstractButton* SynchroMark();
    QLabel* NameLabel();
    void SelectBoundTab();
    void ShowSelectorPicture();

    QString boundTab_;
    int boundIndex_ = -1;
    QString powerTabName_;
    int powerTabIndex_ = -1;
    bool visible_ = true;
    bool pressed_ = false;
    int type_ = 0;
    int subType_ = 0;
    QPointer<COrvaneUSBDevice> device_;
    QPointer<QWidget> picture_;
    QPointer<QAbstractButton> selector_;
    QPointer<QAbstractButton> synchroMark_;
    QPointer<QLabel> nameLabel_;
    std::unique_ptr<ui::CControlTimers> timers_;
    ui::CRepaintGate repaintGate_;
};

}  // namespace r88
