#pragma once
// A bounding-volume hierarchy over any list of boxes: built with the binned
// surface-area heuristic, refitted in place when the boxes move, walked
// nearest-first for closest-hit queries. Triangle meshes and the world's
// instances both use it.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/collision/aabb.hpp"

namespace kr::collision {

struct BvhNode {
    Aabb bounds;
    std::uint32_t first = 0;  // leaf: first position in Bvh::order; inner: left child (right is first + 1)
    std::uint32_t count = 0;  // items in a leaf; 0 for an inner node

    bool Leaf() const { return count != 0; }
};

struct Bvh {
    std::vector<BvhNode> nodes;        // the root first; children always after their parent
    std::vector<std::uint32_t> order;  // item indices in leaf order
};

// The hierarchy over `items` with at most `maxLeafSize` items per leaf where
// a split pays off. Empty boxes are allowed (they are never hit); no items
// give no nodes.
Bvh BuildBvh(std::span<const Aabb> items, std::uint32_t maxLeafSize);

// Recomputes every node's box from the items' current boxes (indexed as at
// build), leaves first.
void RefitBvh(Bvh& bvh, std::span<const Aabb> items);

// The sum of all node areas: proportional to the expected cost of a query,
// it tells when a refitted tree is worth rebuilding.
double TotalNodeArea(const Bvh& bvh);

// The deepest a built tree can be; traversal stacks are sized by it.
inline constexpr int kMaxBvhDepth = 96;

// Visits the leaves the segment reaches, nearest box first, skipping nodes
// entered beyond `tBest` (which `testLeaf` may lower as it finds hits) and
// nodes `acceptNode(index)` refuses. Ties stay in: a node entered exactly at
// tBest is still visited, so callers can break ties by their own order.
template <class AcceptNode, class TestLeaf>
void TraverseNearestFirst(const std::vector<BvhNode>& nodes, const SegmentProbe& probe, const float& tBest,
                          AcceptNode&& acceptNode, TestLeaf&& testLeaf) {
    if (nodes.empty() || !acceptNode(0u)) return;
    struct Pending {
        std::uint32_t node;
        float entry;
    };
    Pending stack[kMaxBvhDepth + 2];
    int size = 0;
    float entry = 0.0f, exit = 0.0f;
    if (!SlabTest(probe, nodes[0].bounds, tBest, entry, exit)) return;
    stack[size++] = {0u, entry};
    while (size > 0) {
        Pending top = stack[--size];
        if (top.entry > tBest) continue;
        const BvhNode& node = nodes[top.node];
        if (node.Leaf()) {
            testLeaf(node);
            continue;
        }
        std::uint32_t left = node.first, right = node.first + 1;
        float leftEntry = 0.0f, rightEntry = 0.0f;
        bool hitLeft = acceptNode(left) && SlabTest(probe, nodes[left].bounds, tBest, leftEntry, exit);
        bool hitRight = acceptNode(right) && SlabTest(probe, nodes[right].bounds, tBest, rightEntry, exit);
        if (hitLeft && hitRight) {
            // The nearer one goes on top.
            if (leftEntry <= rightEntry) {
                stack[size++] = {right, rightEntry};
                stack[size++] = {left, leftEntry};
            } else {
                stack[size++] = {left, leftEntry};
                stack[size++] = {right, rightEntry};
            }
        } else if (hitLeft) {
            stack[size++] = {left, leftEntry};
        } else if (hitRight) {
            stack[size++] = {right, rightEntry};
        }
    }
}

}  // namespace kr::collision
