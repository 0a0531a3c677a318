#include "worlds/placements.hpp"

#include <algorithm>
#include <cmath>

#include "engine/error.hpp"
#include "engine/random.hpp"

namespace kr::makedata::worlds {
namespace {

float Uniform(Random& random, float from, float to) { return from + static_cast<float>(random.Fraction()) * (to - from); }

int PickWeighted(Random& random, const std::vector<SceneryKind>& kinds) {
    float total = 0.0f;
    for (const auto& k : kinds) total += k.weight;
    float pick = Uniform(random, 0.0f, total);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        pick -= kinds[i].weight;
        if (pick < 0.0f && kinds[i].weight > 0.0f) return static_cast<int>(i);
    }
    for (std::size_t i = kinds.size(); i-- > 0;)
        if (kinds[i].weight > 0.0f) return static_cast<int>(i);
    throw Error("scenery scatter: no kind has a weight");
}

}  // namespace

bool PlacementSet::Fits(const glm::vec3& at, float radius) const {
    for (const Placed& other : placed_) {
        const float reach = radius + kinds_[static_cast<std::size_t>(other.kind)].radius * other.size;
        const glm::vec3 d = other.position - at;
        if (std::fabs(d.x) < reach && glm::dot(d, d) < reach * reach) return false;
    }
    return true;
}

void PlacementSet::Put(int kind, glm::vec3 at, glm::vec3 rotation, float size) {
    placed_.push_back({kind, at, rotation, size});
}

void PlacementSet::AddLine(int kind, float fromX, float toX, float spacing, float z, unsigned seed) {
    Random random(seed);
    const SceneryKind& k = kinds_[static_cast<std::size_t>(kind)];
    for (float x = fromX; x <= toX; x += spacing) {
        const glm::vec3 at(x + Uniform(random, -0.1f, 0.1f) * spacing, 0.0f, z + Uniform(random, -40.0f, 40.0f));
        const float size = Uniform(random, k.minSize, k.maxSize);
        if (Fits(at, k.radius * size)) Put(kind, at, {0.0f, Uniform(random, -8.0f, 8.0f), 0.0f}, size);
    }
}

void PlacementSet::AddSpaced(int kind, float fromX, float toX, float minGap, float maxGap, float halfWidth, unsigned seed) {
    Random random(seed);
    const SceneryKind& k = kinds_[static_cast<std::size_t>(kind)];
    float side = 1.0f;
    for (float x = fromX + Uniform(random, 0.0f, minGap); x <= toX; x += Uniform(random, minGap, maxGap)) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            const glm::vec3 at(x, 0.0f, side * Uniform(random, 0.1f, 1.0f) * halfWidth);
            if (!Fits(at, k.radius)) continue;
            Put(kind, at, {0.0f, Uniform(random, -12.0f, 12.0f), 0.0f}, 1.0f);
            break;
        }
        side = -side;
    }
}

void PlacementSet::Scatter(const ScatterPlan& plan) {
    Random random(plan.seed);
    const float step = (plan.toX - plan.fromX) / static_cast<float>(plan.count);
    for (int i = 0; i < plan.count; ++i) {
        const int kind = PickWeighted(random, kinds_);
        const SceneryKind& k = kinds_[static_cast<std::size_t>(kind)];
        const float size = Uniform(random, k.minSize, k.maxSize);
        const float halfWidth = std::min(plan.halfWidth, k.maxAbsZ);
        for (int attempt = 0; attempt < 6; ++attempt) {
            const float x = plan.fromX + (static_cast<float>(i) + static_cast<float>(random.Fraction())) * step;
            const float top = std::min(plan.maxY, plan.ceiling - k.radius * size);
            const glm::vec3 at(x, Uniform(random, plan.minY, std::max(plan.minY, top)), Uniform(random, -halfWidth, halfWidth));
            if (!Fits(at, k.radius * size)) continue;
            glm::vec3 rotation(0.0f, Uniform(random, 0.0f, 360.0f), 0.0f);
            if (plan.freeRotation) rotation = {Uniform(random, 0.0f, 360.0f), rotation.y, Uniform(random, 0.0f, 360.0f)};
            Put(kind, at, rotation, size);
            break;
        }
    }
}

void PlacementSet::SetHeights(const std::function<float(float, float)>& ground) {
    for (Placed& p : placed_) p.position.y = ground(p.position.x, p.position.z);
}

void PlacementSet::DropAbove(float ceiling, float halfWidth) {
    std::erase_if(placed_, [&](const Placed& p) {
        const float top = p.position.y + kinds_[static_cast<std::size_t>(p.kind)].height * p.size;
        return std::fabs(p.position.z) < halfWidth && top > ceiling;
    });
}

std::vector<Placed> PlacementSet::Sorted() const {
    std::vector<Placed> sorted = placed_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Placed& a, const Placed& b) { return a.position.x < b.position.x; });
    return sorted;
}

}  // namespace kr::makedata::worlds
