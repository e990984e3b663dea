#pragma once
// The result of one enumeration of the present HID interfaces: their paths in
// enumeration order, handed out one at a time.
#include <memory>
#include <string>
#include <vector>

#include "platform/hid_backend.h"

namespace r88 {

class CHidDeviceList {
public:
    CHidDeviceList();  // on CurrentHidBackend()
    explicit CHidDeviceList(std::shared_ptr<IHidBackend> backend);

    // Fills the list with every present interface. True when the backend said
    // there are no more; false (and an empty list) when one could not be described.
    bool Enumerate();
    // The path at the cursor, advancing it; null when the list is empty or exhausted.
    const std::string* Next();
    void Clear();

    unsigned Count() const { return count_; }
    unsigned Capacity() const { return capacity_; }
    unsigned Cursor() const { return cursor_; }

private:
    std::shared_ptr<IHidBackend> backend_;
    std::vector<std::string> paths_;
    unsigned count_ = 0;
    unsigned capacity_ = 0;
    unsigned cursor_ = 0;
};

}  // namespace r88
