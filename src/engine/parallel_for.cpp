#include "engine/parallel_for.hpp"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace kr {

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& job) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++) job(i);
    };
    std::size_t helpers = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    std::vector<std::thread> threads;
    for (std::size_t t = 1; t < helpers; ++t) threads.emplace_back(work);
    work();  // this thread takes its share too
    for (std::thread& thread : threads) thread.join();
}

}  // namespace kr
