#include "engine/collision/instance_tree.hpp"

namespace kr::collision {
namespace {

constexpr std::uint32_t kSlotsPerLeaf = 2;
// A refitted tree this much costlier to walk than when built is rebuilt.
constexpr double kRebuildRatio = 1.6;

}  // namespace

void InstanceTree::Update(std::span<const Aabb> boxes, std::span<const KindMask> kinds) {
    if (boxes.size() != slotCount_) {
        Rebuild(boxes);
    } else {
        RefitBvh(bvh_, boxes);
        if (TotalNodeArea(bvh_) > kRebuildRatio * builtArea_) Rebuild(boxes);
    }
    UpdateKinds(kinds);
}

void InstanceTree::Rebuild(std::span<const Aabb> boxes) {
    bvh_ = BuildBvh(boxes, kSlotsPerLeaf);
    slotCount_ = boxes.size();
    builtArea_ = TotalNodeArea(bvh_);
    ++rebuilds_;
}

void InstanceTree::UpdateKinds(std::span<const KindMask> kinds) {
    nodeKinds_.assign(bvh_.nodes.size(), 0);
    for (std::size_t i = bvh_.nodes.size(); i-- > 0;) {
        const BvhNode& node = bvh_.nodes[i];
        KindMask below = 0;
        if (node.Leaf()) {
            for (std::uint32_t k = node.first; k < node.first + node.count; ++k) below |= kinds[bvh_.order[k]];
        } else {
            below = nodeKinds_[node.first] | nodeKinds_[node.first + 1];
        }
        nodeKinds_[i] = below;
    }
}

}  // namespace kr::collision
