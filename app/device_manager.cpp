#include "app/device_manager.h"

#include <QAbstractButton>
#include <QLayout>
#include <QStackedWidget>

#include "app/device_option_ui.h"
#include "app/mp_device_power_ui.h"
#include "device/qt/orvane_usb_device.h"
#include "mouse/qt/orvane_mouse_device.h"
#include "platform/trace.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/find_control.h"
#include "ui/notify.h"
#include "ui/skin_loader.h"

namespace r88 {

namespace {

// The skin's layouts are Qt Designer files: the table's ".xml" names are ".ui" here.
QString LayoutName(std::string_view tableName) {
    QString name = QString::fromUtf8(tableName.data(), static_cast<qsizetype>(tableName.size()));
    if (name.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive)) name.chop(4);
    return name + QStringLiteral(".ui");
}

bool IsMouseType(int type) {
    return type == kDeviceMouse || type == kDeviceMouseReceiver;
}

const char* AddTrace(int type) {
    if (type == kDeviceKeyboard) return "添加一个键盘设备";
    if (IsMouseType(type)) return "添加一个鼠标设备";
    return "添加一个鼠标垫设备";  // the mouse pad and the headset
}

const char* RemoveTrace(int type) {
    if (type == kDeviceKeyboard) return "删除一个键盘设备";
    if (IsMouseType(type)) return "删除一个鼠标设备";
    return "删除一个鼠标垫设备";
}

}  // namespace

CDeviceManager::CDeviceManager(QWidget* window, ui::ITagFactory& tags, IMessageSink& sink)
    : window_(window), tags_(tags), sink_(sink), discovery_(std::make_unique<CDeviceDiscovery>(sink)) {}

CDeviceManager::~CDeviceManager() {
    Stop();
    discovery_.reset();
}

QWidget* CDeviceManager::Find(const char* name) const {
    return ui::FindControl(window_, QString::fromLatin1(name));
}

void CDeviceManager::BuildDevicePages() {
    const auto slotList = MakeSlotList();
    for (std::size_t r = 0; r < kDeviceDescriptions.size(); ++r) {
        const DeviceDescription& d = kDeviceDescriptions[r];
        const int s = FindSlot(slotList, d.vendorId, d.productId, d.type, d.subType);
        if (s < 0) continue;
        BuildPage(static_cast<int>(r), slotList[static_cast<std::size_t>(s)]);
    }
    UpdateNoDeviceLink();
}

bool CDeviceManager::BuildPage(int row, const DeviceInterfaceSlot& slot) {
    const DeviceDescription& desc = kDeviceDescriptions[static_cast<std::size_t>(row)];
    const DevicePageRow& pageRow = kDevicePages[static_cast<std::size_t>(row)];
    auto* deviceSwitch = qobject_cast<QStackedWidget*>(Find(strip::kDeviceSwitch));
    auto* powerSwitch = qobject_cast<QStackedWidget*>(Find(strip::kPowerSwitch));
    QWidget* stripLayout = Find(strip::kStripLayout);
    if (deviceSwitch == nullptr || powerSwitch == nullptr || stripLayout == nullptr ||
        stripLayout->layout() == nullptr)
        return false;

    ui::CSkinLoader loader(&tags_);
    // 1. the power indicator
    auto* power = qobject_cast<CMpDevicePowerUI*>(loader.LoadLayout(LayoutName(kPowerIndicatorLayout)));
    if (power == nullptr) {
        TraceF("%s", loader.Error().toUtf8().constData());
        return false;
    }
    // 2. the device object, from its page layout
    const QString pageLayout = LayoutName(pageRow.pageLayout);
    QWidget* built = loader.LoadLayout(pageLayout);
    auto* device = qobject_cast<COrvaneUSBDevice*>(built);
    if (device == nullptr) {
        TraceF("%s", loader.Error().toUtf8().constData());
        delete built;
        delete power;
        return false;
    }
    // 3. the strip item
    auto* item = qobject_cast<CDeviceOptionUI*>(loader.LoadLayout(LayoutName(desc.stripLayout)));
    if (item == nullptr) {
        TraceF("%s", loader.Error().toUtf8().constData());
        delete device;
        delete power;
        return false;
    }

    // 4. the power indicator joins its tab layout
    const int powerIndex = powerSwitch->addWidget(power);
    power->SetKind(desc.type, desc.subType);

    // 5. the device object's set-up, in this order
    device->SetLayoutPath(pageLayout);
    device->SetMainWindow(window_);
    device->SetMessageSink(&sink_);
    device->SetKeyCount(pageRow.keyCount);
    device->SetLightCount(pageRow.lightCount);
    device->SetPowerKind(pageRow.powerKind);
    device->SetDeviceName(std::string(desc.deviceName));
    device->SetPowerIndicator(power);
    device->SetIdentity(slot);
    device->SetDeviceIndex(desc.deviceIndexValue);
    device->SetLightPresetName(std::string(pageRow.lightPresetName));
    device->BindPictureButtons();
    if (auto* mouse = qobject_cast<COrvaneMouseDevice*>(device)) mouse->SetLogoLed(pageRow.mouseExtra);
    device->InitProfileBar();
    device->InitLightPanel();

    // 6. the page joins the device tab layout
    const int pageIndex = deviceSwitch->addWidget(device);

    // 7. the strip item
    stripLayout->layout()->addWidget(item);
    item->SetSynchroMark(false);
    item->SetGroup(
        QString::fromUtf8(desc.tabContainer.data(), static_cast<qsizetype>(desc.tabContainer.size())));
    item->BindTab(QString::fromLatin1(strip::kDeviceSwitch), pageIndex);
    item->SetPowerTab(QString::fromLatin1(strip::kPowerSwitch), powerIndex);
    item->SetKind(desc.type, desc.subType);
    item->SetVisible(false);
    item->SetName(QString::fromUtf8(desc.deviceName.data(), static_cast<qsizetype>(desc.deviceName.size())));
    item->LinkDevice(device);
    item->SetPicture(device->GetSelectPanel());

    // The new controls notify the window like the others.
    if (ui::CNotifyDispatcher* dispatcher = ui::CNotifyDispatcher::For(window_)) {
        dispatcher->Attach(power);
        dispatcher->Attach(device);
        dispatcher->Attach(item);
    }
    pages_.push_back({row, device, item, power});
    return true;
}

void CDeviceManager::Start() {
    stopping_ = false;
    discovery_->Start();
}

void CDeviceManager::Stop() {
    stopping_ = true;
    discovery_->Stop();
    for (Page& p : pages_) {
        // Every timer: a first read or power poll still pending would start
        // the device's threads again after they were stopped.
        if (p.item) p.item->KillAllTimers();
        if (p.device) p.device->StopWorkers();
    }
}

std::vector<CDeviceManager::Page*> CDeviceManager::KindList(int type) {
    std::vector<Page*> list;
    for (Page& p : pages_) {
        if (!p.device) continue;
        const int t = kDeviceDescriptions[static_cast<std::size_t>(p.row)].type;
        const bool same = IsMouseType(type) ? IsMouseType(t) : t == type;
        if (same) list.push_back(&p);
    }
    return list;
}

void CDeviceManager::ConnectSlot(std::size_t index) {
    if (stopping_) return;
    const std::optional<DeviceInterfaceSlot> found = discovery_->Slot(index);
    if (!found) return;
    const DeviceInterfaceSlot& slot = *found;
    Trace(AddTrace(slot.type));
    const std::vector<Page*> kind = KindList(slot.type);
    // A mouse reached both by cable and through its receiver: the same object
    // switches to the connection that just arrived.
    if (IsMouseType(slot.type) && slot.partnerFlag != 0) {
        const std::optional<DeviceInterfaceSlot> partner = discovery_->Slot(slot.partnerIndex);
        if (partner && partner->partnerIndex == index && partner->connected != 0 && !partner->path.empty()) {
            for (Page* p : kind) {
                const DeviceInterfaceSlot& id = p->device->GetIdentity();
                if (!SameInterface(id, slot) && !SameInterface(id, *partner)) continue;
                const bool slow = p->device->CommandChannel().IsSlow();
                p->device->CloseCommand();
                p->device->OpenCommand(slot);
                p->device->CommandChannel().SetSlow(!slow);
                return;
            }
        }
    }
    if (slot.subType == kSubTypeCommand) {
        Page* page = nullptr;
        for (Page* p : kind)
            if (SameInterface(p->device->GetIdentity(), slot)) page = p;
        if (page == nullptr || page->device->IsCommandOpen()) return;
        // A command interface that cannot be opened still shows its item;
        // its commands then answer 0.
        page->device->OpenCommand(slot);
        const bool anyVisible = CountVisibleItems().second > 0;
        const int itemIndex = static_cast<int>(page - pages_.data());
        ShowDeviceItem(itemIndex, true, !anyVisible);
        if (page->item) page->item->ArmTimer(CDeviceOptionUI::kTimerConnected, CDeviceOptionUI::kConnectedMs);
    } else if (slot.subType == kSubTypeNotification) {
        for (Page* p : kind) {
            const DeviceInterfaceSlot& id = p->device->GetIdentity();
            if (p->device->IsNotificationOpen() || id.vendorId != slot.vendorId ||
                id.productId != slot.productId || id.type != slot.type)
                continue;
            if (slot.type == kDeviceKeyboard) Trace("链接了一个键盘5162");
            p->device->OpenNotifications(slot.path);
            break;
        }
    }
}

bool CDeviceManager::SlotOpen(const DeviceInterfaceSlot& slot) {
    for (Page* p : KindList(slot.type)) {
        const DeviceInterfaceSlot& id = p->device->GetIdentity();
        if (slot.subType == kSubTypeCommand && SameInterface(id, slot) && p->device->IsCommandOpen()) return true;
        if (slot.subType == kSubTypeNotification && p->device->IsNotificationOpen() &&
            id.vendorId == slot.vendorId && id.productId == slot.productId)
            return true;
    }
    return false;
}

void CDeviceManager::Resync() {
    const std::vector<DeviceInterfaceSlot> known = discovery_->Slots();
    for (std::size_t i = 0; i < known.size(); ++i) {
        const bool claimed = known[i].connected != 0;
        if (claimed == SlotOpen(known[i])) continue;
        if (claimed) ConnectSlot(i);
        else DisconnectSlot(i);
    }
    UpdateNoDeviceLink();
}

void CDeviceManager::DisconnectSlot(std::size_t index) {
    if (stopping_) return;
    const std::optional<DeviceInterfaceSlot> found = discovery_->Slot(index);
    if (!found) return;
    const DeviceInterfaceSlot& slot = *found;
    Trace(RemoveTrace(slot.type));
    for (Page* p : KindList(slot.type)) {
        const DeviceInterfaceSlot& id = p->device->GetIdentity();
        if (slot.subType == kSubTypeCommand && SameInterface(id, slot)) {
            if (p->item) p->item->KillAllTimers();
            p->device->CloseCommand();
            HideDeviceItem(static_cast<int>(p - pages_.data()));
            break;
        }
        if (slot.subType == kSubTypeNotification && p->device->IsNotificationOpen() &&
            id.vendorId == slot.vendorId && id.productId == slot.productId && id.type == slot.type) {
            p->device->CloseNotifications();
            break;
        }
    }
}

std::pair<int, int> CDeviceManager::CountVisibleItems() const {
    int first = -1;
    int count = 0;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (!pages_[i].item || !pages_[i].item->IsVisibleItem()) continue;
        if (first < 0) first = static_cast<int>(i);
        ++count;
    }
    return {first, count};
}

void CDeviceManager::UpdateNoDeviceLink() {
    if (QWidget* link = Find(strip::kNoDeviceLink)) link->setVisible(CountVisibleItems().second == 0);
}

void CDeviceManager::SelectPowerTab(const Page& page) {
    auto* powerSwitch = qobject_cast<QStackedWidget*>(Find(strip::kPowerSwitch));
    if (powerSwitch == nullptr || !page.item) return;
    const int powerIndex = page.item->GetPowerTabIndex();
    if (powerIndex < 0) {
        powerSwitch->hide();
        return;
    }
    powerSwitch->show();
    if (powerIndex < powerSwitch->count()) powerSwitch->setCurrentIndex(powerIndex);
}

void CDeviceManager::TakeAsCurrent(int index) {
    currentIndex_ = index;
    const Page& p = pages_[static_cast<std::size_t>(index)];
    currentType_ = p.item ? p.item->GetType() : 0;
    currentSubType_ = p.item ? p.item->GetSubType() : 0;
}

void CDeviceManager::ShowDeviceItem(int index, bool visible, bool select) {
    if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return;
    Page& page = pages_[static_cast<std::size_t>(index)];
    if (!page.item) return;
    page.item->SetVisible(visible);
    if (select) {
        auto* tabs = ui::FindControl<QStackedWidget>(window_, page.item->GetBoundTabName());
        const int tab = page.item->GetBoundTabIndex();
        if (tabs != nullptr && tab >= 0 && tab < tabs->count()) tabs->setCurrentIndex(tab);
        SelectPowerTab(page);
        page.item->SetSelected(true);
        TakeAsCurrent(index);
    }

    const auto [first, count] = CountVisibleItems();
    if (QWidget* link = Find(strip::kNoDeviceLink)) link->setVisible(count == 0);
    if (count == 0) {
        for (const char* name : {strip::kPowerSwitch, strip::kDeviceSwitch}) {
            if (auto* tabs = qobject_cast<QStackedWidget*>(Find(name))) {
                tabs->show();
                tabs->setCurrentIndex(0);
            }
        }
        currentIndex_ = -1;
        currentType_ = 0;
        currentSubType_ = 0;
    }
    // Every lighting panel learns whether several devices are shown; with at
    // most one, no device takes part in synchronised lighting.
    for (Page& p : pages_) {
        if (!p.device) continue;
        p.device->SetSameMode(count >= 2);
        if (count <= 1) p.device->CommandChannel().SetSyncLighting(false);
    }
    int marked = 0;
    for (Page& p : pages_)
        if (p.item && p.item->IsVisibleItem() && p.item->IsSynchroMarked()) ++marked;
    if (marked < 2)
        for (Page& p : pages_)
            if (p.item) p.item->SetSynchroMark(false);
}

void CDeviceManager::HideDeviceItem(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return;
    Page& page = pages_[static_cast<std::size_t>(index)];
    if (!page.item) return;
    const bool wasSelected = page.item->IsVisibleItem() && page.item->IsSelected();
    int next = -1;
    if (wasSelected) {
        // (The settings window and the macro recording, which are closed and
        // reset here, do not exist yet.)
        for (std::size_t i = 0; i < pages_.size() && next < 0; ++i)
            if (static_cast<int>(i) != index && pages_[i].item && pages_[i].item->IsVisibleItem())
                next = static_cast<int>(i);
    }
    ShowDeviceItem(index, false, false);
    if (wasSelected && next >= 0) ShowDeviceItem(next, true, true);
}

int CDeviceManager::SelectedDeviceItem() {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        CDeviceOptionUI* item = pages_[i].item.data();
        if (item != nullptr && item->IsVisibleItem() && item->IsSelected()) return static_cast<int>(i);
    }
    return -1;
}

COrvaneUSBDevice* CDeviceManager::SelectedDevice() {
    const int i = SelectedDeviceItem();
    return i >= 0 ? pages_[static_cast<std::size_t>(i)].device.data() : nullptr;
}

bool CDeviceManager::OnSelectorChosen(QWidget* sender) {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        CDeviceOptionUI* item = pages_[i].item.data();
        if (item == nullptr || item->Selector() != sender) continue;
        if (item->IsSelected()) {
            TakeAsCurrent(static_cast<int>(i));
            SelectPowerTab(pages_[i]);
        }
        return true;
    }
    return false;
}

}  // namespace r88
