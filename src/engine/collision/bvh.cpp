#include "engine/collision/bvh.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace kr::collision {
namespace {

constexpr int kBins = 12;
// Below this depth the heuristic chooses splits; deeper, items are halved,
// which bounds the depth by kMaxBvhDepth for any input.
constexpr int kHeuristicDepth = 48;
static_assert(kHeuristicDepth + 33 < kMaxBvhDepth);

struct Bin {
    Aabb box;
    std::uint32_t count = 0;
};

struct Split {
    int axis = -1;
    int bin = 0;  // items in bins [0, bin] go left
    float cost = std::numeric_limits<float>::infinity();
};

glm::vec3 SafeCentre(const Aabb& box) {
    glm::vec3 centre = box.Centre();
    bool finite = std::isfinite(centre.x) && std::isfinite(centre.y) && std::isfinite(centre.z);
    return finite ? centre : glm::vec3(0.0f);
}

class Builder {
public:
    Builder(std::span<const Aabb> items, std::uint32_t maxLeafSize, Bvh& out)
        : items_(items), maxLeafSize_(std::max<std::uint32_t>(1, maxLeafSize)), out_(out) {
        centres_.reserve(items.size());
        for (const Aabb& box : items) centres_.push_back(SafeCentre(box));
    }

    void Run() {
        auto count = static_cast<std::uint32_t>(items_.size());
        out_.order.resize(count);
        std::iota(out_.order.begin(), out_.order.end(), 0u);
        out_.nodes.clear();
        if (count == 0) return;
        out_.nodes.reserve(2 * count / maxLeafSize_ + 1);
        out_.nodes.push_back({});
        tasks_.push_back({0, 0, count, 0});
        while (!tasks_.empty()) {
            Task task = tasks_.back();
            tasks_.pop_back();
            Place(task);
        }
    }

private:
    struct Task {
        std::uint32_t node, begin, end;
        int depth;
    };

    void Place(const Task& task) {
        Aabb bounds, centreBounds;
        for (std::uint32_t i = task.begin; i < task.end; ++i) {
            bounds.Grow(items_[out_.order[i]]);
            centreBounds.Grow(centres_[out_.order[i]]);
        }
        out_.nodes[task.node].bounds = bounds;
        std::uint32_t count = task.end - task.begin;
        if (count <= maxLeafSize_) {
            out_.nodes[task.node].first = task.begin;
            out_.nodes[task.node].count = count;
            return;
        }
        std::uint32_t middle = task.depth < kHeuristicDepth ? HeuristicSplit(task, centreBounds) : task.begin;
        if (middle == task.begin || middle == task.end) middle = MedianSplit(task, centreBounds);
        auto left = static_cast<std::uint32_t>(out_.nodes.size());
        out_.nodes.push_back({});
        out_.nodes.push_back({});
        out_.nodes[task.node].first = left;
        out_.nodes[task.node].count = 0;
        tasks_.push_back({left + 1, middle, task.end, task.depth + 1});
        tasks_.push_back({left, task.begin, middle, task.depth + 1});
    }

    static int BinOf(float centre, float low, float scale) {
        float f = (centre - low) * scale;
        if (!(f > 0.0f)) return 0;
        return f < static_cast<float>(kBins) ? static_cast<int>(f) : kBins - 1;
    }

    // Partitions at the cheapest bin boundary; returns the first item of the
    // right half (begin when no axis can be split).
    std::uint32_t HeuristicSplit(const Task& task, const Aabb& centreBounds) {
        Split best;
        for (int axis = 0; axis < 3; ++axis) TryAxis(task, centreBounds, axis, best);
        if (best.axis < 0) return task.begin;
        float low = centreBounds.min[best.axis];
        float scale = kBins / (centreBounds.max[best.axis] - low);
        auto first = out_.order.begin() + task.begin, last = out_.order.begin() + task.end;
        auto middle = std::partition(first, last, [&](std::uint32_t item) {
            return BinOf(centres_[item][best.axis], low, scale) <= best.bin;
        });
        return static_cast<std::uint32_t>(middle - out_.order.begin());
    }

    void TryAxis(const Task& task, const Aabb& centreBounds, int axis, Split& best) const {
        float low = centreBounds.min[axis];
        float extent = centreBounds.max[axis] - low;
        if (!(extent > 0.0f) || !std::isfinite(extent)) return;
        float scale = kBins / extent;
        std::array<Bin, kBins> bins{};
        for (std::uint32_t i = task.begin; i < task.end; ++i) {
            std::uint32_t item = out_.order[i];
            Bin& bin = bins[BinOf(centres_[item][axis], low, scale)];
            bin.box.Grow(items_[item]);
            ++bin.count;
        }
        // Right-hand areas and counts for every boundary, then a left sweep.
        std::array<float, kBins> rightCost{};
        Aabb right;
        std::uint32_t rightCount = 0;
        for (int b = kBins - 1; b > 0; --b) {
            right.Grow(bins[b].box);
            rightCount += bins[b].count;
            rightCost[b] = right.HalfArea() * static_cast<float>(rightCount);
        }
        Aabb left;
        std::uint32_t leftCount = 0;
        for (int b = 0; b < kBins - 1; ++b) {
            left.Grow(bins[b].box);
            leftCount += bins[b].count;
            float cost = left.HalfArea() * static_cast<float>(leftCount) + rightCost[b + 1];
            if (leftCount == 0 || leftCount == task.end - task.begin) continue;
            if (cost < best.cost) best = {axis, b, cost};
        }
    }

    // Halves the items along the widest axis of their centres (ties by index).
    std::uint32_t MedianSplit(const Task& task, const Aabb& centreBounds) {
        glm::vec3 extent = centreBounds.Empty() ? glm::vec3(0.0f) : centreBounds.max - centreBounds.min;
        int axis = extent.x >= extent.y ? (extent.x >= extent.z ? 0 : 2) : (extent.y >= extent.z ? 1 : 2);
        std::uint32_t middle = task.begin + (task.end - task.begin) / 2;
        std::nth_element(out_.order.begin() + task.begin, out_.order.begin() + middle,
                         out_.order.begin() + task.end, [&](std::uint32_t a, std::uint32_t b) {
                             float ca = centres_[a][axis], cb = centres_[b][axis];
                             return ca < cb || (ca == cb && a < b);
                         });
        return middle;
    }

    std::span<const Aabb> items_;
    std::uint32_t maxLeafSize_;
    Bvh& out_;
    std::vector<glm::vec3> centres_;
    std::vector<Task> tasks_;
};

}  // namespace

Bvh BuildBvh(std::span<const Aabb> items, std::uint32_t maxLeafSize) {
    Bvh bvh;
    Builder(items, maxLeafSize, bvh).Run();
    return bvh;
}

void RefitBvh(Bvh& bvh, std::span<const Aabb> items) {
    for (std::size_t i = bvh.nodes.size(); i-- > 0;) {
        BvhNode& node = bvh.nodes[i];
        Aabb bounds;
        if (node.Leaf()) {
            for (std::uint32_t k = node.first; k < node.first + node.count; ++k) bounds.Grow(items[bvh.order[k]]);
        } else {
            bounds.Grow(bvh.nodes[node.first].bounds);
            bounds.Grow(bvh.nodes[node.first + 1].bounds);
        }
        node.bounds = bounds;
    }
}

double TotalNodeArea(const Bvh& bvh) {
    double sum = 0.0;
    for (const BvhNode& node : bvh.nodes) sum += node.bounds.HalfArea();
    return sum;
}

}  // namespace kr::collision
