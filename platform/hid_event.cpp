#include "platform/hid_event.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

namespace r88 {

HidEvent::HidEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

HidEvent::~HidEvent() {
    if (fd_ >= 0) close(fd_);
}

void HidEvent::Set() {
    if (fd_ < 0) return;
    const uint64_t one = 1;
    // The counter only saturates after 2^64 - 2 sets; a failed write means it is already set.
    [[maybe_unused]] ssize_t n = write(fd_, &one, sizeof one);
}

void HidEvent::Reset() {
    if (fd_ < 0) return;
    uint64_t value = 0;
    [[maybe_unused]] ssize_t n = read(fd_, &value, sizeof value);
}

bool HidEvent::IsSet() const {
    return Wait(0);
}

bool HidEvent::Wait(int timeoutMs) const {
    if (fd_ < 0) return false;
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const int r = poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        return r > 0 && (p.revents & POLLIN) != 0;
    }
}

}  // namespace r88
