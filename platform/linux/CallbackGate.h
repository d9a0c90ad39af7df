// Lets the user-interface thread know when the device callback can no longer be looking at
// something it has just unpublished (a stream, an effect chain, a ring it is about to
// empty), without the callback ever taking a lock.
//
// The callback brackets its work with Enter and Exit. The other thread first unpublishes
// (a sequentially consistent store), then calls WaitForCallbacks: every callback that
// entered before that point has exited when it returns, and every later one sees the
// store. The wait is at most one callback's work, and nothing when the device is stopped.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

class CallbackGate {
public:
    // For the callback only.
    void Enter() { entered.fetch_add(1, std::memory_order_seq_cst); }
    void Exit() { exited.fetch_add(1, std::memory_order_release); }

    // For the user-interface thread.
    void WaitForCallbacks() const {
        const uint64_t target = entered.load(std::memory_order_seq_cst);
        while (exited.load(std::memory_order_acquire) < target) {
            std::this_thread::yield();
        }
    }

private:
    std::atomic<uint64_t> entered{0};
    std::atomic<uint64_t> exited{0};
};
