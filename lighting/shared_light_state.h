#pragma once
// The light state as the UI thread and a light thread share it. The UI thread
// is the only writer; the light thread reads a whole snapshot without a lock
// (a sequence counter makes it retry while a store is half done), so neither
// thread ever waits for the other.
#include <atomic>
#include <cstdint>

#include "profile/profile_records.h"

namespace r88 {

class CSharedLightState {
public:
    void Store(const LightState& s) {
        const std::uint32_t seq = sequence_.load(std::memory_order_relaxed);
        sequence_.store(seq + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
        wordA_.store(s.WordA(), std::memory_order_relaxed);
        wordB_.store(s.WordB(), std::memory_order_relaxed);
        spare_.store(s.SpareWord(), std::memory_order_relaxed);
        sequence_.store(seq + 2, std::memory_order_release);
    }

    LightState Load() const {
        for (;;) {
            const std::uint32_t before = sequence_.load(std::memory_order_acquire);
            const std::uint32_t a = wordA_.load(std::memory_order_relaxed);
            const std::uint32_t b = wordB_.load(std::memory_order_relaxed);
            const std::uint32_t spare = spare_.load(std::memory_order_relaxed);
            std::atomic_thread_fence(std::memory_order_acquire);
            if ((before & 1u) == 0 && sequence_.load(std::memory_order_relaxed) == before)
                return LightState::FromWords(a, b, spare);
        }
    }

private:
    std::atomic<std::uint32_t> sequence_{0};
    std::atomic<std::uint32_t> wordA_{0};
    std::atomic<std::uint32_t> wordB_{0};
    std::atomic<std::uint32_t> spare_{0};
};

}  // namespace r88
