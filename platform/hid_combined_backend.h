#pragma once
// Several backends seen as one: enumeration lists theirs one after the other,
// a path is opened by the first backend that knows it. This is how the
// emulated devices are attached beside real hardware.
#include <memory>
#include <vector>

#include "platform/hid_backend.h"

namespace r88 {

class CombinedHidBackend : public IHidBackend {
public:
    explicit CombinedHidBackend(std::vector<std::shared_ptr<IHidBackend>> backends);

    std::unique_ptr<IHidInterfaceSet> OpenInterfaceSet() override;
    std::unique_ptr<IHidConnection> Open(const std::string& path, HidOpenMode mode) override;
    bool IsPresent(const std::string& path) override;

private:
    std::vector<std::shared_ptr<IHidBackend>> backends_;
};

}  // namespace r88
