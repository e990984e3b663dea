#pragma once
// The fixed tables of the device manager: which HID interfaces we support,
// the device kinds shown in the device strip, and the page of each kind.
// Rows with vendor and product id 0 describe kinds that get a page and a
// strip item but never connect in this configuration.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace r88 {

// Device kinds (the type field of a slot).
inline constexpr uint16_t kDeviceKeyboard = 1;
inline constexpr uint16_t kDeviceMouse = 2;
inline constexpr uint16_t kDeviceMousePad = 3;
inline constexpr uint16_t kDeviceMouseReceiver = 6;  // a mouse through its wireless receiver
inline constexpr uint16_t kDeviceHeadset = 7;

// Interface sub-types.
inline constexpr uint16_t kSubTypeCommand = 0;          // vendor collection (the headset: its interface)
inline constexpr uint16_t kSubTypeNotification = 0xFF;  // consumer collection

// One supported HID interface and its current state. The discovery thread
// claims a slot (connected 1, path set) before it reports it and frees it
// before it reports it gone; a device object keeps a copy as its identity.
struct DeviceInterfaceSlot {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;   // "&mi_" of the path
    uint16_t collectionNumber = 0;  // "&col" of the path, 0 when it has none
    uint16_t type = 0;
    uint16_t subType = 0;
    uint16_t connected = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t partnerFlag = 0;   // 1: a mouse reached both by cable and through its receiver
    uint16_t partnerIndex = 0;  // slot index of the partner
    std::string path;           // while connected, empty otherwise

    bool Free() const { return connected == 0 && path.empty(); }
};

// A row of the supported-interface table (a slot before anything is connected).
struct SupportedInterface {
    uint16_t vendorId;
    uint16_t productId;
    uint16_t interfaceNumber;
    uint16_t collectionNumber;
    uint16_t type;
    uint16_t subType;
    uint16_t usagePage;
    uint16_t usage;
    uint16_t partnerFlag;
    uint16_t partnerIndex;
};

// clang-format off
inline constexpr std::array<SupportedInterface, 9> kSupportedInterfaces{{
    //  vid     pid     mi col type subType usagePage usage  partner
    {0x320F, 0x502B, 1, 4, 1, 0x00, 0xFF1C, 0x92, 0, 0},  // keyboard, command interface
    {0x320F, 0x502B, 1, 3, 1, 0xFF, 0x000C, 0x01, 0, 0},  // keyboard, notification interface
    {0x0000, 0x0000, 1, 4, 2, 0x00, 0xFF1C, 0x92, 0, 0},  // mouse, command interface
    {0x0000, 0x0000, 1, 3, 2, 0xFF, 0x000C, 0x01, 0, 0},  // mouse, notification interface
    {0x0C45, 0x6627, 1, 4, 3, 0x00, 0xFF1C, 0x92, 0, 0},  // mouse pad, command interface
    {0x0C45, 0x6627, 1, 3, 3, 0xFF, 0x000C, 0x01, 0, 0},  // mouse pad, notification interface
    {0x0D8C, 0x01DA, 3, 0, 7, 0x00, 0x000C, 0x01, 0, 0},  // headset
    {0x0000, 0x0000, 1, 4, 1, 0x00, 0xFF1C, 0x92, 0, 0},  // second keyboard kind, command interface
    {0x0000, 0x0000, 1, 3, 1, 0xFF, 0x000C, 0x01, 0, 0},  // second keyboard kind, notification interface
}};
// clang-format on

// A device kind as the strip shows it; the row index is the description index.
struct DeviceDescription {
    std::string_view stripLayout;   // layout of the strip item
    std::string_view powerTab;      // container of the power indicators
    std::string_view tabContainer;  // option group of the strip selectors
    std::string_view deviceName;    // names the per-user data folder and the factory document
    int deviceIndexValue;           // handed to SetDeviceIndex
    uint16_t vendorId;
    uint16_t productId;
    uint16_t type;
    uint16_t subType;
    int reserved[3];  // carried with the row, read by nothing
};

// clang-format off
inline constexpr std::array<DeviceDescription, 5> kDeviceDescriptions{{
    {"common/device_ico/5173/DeviceOption.xml", "device_power_switch", "tab_header_device", "mouse",        1, 0x0000, 0x0000, 2, 0, {0, 0, 0}},
    {"common/device_ico/5162/DeviceOption.xml", "device_power_switch", "tab_header_device", "keyboard",     0, 0x320F, 0x502B, 1, 0, {1, 1, -1}},
    {"XML/CustomControlXML/DeviceOption.xml",   "device_power_switch", "tab_header_device", "MousePad",     2, 0x0C45, 0x6627, 3, 0, {2, 2, 1}},
    {"XML/CustomControlXML/DeviceOption.xml",   "device_power_switch", "tab_header_device", "HD",           3, 0x0D8C, 0x01DA, 7, 0, {3, 3, -1}},
    {"common/device_ico/5284/DeviceOption.xml", "device_power_switch", "tab_header_device", "keyboard5284", 4, 0x0000, 0x0000, 1, 0, {4, 4, -1}},
}};
// clang-format on

// The page of description row i (parallel table).
struct DevicePageRow {
    int lightCount;
    int keyCount;
    int powerKind;  // non-zero: the strip item polls the power state
    std::string_view pageLayout;
    std::string_view lightPresetName;
    int mouseExtra;  // -1; the mouse page builder hands it to the mouse object
};

// clang-format off
inline constexpr std::array<DevicePageRow, 5> kDevicePages{{
    {  6,   8, 0, "XML/DeviceXml/mousedevice1.xml",    "kestra_light", -1},
    {126, 126, 0, "XML/DeviceXml/keyboarddevice.xml",  "kestra_light", -1},
    { 15,   0, 0, "XML/DeviceXml/mousepaddevice.xml",  "kestra_light", -1},
    { 13,   0, 0, "XML/DeviceXml/hs6533device.xml",    "kestra_light", -1},
    {126, 126, 0, "XML/DeviceXml/keyboarddevice1.xml", "kestra_light", -1},
}};
// clang-format on

inline constexpr char kPowerIndicatorLayout[] = "XML/CustomControlXML/MpDevicePower.xml";

// A free slot made from a table row.
DeviceInterfaceSlot MakeSlot(const SupportedInterface& row);
// The whole slot list at start: the table's rows in order, all free.
std::array<DeviceInterfaceSlot, kSupportedInterfaces.size()> MakeSlotList();

// The description row whose vendor id, product id, type and sub-type are these; -1 when none.
int FindDescriptionRow(uint16_t vendorId, uint16_t productId, uint16_t type, uint16_t subType);
// The first slot with these four values; -1 when none.
int FindSlot(std::span<const DeviceInterfaceSlot> slots, uint16_t vendorId, uint16_t productId, uint16_t type,
             uint16_t subType);
// Equal in vendor id, product id, interface and collection numbers, type,
// sub-type, usage page and usage.
bool SameInterface(const DeviceInterfaceSlot& a, const DeviceInterfaceSlot& b);

}  // namespace r88
