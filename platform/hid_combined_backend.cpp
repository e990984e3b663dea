#include "platform/hid_combined_backend.h"

namespace r88 {
namespace {

// Walks the sets one after the other; a set that cannot be had fails the whole.
class CombinedInterfaceSet : public IHidInterfaceSet {
public:
    explicit CombinedInterfaceSet(std::vector<std::unique_ptr<IHidInterfaceSet>> sets)
        : sets_(std::move(sets)) {}

    HidEnumItem Item(size_t index, std::string& path) override {
        if (index < base_) return HidEnumItem::kSkipped;  // only forward walks are supported
        while (current_ < sets_.size()) {
            const HidEnumItem r = sets_[current_]->Item(index - base_, path);
            if (r != HidEnumItem::kNoMoreItems) return r;
            base_ = index;
            ++current_;
        }
        return HidEnumItem::kNoMoreItems;
    }

private:
    std::vector<std::unique_ptr<IHidInterfaceSet>> sets_;
    size_t current_ = 0;
    size_t base_ = 0;
};

}  // namespace

CombinedHidBackend::CombinedHidBackend(std::vector<std::shared_ptr<IHidBackend>> backends)
    : backends_(std::move(backends)) {}

std::unique_ptr<IHidInterfaceSet> CombinedHidBackend::OpenInterfaceSet() {
    std::vector<std::unique_ptr<IHidInterfaceSet>> sets;
    for (const auto& b : backends_) {
        auto set = b->OpenInterfaceSet();
        if (!set) return nullptr;
        sets.push_back(std::move(set));
    }
    return std::make_unique<CombinedInterfaceSet>(std::move(sets));
}

std::unique_ptr<IHidConnection> CombinedHidBackend::Open(const std::string& path, HidOpenMode mode) {
    for (const auto& b : backends_)
        if (auto c = b->Open(path, mode)) return c;
    return nullptr;
}

bool CombinedHidBackend::IsPresent(const std::string& path) {
    for (const auto& b : backends_)
        if (b->IsPresent(path)) return true;
    return false;
}

}  // namespace r88
