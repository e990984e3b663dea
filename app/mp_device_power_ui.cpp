#include "app/mp_device_power_ui.h"

#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cstring>

#include "ui/find_control.h"
#include "ui/skin_resources.h"
#include "ui/texts.h"

namespace r88 {

namespace {
constexpr int kTypeMouse = 2;
constexpr int kTypeMousePad = 3;

struct PhoneKind {
    const char* id;
    const char* image;
};
// By record byte 5; index 0 is "no phone".
constexpr std::array<PhoneKind, 4> kPhones = {{
    {"Phone_type_no_device", "file='power/Phone_type_no_device.png'"},
    {"Phone_type_iphone", "file='power/Phone_type_iphone.png'"},
    {"Phone_type_samsung", "file='power/Phone_type_samsung.png'"},
    {"Phone_type_other", "file='power/Phone_type_other.png'"},
}};
}  // namespace

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QWidget(parent) {}

void CMpDevicePowerUI::SetKind(int type, int subType) {
    type_ = type;
    subType_ = subType;
}

template <class T>
T* CMpDevicePowerUI::Sub(QPointer<T>& slot, const char* name) {
    if (slot.isNull()) slot = ui::FindControl<T>(this, QString::fromLatin1(name));
    return slot.data();
}

void CMpDevicePowerUI::SetPowerKind(int k) {
    if (QWidget* whole = Sub(layout_, "device_power_Layout")) whole->setVisible(k != 0);
}

QString CMpDevicePowerUI::PicturePath(const QString& imageAttribute) {
    // The skin draws its pictures as SVG; the design names stay as they are.
    static const QRegularExpression file(QStringLiteral("file='([^']*)'"));
    const QRegularExpressionMatch m = file.match(imageAttribute);
    if (!m.hasMatch()) return {};
    QString name = m.captured(1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) name.truncate(dot);
    return ui::CSkinResources::Instance().Folder() + QStringLiteral("common/") + name +
           QStringLiteral(".svg");
}

void CMpDevicePowerUI::ShowImage(QLabel* label, const QString& imageAttribute) {
    // The record is polled every few seconds; the picture is loaded only when it changes.
    if (label->property(kImageProperty).toString() == imageAttribute && !label->pixmap().isNull()) return;
    label->setProperty(kImageProperty, imageAttribute);
    label->setPixmap(QPixmap(PicturePath(imageAttribute)));
}

void CMpDevicePowerUI::ShowPowerStatus(const std::uint8_t* record, std::size_t length) {
    std::array<std::uint8_t, kRecordSize> r{};
    if (record != nullptr) std::memcpy(r.data(), record, std::min(length, kRecordSize));

    QLabel* value = Sub(value_, "device_power_value");
    QLabel* logo = Sub(wirelessLogo_, "device_wuxian_logo");
    QProgressBar* progress = Sub(progress_, "device_Power_progress");
    QLabel* status = Sub(status_, "device_power_status");
    QLabel* phone = Sub(phone_, "device_phone_type");
    if (value == nullptr || logo == nullptr || progress == nullptr || status == nullptr || phone == nullptr)
        return;

    const int level = r[0];
    progress->setValue(std::clamp(100 - level, progress->minimum(), progress->maximum()));
    ui::SetPlainText(value, QStringLiteral("%1%2").arg(level).arg(QLatin1Char('%')));

    const bool wireless = r[3] != 0;
    if (type_ == kTypeMouse) logo->setVisible(wireless);

    switch (r[1]) {
        case 0:
            progress->show();
            ShowImage(status, QStringLiteral("file='power/powered.png'"));
            break;
        case 1:
            if (wireless) {
                progress->hide();
                ShowImage(status, QStringLiteral("file='power/wuxian_powering.png'"));
            } else {
                progress->show();
                ShowImage(status, QStringLiteral("file='power/powering.png'"));
            }
            break;
        case 2:
            progress->show();
            ShowImage(status, QStringLiteral("file='power/power.png'"));
            break;
        default:
            break;  // an unknown state leaves bar and picture as they were
    }

    if (type_ == kTypeMousePad) {
        const PhoneKind& p = kPhones[r[5] <= 3 ? r[5] : 0];
        phone->setProperty("toolTipId", QString::fromLatin1(p.id));
        ui::ResolveTexts(phone);
        ShowImage(phone, QString::fromLatin1(p.image));
    }
}

}  // namespace r88
