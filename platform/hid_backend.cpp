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

HidBatchResult IHidConnection::SubmitOutputReports(std::span<const uint8_t> reports, size_t reportSize) {
    if (reports.empty() || reportSize == 0 || reports.size() % reportSize != 0 ||
        reports.size() > kHidMaxBatchBytes)
        return HidBatchResult::kRefused;
    for (size_t at = 0; at < reports.size(); at += reportSize)
        SetOutputReport(reports.subspan(at, reportSize));
    return HidBatchResult::kAccepted;
}

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
