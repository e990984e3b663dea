#pragma once
// The main window's device manager: one device page, strip item and power
// indicator per row of the device description table, built at start and
// kept for the life of the window; the discovery thread that reports
// interfaces arriving (3090) and leaving (3091); connecting and
// disconnecting the device objects; and the strip's selection rules.
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "device/device_discovery.h"
#include "device/device_tables.h"
#include "platform/window_messages.h"

class QWidget;

namespace r88 {

namespace ui {
class ITagFactory;
}
class COrvaneUSBDevice;
class CDeviceOptionUI;
class CMpDevicePowerUI;

// Names of the main window's containers.
namespace strip {
inline constexpr char kStripLayout[] = "device_select_layout";
inline constexpr char kDeviceSwitch[] = "device_switch";
inline constexpr char kPowerSwitch[] = "device_power_switch";
inline constexpr char kNoDeviceLink[] = "No_device_Link";
inline constexpr char kSelector[] = "device_select";
}  // namespace strip

class CDeviceManager {
public:
    struct Page {
        int row = -1;  // description row
        QPointer<COrvaneUSBDevice> device;
        QPointer<CDeviceOptionUI> item;
        QPointer<CMpDevicePowerUI> power;
    };

    // `window` holds the containers; `sink` is where the discovery thread's
    // messages go (the window's message handler).
    CDeviceManager(QWidget* window, ui::ITagFactory& tags, IMessageSink& sink);
    // Stops the discovery thread and every device's threads.
    ~CDeviceManager();
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    // Builds the page, strip item and power indicator of every description
    // row, all hidden. Rows whose layouts cannot be built get no page.
    void BuildDevicePages();
    // Starts the discovery thread.
    void Start();
    // Stops the discovery thread, then every device's notification reader
    // and light thread, each within its budget; nothing is killed.
    void Stop();
    bool Stopping() const { return stopping_; }

    // 3090 and 3091 of slot `index`.
    void ConnectSlot(std::size_t index);
    void DisconnectSlot(std::size_t index);
    // After the machine wakes: the window ignored 3090/3091 while it slept,
    // so every slot whose claim and connection disagree is settled now.
    void Resync();

    // The strip.
    void ShowDeviceItem(int index, bool visible, bool select);
    void HideDeviceItem(int index);
    // Index of the first visible item whose selector is on; -1 when none.
    int SelectedDeviceItem();
    COrvaneUSBDevice* SelectedDevice();
    // (first visible index or -1, number of visible items)
    std::pair<int, int> CountVisibleItems() const;
    // "No_device_Link" is shown exactly when no item is visible.
    void UpdateNoDeviceLink();
    // A selector of the strip was chosen by the user: its item becomes the
    // current device and its power indicator is shown.
    bool OnSelectorChosen(QWidget* sender);

    // The current device: index, type and sub-type of the selected item.
    int CurrentIndex() const { return currentIndex_; }
    int CurrentType() const { return currentType_; }
    int CurrentSubType() const { return currentSubType_; }

    const std::vector<Page>& Pages() const { return pages_; }
    CDeviceDiscovery& Discovery() { return *discovery_; }

private:
    QWidget* Find(const char* name) const;
    bool BuildPage(int row, const DeviceInterfaceSlot& slot);
    void SelectPowerTab(const Page& page);
    void TakeAsCurrent(int index);
    std::vector<Page*> KindList(int type);
    // Whether a device object holds the slot's interface open.
    bool SlotOpen(const DeviceInterfaceSlot& slot);

    QWidget* window_;
    ui::ITagFactory& tags_;
    IMessageSink& sink_;
    std::unique_ptr<CDeviceDiscovery> discovery_;
    std::vector<Page> pages_;
    bool stopping_ = false;
    int currentIndex_ = -1;
    int currentType_ = 0;
    int currentSubType_ = 0;
};

}  // namespace r88
