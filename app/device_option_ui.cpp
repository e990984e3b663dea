#include "app/device_option_ui.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyle>

#include "app/mp_device_power_ui.h"
#include "device/qt/orvane_usb_device.h"
#include "ui/control_timers.h"
#include "ui/find_control.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"

namespace r88 {

namespace {
const QString kSelectorName = QStringLiteral("device_select");
const QString kSynchroName = QStringLiteral("synchro_device_select");
const QString kNameLabelName = QStringLiteral("device_select_name");

// The skin draws these pictures as SVG; the design names stay as they are.
QString SkinPicture(QString name) {
    if (name.endsWith(QStringLiteral(".png"))) name = name.left(name.size() - 4) + QStringLiteral(".svg");
    return ui::CSkinResources::Instance().Folder() + name;
}
}  // namespace

CDeviceOptionUI::CDeviceOptionUI(QWidget* parent)
    : QWidget(parent),
      timers_(std::make_unique<ui::CControlTimers>([this](QWidget*, int id) { OnTimer(id); })) {
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);  // the whole item is a button
}

CDeviceOptionUI::~CDeviceOptionUI() {
    timers_->KillAll();
}

QAbstractButton* CDeviceOptionUI::Selector() {
    if (selector_.isNull()) {
        selector_ = ui::FindControl<QAbstractButton>(this, kSelectorName);
        if (selector_) {
            selector_->setCheckable(true);
            connect(selector_, &QAbstractButton::toggled, this, [this](bool on) {
                if (on) SelectBoundTab();
                setProperty("selected", on);
                style()->unpolish(this);
                style()->polish(this);
                ShowSelectorPicture();
            });
            ShowSelectorPicture();
        }
    }
    return selector_.data();
}

QAbstractButton* CDeviceOptionUI::SynchroMark() {
    if (synchroMark_.isNull()) {
        synchroMark_ = ui::FindControl<QAbstractButton>(this, kSynchroName);
        if (synchroMark_)
            connect(synchroMark_, &QAbstractButton::toggled, this, [this] { ShowSelectorPicture(); });
    }
    return synchroMark_.data();
}

QLabel* CDeviceOptionUI::NameLabel() {
    if (nameLabel_.isNull()) nameLabel_ = ui::FindControl<QLabel>(this, kNameLabelName);
    return nameLabel_.data();
}

void CDeviceOptionUI::ShowSelectorPicture() {
    QAbstractButton* s = selector_.data();
    if (s == nullptr) return;
    const bool synchro = synchroMark_ ? synchroMark_->isChecked() : false;
    const bool selected = s->isChecked();
    // The layout may name pictures of its own ("selectedimage", ...).
    auto image = [this](const char* property, const char* fallback) {
        const QString named = this->property(property).toString();
        return named.isEmpty() ? QString::fromLatin1(fallback) : named;
    };
    const QString picture =
        synchro ? (selected ? image("synchroselectedimage", kSynchroSelectedImage)
                            : image("synchronormalimage", kSynchroNormalImage))
                : (selected ? image("selectedimage", kSelectedImage) : image("normalimage", kNormalImage));
    s->setIcon(QIcon(SkinPicture(picture)));
    s->setIconSize(s->maximumSize().boundedTo(QSize(64, 64)));
}

void CDeviceOptionUI::SetSynchroMark(bool on) {
    if (QAbstractButton* mark = SynchroMark()) {
        const QSignalBlocker quiet(mark);
        mark->setChecked(on);
        ShowSelectorPicture();
    }
}

bool CDeviceOptionUI::IsSynchroMarked() {
    QAbstractButton* mark = SynchroMark();
    return mark != nullptr && mark->isChecked();
}

void CDeviceOptionUI::SetSelected(bool on) {
    QAbstractButton* s = Selector();
    if (s == nullptr || s->isChecked() == on) return;
    // An exclusive group never lets its checked member go by itself.
    QButtonGroup* group = s->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (!on && exclusive) group->setExclusive(false);
    s->setChecked(on);
    if (!on && exclusive) group->setExclusive(true);
}

bool CDeviceOptionUI::IsSelected() {
    QAbstractButton* s = Selector();
    return s != nullptr && s->isChecked();
}

void CDeviceOptionUI::BindTab(const QString& name, int index) {
    boundTab_ = name;
    boundIndex_ = index;
}

void CDeviceOptionUI::SelectBoundTab() {
    if (boundIndex_ < 0) return;  // unbound: selecting changes no tab
    if (auto* tabs = ui::FindControl<QStackedWidget>(window(), boundTab_)) {
        if (boundIndex_ < tabs->count()) tabs->setCurrentIndex(boundIndex_);
    }
}

void CDeviceOptionUI::SetPowerTab(const QString& name, int index) {
    powerTabName_ = name;
    if (index >= 0) powerTabIndex_ = index;
}

void CDeviceOptionUI::SetGroup(const QString& name) {
    QAbstractButton* s = Selector();
    if (s == nullptr) return;
    QWidget* owner = window();
    auto* group = owner->findChild<QButtonGroup*>(name, Qt::FindDirectChildrenOnly);
    if (group == nullptr) {
        group = new QButtonGroup(owner);
        group->setObjectName(name);
        group->setExclusive(true);
    }
    group->addButton(s);
}

void CDeviceOptionUI::SetKind(int type, int subType) {
    type_ = type;
    subType_ = subType;
}

void CDeviceOptionUI::SetName(const QString& text) {
    if (QLabel* label = NameLabel()) ui::SetPlainText(label, text);
}

void CDeviceOptionUI::LinkDevice(COrvaneUSBDevice* device) {
    device_ = device;
    if (device != nullptr) device->SetDeviceOption(this);
}

void CDeviceOptionUI::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(e);
        return;
    }
    pressed_ = true;
    e->accept();
}

void CDeviceOptionUI::mouseReleaseEvent(QMouseEvent* e) {
    const bool clicked =
        pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (!clicked) {
        QWidget::mouseReleaseEvent(e);
        return;
    }
    e->accept();
    // The selector's own click, so the window hears the user's choice as usual.
    if (QAbstractButton* s = Selector(); s != nullptr && s->isEnabled()) s->click();
}

void CDeviceOptionUI::SetVisible(bool on) {
    visible_ = on;
    setVisible(on);
}

void CDeviceOptionUI::ArmTimer(int id, int intervalMs) {
    timers_->SetTimer(this, id, intervalMs);
}

void CDeviceOptionUI::KillTimer(int id) {
    timers_->KillTimer(this, id);
}

void CDeviceOptionUI::KillAllTimers() {
    timers_->KillAll();
}

bool CDeviceOptionUI::TimerActive(int id) const {
    return timers_->IsActive(const_cast<CDeviceOptionUI*>(this), id);
}

void CDeviceOptionUI::OnTimer(int id) {
    KillTimer(id);
    COrvaneUSBDevice* device = device_.data();
    if (device == nullptr) return;
    switch (id) {
        case kTimerConnected:
            device->ReadAllFromDevice();
            ArmTimer(kTimerLightFrame, kLightFrameMs);
            if (device->GetPowerKind() != 0 && device->IsCommandOpen()) ArmTimer(kTimerPower, kPowerMs);
            break;
        case kTimerLightFrame: {
            device->SendLightFrame();
            // The mark follows the device's part in the synchronised lighting,
            // whichever path ended it (a lighting change, a settings read).
            if (const bool synced = device->CommandChannel().IsSyncLighting(); synced != IsSynchroMarked())
                SetSynchroMark(synced);
            // Redrawn only where somebody can look, only the keys a frame
            // changed, and no more often than the display refreshes.
            if (picture_ && device->PictureDirty() && IsSelected() && device->PictureRefresh() &&
                ui::OnScreen(picture_) && repaintGate_.Pass(picture_))
                device->RepaintPicture();
            // The cadence stops by itself once the device is gone.
            if (device->IsCommandOpen()) ArmTimer(kTimerLightFrame, kLightFrameMs);
            break;
        }
        case kTimerSyncRequest:
            device->ReadSettingsFromDevice();
            break;
        case kTimerReservedA:
            device->ReservedHookA();
            break;
        case kTimerReservedB:
            device->ReservedHookB();
            break;
        case kTimerPower:
            device->ReadPowerStatus();
            if (device->GetPowerKind() != 0 && device->IsCommandOpen()) ArmTimer(kTimerPower, kPowerMs);
            break;
        default:
            break;
    }
}

}  // namespace r88
