#pragma once
// HID interfaces through the kernel's hidraw nodes. One path per top-level
// collection of a node: "/dev/hidraw3#vid_320f&pid_502b&mi_01&col04". All
// collections share the node; each connection opens the node for itself and
// keeps only the input reports whose id belongs to its collection.
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "platform/hidraw_sysfs.h"

namespace r88 {

// The kernel calls the backend makes on a node; tests replace them.
class IHidrawNodeAccess {
public:
    virtual ~IHidrawNodeAccess() = default;
    virtual int Open(const std::string& devnode, int flags) = 0;  // fd or -1
    virtual bool GetRawInfo(int fd, uint16_t& vendorId, uint16_t& productId) = 0;
    virtual bool GetReportDescriptor(int fd, std::vector<uint8_t>& out) = 0;
    // The synchronous output-report call; false when the kernel does not offer it.
    virtual bool SendOutputReport(int fd, std::span<const uint8_t> report) = 0;
};

std::unique_ptr<IHidrawNodeAccess> MakeKernelHidrawAccess();

struct HidrawBackendOptions {
    // Empty: nodes are listed with udev and described from their udev sysfs
    // folders. Otherwise nodes are listed from <sysfsRoot>/class/hidraw.
    std::string sysfsRoot;
    std::string devDir = "/dev";
};

class HidrawBackend : public IHidBackend {
public:
    HidrawBackend();
    HidrawBackend(HidrawBackendOptions options, std::unique_ptr<IHidrawNodeAccess> access);
    ~HidrawBackend() override;

    std::unique_ptr<IHidInterfaceSet> OpenInterfaceSet() override;
    std::unique_ptr<IHidConnection> Open(const std::string& path, HidOpenMode mode) override;
    // Needs the node's sysfs folder only: no listing of the bus.
    bool IsPresent(const std::string& path) override;

    // How often the nodes were listed (each enumeration lists them once).
    size_t NodeListings() const { return listings_.load(); }

private:
    bool ListNodes(std::vector<HidrawNodeRef>& out);
    bool FindNode(const std::string& devnode, HidrawNodeRef& out);

    HidrawBackendOptions options_;
    std::shared_ptr<IHidrawNodeAccess> access_;
    std::atomic<size_t> listings_{0};
};

// The connection on an open node fd, filtering by the collection's report ids.
// Takes ownership of `fd` (-1: attributes and descriptor only).
std::unique_ptr<IHidConnection> MakeHidrawConnection(int fd, std::shared_ptr<IHidrawNodeAccess> access,
                                                     HidAttributes attributes,
                                                     std::shared_ptr<const HidReportDescriptor> descriptor,
                                                     size_t collectionIndex, HidOpenMode mode);

}  // namespace r88
