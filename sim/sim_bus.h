#pragma once
// The emulated HID bus: the same backend interface as hidraw, in process.
// Devices are plugged and unplugged at run time; each of their interfaces gets
// a node "/sim/hid<n>" and one path per top-level collection, tagged like the
// hidraw paths ("/sim/hid4#vid_320f&pid_502b&mi_01&col04").
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/hid_backend.h"
#include "sim/sim_device.h"

namespace r88::sim {

inline constexpr char kSimNodePrefix[] = "/sim/hid";

// One-shot faults of the next enumeration.
struct EnumerationFault {
    enum class Kind { kSetUnavailable, kSkipIndex, kFailIndex };
    Kind kind = Kind::kFailIndex;
    size_t index = 0;
};

class SimHidBus : public IHidBackend {
public:
    SimHidBus() = default;

    // Plugs a device in (again); its interfaces get fresh node numbers.
    void Plug(const std::shared_ptr<SimDevice>& device);
    void Unplug(const std::shared_ptr<SimDevice>& device);
    void UnplugAll();
    std::vector<std::shared_ptr<SimDevice>> Devices() const;  // plugged ones, in plug order
    // The device an interface path names, or null.
    std::shared_ptr<SimDevice> FindDevice(const std::string& path) const;
    // Every path of the plugged devices, in enumeration order.
    std::vector<std::string> Paths() const;

    void InjectEnumerationFault(const EnumerationFault& fault);

    std::unique_ptr<IHidInterfaceSet> OpenInterfaceSet() override;
    std::unique_ptr<IHidConnection> Open(const std::string& path, HidOpenMode mode) override;
    bool IsPresent(const std::string& path) override;

private:
    struct Located {
        std::shared_ptr<SimDevice> device;
        size_t interfaceIndex = 0;
        size_t collectionIndex = 0;
    };
    std::optional<Located> Locate(const std::string& path) const;
    std::vector<std::shared_ptr<SimDevice>> PluggedLocked() const;

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<SimDevice>> devices_;
    unsigned nextNode_ = 0;
    std::vector<EnumerationFault> faults_;
};

}  // namespace r88::sim
