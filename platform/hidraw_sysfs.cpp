#include "platform/hidraw_sysfs.h"

#include <libudev.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>

#include "platform/hid_report_descriptor.h"

namespace r88 {
namespace fs = std::filesystem;
namespace {

bool ReadSmallFile(const fs::path& path, size_t limit, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.clear();
    char buffer[512];
    while (in && out.size() <= limit) {
        in.read(buffer, sizeof buffer);
        out.append(buffer, static_cast<size_t>(in.gcount()));
    }
    return out.size() <= limit;
}

bool ParseHexNumber(const std::string& text, unsigned long limit, unsigned long& value) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t') ++begin;
    char* end = nullptr;
    value = std::strtoul(begin, &end, 16);
    return end != begin && value <= limit;
}

void SortByNumber(std::vector<HidrawNodeRef>& nodes) {
    std::sort(nodes.begin(), nodes.end(), [](const HidrawNodeRef& a, const HidrawNodeRef& b) {
        return HidrawNodeNumber(a.sysname) < HidrawNodeNumber(b.sysname);
    });
}

}  // namespace

long HidrawNodeNumber(const std::string& sysname) {
    constexpr std::string_view prefix = "hidraw";
    if (sysname.size() <= prefix.size() || sysname.compare(0, prefix.size(), prefix) != 0) return -1;
    long n = 0;
    for (size_t i = prefix.size(); i < sysname.size(); ++i) {
        if (sysname[i] < '0' || sysname[i] > '9' || n > 100000000) return -1;
        n = n * 10 + (sysname[i] - '0');
    }
    return n;
}

bool ListHidrawNodesWithUdev(std::vector<HidrawNodeRef>& out) {
    out.clear();
    struct udev* udev = udev_new();
    if (udev == nullptr) return false;
    std::unique_ptr<struct udev, decltype(&udev_unref)> udevOwner(udev, &udev_unref);
    struct udev_enumerate* e = udev_enumerate_new(udev);
    if (e == nullptr) return false;
    std::unique_ptr<struct udev_enumerate, decltype(&udev_enumerate_unref)> enumOwner(e,
                                                                                      &udev_enumerate_unref);
    if (udev_enumerate_add_match_subsystem(e, "hidraw") < 0 || udev_enumerate_scan_devices(e) < 0)
        return false;
    struct udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e)) {
        const char* syspath = udev_list_entry_get_name(entry);
        if (syspath == nullptr) continue;
        struct udev_device* dev = udev_device_new_from_syspath(udev, syspath);
        if (dev == nullptr) continue;
        const char* sysname = udev_device_get_sysname(dev);
        const char* devnode = udev_device_get_devnode(dev);
        if (sysname != nullptr && devnode != nullptr && HidrawNodeNumber(sysname) >= 0)
            out.push_back({sysname, syspath, devnode});
        udev_device_unref(dev);
    }
    SortByNumber(out);
    return true;
}

bool ListHidrawNodesInSysfs(const std::string& sysfsRoot, const std::string& devDir,
                            std::vector<HidrawNodeRef>& out) {
    out.clear();
    std::error_code ec;
    const fs::path dir = fs::path(sysfsRoot) / "class" / "hidraw";
    fs::directory_iterator it(dir, ec);
    if (ec) return !fs::exists(dir);  // no hidraw class at all: simply no nodes
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (HidrawNodeNumber(name) < 0) continue;
        out.push_back({name, entry.path().string(), (fs::path(devDir) / name).string()});
    }
    SortByNumber(out);
    return true;
}

bool FindHidrawNode(const std::string& sysfsRoot, const std::string& devDir, const std::string& devnode,
                    HidrawNodeRef& out) {
    const fs::path node(devnode);
    const std::string sysname = node.filename().string();
    if (HidrawNodeNumber(sysname) < 0 || node.parent_path() != fs::path(devDir)) return false;
    const fs::path syspath = fs::path(sysfsRoot.empty() ? "/sys" : sysfsRoot) / "class" / "hidraw" / sysname;
    std::error_code ec;
    if (!fs::exists(syspath, ec)) return false;
    out = {sysname, syspath.string(), devnode};
    return true;
}

bool DescribeHidrawNode(const std::string& syspath, HidrawNodeInfo& out) {
    out = HidrawNodeInfo{};
    std::error_code ec;
    const fs::path hidDevice = fs::canonical(fs::path(syspath) / "device", ec);
    if (ec) return false;

    // HID_ID=0003:0000320F:0000502B (bus, vendor, product)
    std::string uevent;
    if (!ReadSmallFile(hidDevice / "uevent", 16384, uevent)) return false;
    bool haveId = false;
    size_t lineStart = 0;
    while (lineStart < uevent.size()) {
        size_t lineEnd = uevent.find('\n', lineStart);
        if (lineEnd == std::string::npos) lineEnd = uevent.size();
        const std::string line = uevent.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.rfind("HID_ID=", 0) != 0) continue;
        const std::string id = line.substr(7);
        const size_t c1 = id.find(':');
        const size_t c2 = c1 == std::string::npos ? c1 : id.find(':', c1 + 1);
        if (c2 == std::string::npos) return false;
        unsigned long vendor = 0, product = 0;
        if (!ParseHexNumber(id.substr(c1 + 1, c2 - c1 - 1), 0xFFFF, vendor) ||
            !ParseHexNumber(id.substr(c2 + 1), 0xFFFF, product))
            return false;
        out.vendorId = static_cast<uint16_t>(vendor);
        out.productId = static_cast<uint16_t>(product);
        haveId = true;
    }
    if (!haveId) return false;

    std::string descriptor;
    if (!ReadSmallFile(hidDevice / "report_descriptor", kHidMaxDescriptorSize, descriptor)) return false;
    out.reportDescriptor.assign(descriptor.begin(), descriptor.end());

    // A USB interface holds the HID device; its parent is the USB device.
    std::string text;
    unsigned long number = 0;
    const fs::path usbInterface = hidDevice.parent_path();
    if (ReadSmallFile(usbInterface / "bInterfaceNumber", 64, text) && ParseHexNumber(text, 0xFF, number))
        out.interfaceNumber = static_cast<uint16_t>(number);
    if (out.interfaceNumber && ReadSmallFile(usbInterface.parent_path() / "bcdDevice", 64, text) &&
        ParseHexNumber(text, 0xFFFF, number))
        out.version = static_cast<uint16_t>(number);
    return true;
}

}  // namespace r88
