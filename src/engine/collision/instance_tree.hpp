#pragma once
// The broad phase: a hierarchy over the world boxes of the instance slots,
// each node knowing which kinds lie below it. Slots that come and go or move
// only refit it; it is rebuilt when the slot count changes or when refitting
// has made it much costlier to walk than it was when built.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/collision/bvh.hpp"
#include "engine/collision/kinds.hpp"

namespace kr::collision {

class InstanceTree {
public:
    // Brings the tree up to date with `boxes` and `kinds` (one per slot; kind
    // 0 for a slot that can never be hit).
    void Update(std::span<const Aabb> boxes, std::span<const KindMask> kinds);

    // Calls testSlot(slot) for every slot of a kind in `mask` whose box the
    // segment reaches before tBest, nearest boxes first.
    template <class TestSlot>
    void Traverse(const SegmentProbe& probe, KindMask mask, const float& tBest, TestSlot&& testSlot) const {
        auto acceptNode = [&](std::uint32_t node) { return (nodeKinds_[node] & mask) != 0; };
        auto testLeaf = [&](const BvhNode& leaf) {
            for (std::uint32_t k = leaf.first; k < leaf.first + leaf.count; ++k) testSlot(bvh_.order[k]);
        };
        TraverseNearestFirst(bvh_.nodes, probe, tBest, acceptNode, testLeaf);
    }

    std::size_t Rebuilds() const { return rebuilds_; }

private:
    void Rebuild(std::span<const Aabb> boxes);
    void UpdateKinds(std::span<const KindMask> kinds);

    Bvh bvh_;
    std::vector<KindMask> nodeKinds_;
    std::size_t slotCount_ = 0;
    double builtArea_ = 0.0;
    std::size_t rebuilds_ = 0;
};

}  // namespace kr::collision
