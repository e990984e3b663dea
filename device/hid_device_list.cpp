#include "device/hid_device_list.h"

namespace r88 {
namespace {
constexpr unsigned kInitialCapacity = 8;
// A backend that never says "no more" is treated as failing.
constexpr size_t kMaxIndexes = 1u << 16;
}  // namespace

CHidDeviceList::CHidDeviceList() : CHidDeviceList(CurrentHidBackend()) {}

CHidDeviceList::CHidDeviceList(std::shared_ptr<IHidBackend> backend) : backend_(std::move(backend)) {}

void CHidDeviceList::Clear() {
    paths_.clear();
    paths_.shrink_to_fit();
    count_ = 0;
    capacity_ = 0;
    cursor_ = 0;
}

bool CHidDeviceList::Enumerate() {
    Clear();
    if (!backend_) return false;
    std::unique_ptr<IHidInterfaceSet> set = backend_->OpenInterfaceSet();
    if (!set) return false;
    capacity_ = kInitialCapacity;
    paths_.reserve(capacity_);
    for (size_t index = 0; index < kMaxIndexes; ++index) {
        std::string path;
        switch (set->Item(index, path)) {
            case HidEnumItem::kPresent:
                if (count_ == capacity_) {
                    capacity_ *= 2;
                    paths_.reserve(capacity_);
                }
                paths_.push_back(std::move(path));
                ++count_;
                break;
            case HidEnumItem::kNoMoreItems:
                return true;
            case HidEnumItem::kSkipped:
                break;
            case HidEnumItem::kFailed:
                Clear();
                return false;
        }
    }
    Clear();
    return false;
}

const std::string* CHidDeviceList::Next() {
    if (cursor_ >= count_) return nullptr;
    return &paths_[cursor_++];
}

}  // namespace r88
