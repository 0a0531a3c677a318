#pragma once
// Independent jobs spread over the machine's cores: loading work that would
// otherwise leave all but one core idle.

#include <cstddef>
#include <functional>

namespace kr {

// Calls `job(i)` once for every i in [0, count), on up to as many threads as
// there are cores, taking indices in increasing order; returns when all are
// done. Jobs must not throw.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& job);

}  // namespace kr
