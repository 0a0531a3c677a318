#pragma once
// A fixed-size queue between exactly one writing and one reading thread,
// without locks or allocation after construction: the game thread hands
// commands to the audio thread through it.

#include <atomic>
#include <cstddef>
#include <vector>

namespace kr::media {

template <typename T>
class SpscQueue {
public:
    explicit SpscQueue(std::size_t capacity) : slots_(capacity + 1) {}

    // Writer: false when the queue is full.
    bool Push(const T& item) {
        std::size_t tail = tail_.load(std::memory_order_relaxed);
        std::size_t next = Next(tail);
        if (next == head_.load(std::memory_order_acquire)) return false;
        slots_[tail] = item;
        tail_.store(next, std::memory_order_release);
        return true;
    }

    // Reader: false when the queue is empty.
    bool Pop(T& item) {
        std::size_t head = head_.load(std::memory_order_relaxed);
        if (head == tail_.load(std::memory_order_acquire)) return false;
        item = slots_[head];
        head_.store(Next(head), std::memory_order_release);
        return true;
    }

private:
    std::size_t Next(std::size_t index) const { return index + 1 == slots_.size() ? 0 : index + 1; }

    std::vector<T> slots_;
    alignas(64) std::atomic<std::size_t> head_{0};
    alignas(64) std::atomic<std::size_t> tail_{0};
};

}  // namespace kr::media
