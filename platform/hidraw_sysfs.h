#pragma once
// What sysfs tells about hidraw nodes without opening them: vendor and
// product of the HID device, its report descriptor, and the USB interface
// number and device release of the interface it sits on.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace r88 {

struct HidrawNodeRef {
    std::string sysname;  // "hidraw3"
    std::string syspath;  // sysfs folder of the hidraw node
    std::string devnode;  // "/dev/hidraw3"
};

struct HidrawNodeInfo {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;
    std::optional<uint16_t> interfaceNumber;  // only for USB interfaces
    std::vector<uint8_t> reportDescriptor;
};

// Every hidraw node udev knows, ordered by node number. False when udev cannot be asked.
bool ListHidrawNodesWithUdev(std::vector<HidrawNodeRef>& out);

// Every node under <sysfsRoot>/class/hidraw, ordered by node number, with
// device nodes in `devDir`. Used where udev is not wanted (tests, fallbacks).
bool ListHidrawNodesInSysfs(const std::string& sysfsRoot, const std::string& devDir,
                            std::vector<HidrawNodeRef>& out);

// The node `devnode` ("<devDir>/hidrawN") names, from its own sysfs folder
// under <sysfsRoot>/class/hidraw (sysfsRoot empty: "/sys"), without listing
// the others. False when it is not there.
bool FindHidrawNode(const std::string& sysfsRoot, const std::string& devDir, const std::string& devnode,
                    HidrawNodeRef& out);

// Reads <syspath>/device/{uevent,report_descriptor} and the interface above it.
// False when the node is gone or its files say nothing usable.
bool DescribeHidrawNode(const std::string& syspath, HidrawNodeInfo& out);

// The number at the end of "hidraw12" (or -1).
long HidrawNodeNumber(const std::string& sysname);

}  // namespace r88
