#include "app/layout_tags.h"

#include "app/device_option_ui.h"
#include "app/mp_device_power_ui.h"
#include "device/qt/orvane_usb_device.h"
#include "headset/qt/magic_control_ui.h"
#include "headset/qt/orvane_hs6533_device.h"
#include "headset/qt/voice6533_control_ui.h"
#include "keyboard/qt/key_set_control_ui.h"
#include "keyboard/qt/orvane_keyboard_device.h"
#include "lighting/qt/color_pallet_ui.h"
#include "lighting/qt/light_control_ui.h"
#include "macro/qt/macro_control_ui.h"
#include "mouse/qt/orvane_mouse_device.h"
#include "mouse/qt/orvane_mouse_pad_device.h"
#include "mouse/qt/shoot_control_ui.h"
#include "platform/trace.h"
#include "profile/qt/device_profile_ui.h"
#include "ui/control_registry.h"
#include "ui/controls/chart_view_ui.h"
#include "ui/controls/circle_progress_ui.h"
#include "ui/controls/cloud_share_list_item_ui.h"
#include "ui/controls/combo_edit_container_element_ui.h"
#include "ui/controls/device_key_button_ui.h"
#include "ui/controls/hand_img_button_ui.h"
#include "ui/controls/hand_img_select_button_ui.h"
#include "ui/controls/redio_macro_button_ui.h"
#include "ui/controls/select_panel_ui.h"
#include "ui/controls/update_info_list_item_ui.h"
#include "ui/controls/wnd_ui.h"

namespace r88 {

namespace {
template <class T>
std::function<QWidget*(QWidget*)> Make() {
    return [](QWidget* parent) -> QWidget* { return new T(parent); };
}
}  // namespace

const std::vector<CLayoutTagTable::Entry>& CLayoutTagTable::Entries() {
    using namespace ui;
    static const std::vector<Entry> entries = {
        {"CircleProgress", Make<CCircleProgressUI>(), nullptr},
        {"SelectPanel", Make<CSelectPanelUI>(), nullptr},
        {"DeviceKeyButton", Make<CDeviceKeyButtonUI>(), nullptr},
        {"HandImgButton", Make<CHandImgButtonUI>(), nullptr},
        {"HandImgSelectButton", Make<CHandImgSelectButtonUI>(), nullptr},
        {"RedioMacroButton", Make<CRedioMacroButtonUI>(), nullptr},
        {"ComboEditContainerElement", Make<CComboEditContainerElementUI>(), nullptr},
        {"OrvaneMousePadDevice", Make<COrvaneMousePadDevice>(), nullptr},
        {"OrvaneHS6533Device", Make<COrvaneHS6533Device>(), nullptr},
        {"OrvaneMouseDevice", Make<COrvaneMouseDevice>(), nullptr},
        {"OrvaneKeyboardDevice", Make<COrvaneKeyboardDevice>(), nullptr},
        {"DeviceProfile", Make<CDeviceProfileUI>(), nullptr},
        {"LightControl", Make<CLightControlUI>(), nullptr},
        {"ColorPallet", Make<CColorPalletUI>(), nullptr},
        {"MagicControl", Make<CMagicControlUI>(), nullptr},
        {"Voice6533Control", Make<CVoice6533ControlUI>(), nullptr},
        {"KeySetControl", Make<CKeySetControlUI>(), nullptr},
        {"ShootControl", Make<CShootControlUI>(), nullptr},
        {"DeviceProfileUI", nullptr, "XML/CustomControlXML/DeviceProfile.ui"},
        {"LightSetControlUI", nullptr, "XML/CustomControlXML/LightControl.ui"},
        {"Voice6533SetControlUI", nullptr, "XML/CustomControlXML/Voice6533Control.ui"},
        {"MagicSetControlUI", nullptr, "XML/CustomControlXML/MagicControl.ui"},
        {"KeySetControlUI", nullptr, "XML/CustomControlXML/KeySetControl.ui"},
        {"MacroSetControlUI", nullptr, "XML/CustomControlXML/MacroControl.ui"},
        {"ShootKeySetControlUI", nullptr, "XML/CustomControlXML/ShootControl.ui"},
    };
    return entries;
}

const CLayoutTagTable::Entry* CLayoutTagTable::Find(const QString& tag) {
    for (const Entry& e : Entries())
        if (tag.compare(QLatin1String(e.tag), Qt::CaseInsensitive) == 0) return &e;
    return nullptr;
}

QWidget* CLayoutTagTable::CreateControl(const QString& tag, QWidget* parent) {
    const Entry* e = Find(tag);
    if (e == nullptr) return nullptr;
    if (e->create) return e->create(parent);
    // A sub-layout gets a fresh loader with this table, so its own tags resolve here too.
    ui::CSkinLoader sub(this);
    QWidget* w = sub.LoadLayout(QString::fromLatin1(e->subLayout), parent);
    if (w == nullptr) TraceF("%s", sub.Error().toUtf8().constData());
    return w;
}

void RegisterControlClasses() {
    using namespace ui;
    CControlRegistry& r = CControlRegistry::Instance();
    r.Register(QStringLiteral("CCircleProgressUI"), Make<CCircleProgressUI>());
    r.Register(QStringLiteral("CChartViewUI"), Make<CChartViewUI>());
    r.Register(QStringLiteral("CWndUI"), Make<CWndUI>());
    r.Register(QStringLiteral("CSelectPanelUI"), Make<CSelectPanelUI>());
    r.Register(QStringLiteral("CDeviceKeyButtonUI"), Make<CDeviceKeyButtonUI>());
    r.Register(QStringLiteral("CCloudShareListItemUI"), Make<CCloudShareListItemUI>());
    r.Register(QStringLiteral("CUpdateInfoListItemUI"), Make<CUpdateInfoListItemUI>());
    r.Register(QStringLiteral("CDeviceOptionUI"), Make<CDeviceOptionUI>());
    r.Register(QStringLiteral("CMpDevicePowerUI"), Make<CMpDevicePowerUI>());
    r.Register(QStringLiteral("CComboEditContainerElementUI"), Make<CComboEditContainerElementUI>());
    r.Register(QStringLiteral("CHandImgButtonUI"), Make<CHandImgButtonUI>());
    r.Register(QStringLiteral("CHandImgSelectButtonUI"), Make<CHandImgSelectButtonUI>());
    r.Register(QStringLiteral("CRedioMacroButtonUI"), Make<CRedioMacroButtonUI>());
    r.Register(QStringLiteral("CLightControlUI"), Make<CLightControlUI>());
    r.Register(QStringLiteral("CColorPalletUI"), Make<CColorPalletUI>());
    r.Register(QStringLiteral("CMacroControlUI"), Make<CMacroControlUI>());
    r.Register(QStringLiteral("CKeySetControlUI"), Make<CKeySetControlUI>());
    r.Register(QStringLiteral("CDeviceProfileUI"), Make<CDeviceProfileUI>());
    r.Register(QStringLiteral("CShootControlUI"), Make<CShootControlUI>());
    r.Register(QStringLiteral("CMagicControlUI"), Make<CMagicControlUI>());
    r.Register(QStringLiteral("CVoice6533ControlUI"), Make<CVoice6533ControlUI>());
    r.Register(QStringLiteral("COrvaneUSBDevice"), Make<COrvaneUSBDevice>());
    r.Register(QStringLiteral("COrvaneMousePadDevice"), Make<COrvaneMousePadDevice>());
    r.Register(QStringLiteral("COrvaneHS6533Device"), Make<COrvaneHS6533Device>());
}

}  // namespace r88
