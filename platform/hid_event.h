#pragma once
// A waitable flag on an eventfd, so that a transfer waiting in poll() can be
// woken from another thread. Set() makes the fd readable until Reset().
#include <cstdint>

namespace r88 {

class HidEvent {
public:
    HidEvent();
    ~HidEvent();
    HidEvent(const HidEvent&) = delete;
    HidEvent& operator=(const HidEvent&) = delete;

    bool Valid() const { return fd_ >= 0; }
    int Fd() const { return fd_; }
    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until set or `timeoutMs` passed (negative: no limit); true when set.
    bool Wait(int timeoutMs) const;

private:
    int fd_ = -1;
};

}  // namespace r88
