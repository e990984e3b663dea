#include "platform/hid_backend.h"

#include <mutex>

#include "platform/hidraw_backend.h"

namespace r88 {
namespace {

std::mutex& BackendMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<IHidBackend>& Backend() {
    static std::shared_ptr<IHidBackend> backend;
    return backend;
}

}  // namespace

std::shared_ptr<IHidBackend> CurrentHidBackend() {
    std::lock_guard lock(BackendMutex());
    if (!Backend()) Backend() = std::make_shared<HidrawBackend>();
    return Backend();
}

void SetCurrentHidBackend(std::shared_ptr<IHidBackend> backend) {
    std::lock_guard lock(BackendMutex());
    Backend() = std::move(backend);
}

}  // namespace r88
