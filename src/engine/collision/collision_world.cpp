#include "engine/collision/collision_world.hpp"

#include <cmath>
#include <string>

#include "engine/collision/segment.hpp"
#include "engine/error.hpp"

namespace kr::collision {
namespace {

bool IsAffine(const glm::mat4& m) { return m[0][3] == 0.0f && m[1][3] == 0.0f && m[2][3] == 0.0f && m[3][3] == 1.0f; }

bool IsFiniteMatrix(const glm::mat4& m) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r)
            if (!std::isfinite(m[c][r])) return false;
    return true;
}

void CheckGeometry(const std::shared_ptr<const TriangleBvh>& geometry) {
    if (!geometry) throw Error("collision instance: no geometry");
}

// Non-finite matrices are let through: they only make the instance unhittable.
void CheckMatrix(const glm::mat4& world) {
    if (IsFiniteMatrix(world) && !IsAffine(world))
        throw Error("collision instance: the world matrix is not affine (its last row is not 0 0 0 1)");
}

}  // namespace

InstanceId CollisionWorld::Add(InstanceDesc desc) {
    CheckGeometry(desc.geometry);
    CheckMatrix(desc.world);
    std::uint32_t slot = 0;
    if (freeSlots_.empty()) {
        slot = static_cast<std::uint32_t>(instances_.size());
        instances_.emplace_back();
        worldBoxes_.emplace_back();
        liveKinds_.push_back(0);
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Instance& instance = instances_[slot];
    instance.desc = std::move(desc);
    instance.alive = true;
    ++liveCount_;
    Refresh(slot);
    return {slot, instance.generation};
}

CollisionWorld::Instance& CollisionWorld::Live(InstanceId id) {
    if (!Contains(id))
        throw Error("collision instance: slot " + std::to_string(id.slot) + " generation " +
                    std::to_string(id.generation) + " is not registered");
    return instances_[id.slot];
}

bool CollisionWorld::Contains(InstanceId id) const {
    return id.slot < instances_.size() && instances_[id.slot].alive && instances_[id.slot].generation == id.generation;
}

void CollisionWorld::Remove(InstanceId id) {
    Instance& instance = Live(id);
    instance.alive = false;
    instance.desc.geometry.reset();
    ++instance.generation;
    --liveCount_;
    Refresh(id.slot);
    freeSlots_.push_back(id.slot);
}

void CollisionWorld::SetTransform(InstanceId id, const glm::mat4& world) {
    Instance& instance = Live(id);
    CheckMatrix(world);
    instance.desc.world = world;
    Refresh(id.slot);
}

void CollisionWorld::SetEnabled(InstanceId id, bool enabled) {
    Live(id).desc.enabled = enabled;
    Refresh(id.slot);
}

void CollisionWorld::SetKind(InstanceId id, KindMask kind) {
    Live(id).desc.kind = kind;
    Refresh(id.slot);
}

void CollisionWorld::SetPrecision(InstanceId id, Precision precision) {
    Live(id).desc.precision = precision;
    Refresh(id.slot);
}

void CollisionWorld::SetGeometry(InstanceId id, std::shared_ptr<const TriangleBvh> geometry) {
    Instance& instance = Live(id);
    CheckGeometry(geometry);
    instance.desc.geometry = std::move(geometry);
    Refresh(id.slot);
}

void CollisionWorld::GeometryChanged(InstanceId id) {
    Live(id);
    Refresh(id.slot);
}

void CollisionWorld::Refresh(std::uint32_t slot) {
    Instance& instance = instances_[slot];
    const glm::mat4& world = instance.desc.world;
    instance.hittable = false;
    if (instance.alive && IsFiniteMatrix(world)) {
        float determinant = glm::determinant(glm::mat3(world));
        if (determinant != 0.0f && std::isfinite(determinant)) {
            instance.inverse = glm::inverse(world);
            instance.hittable = IsFiniteMatrix(instance.inverse);
        }
    }
    // Widened so that rounding in the box never hides a triangle at its edge.
    worldBoxes_[slot] =
        instance.hittable ? Widened(Transformed(instance.desc.geometry->Bounds(), world), 1e-5f) : Aabb{};
    liveKinds_[slot] = instance.hittable && instance.desc.enabled ? instance.desc.kind : 0;
    treeStale_ = true;
}

HeightField& CollisionWorld::SetLandscape(HeightField landscape) {
    landscape_.emplace(std::move(landscape));
    return *landscape_;
}

std::optional<float> CollisionWorld::TestInstance(const Instance& instance, const glm::vec3& a, const glm::vec3& b,
                                                  float maxFraction) const {
    // An affine map keeps the fraction along the segment, so a fraction found
    // in model space holds in the world whatever the scale.
    glm::vec3 localA = glm::vec3(instance.inverse * glm::vec4(a, 1.0f));
    glm::vec3 localB = glm::vec3(instance.inverse * glm::vec4(b, 1.0f));
    if (instance.desc.precision == Precision::Triangles) {
        auto hit = instance.desc.geometry->Intersect(localA, localB, maxFraction);
        return hit ? std::optional<float>(hit->t) : std::nullopt;
    }
    if (!UsableSegment(localA, localB)) return std::nullopt;
    float entry = 0.0f, exit = 0.0f;
    if (!SlabTest(SegmentProbe(localA, localB), instance.desc.geometry->Bounds(), maxFraction, entry, exit))
        return std::nullopt;
    return entry;
}

std::optional<WorldHit> CollisionWorld::SegmentQuery(const glm::vec3& a, const glm::vec3& b, KindMask mask) {
    if (!UsableSegment(a, b)) return std::nullopt;
    std::optional<WorldHit> best;
    float bestFraction = 1.0f;
    // The landscape first: its hit bounds the instance search.
    if (landscape_ && landscapeEnabled_ && (mask & kind::Landscape)) {
        if (auto hit = landscape_->Intersect(a, b)) {
            best = WorldHit{InstanceId{}, kind::Landscape, hit->point, 0.0f, hit->t};
            bestFraction = hit->t;
        }
    }
    if (treeStale_) {
        tree_.Update(worldBoxes_, liveKinds_);
        treeStale_ = false;
    }
    auto testSlot = [&](std::uint32_t slot) {
        if ((liveKinds_[slot] & mask) == 0) return;
        auto t = TestInstance(instances_[slot], a, b, bestFraction);
        if (!t) return;
        // Ties: the lower slot wins; any instance wins over the landscape.
        bool tie = best && *t == bestFraction;
        if (tie && best->id.Valid() && best->id.slot < slot) return;
        const Instance& instance = instances_[slot];
        best = WorldHit{{slot, instance.generation}, instance.desc.kind, {}, 0.0f, *t};
        bestFraction = *t;
    };
    tree_.Traverse(SegmentProbe(a, b), mask, bestFraction, testSlot);
    if (best) {
        best->point = a + best->fraction * (b - a);
        best->distance = best->fraction * glm::length(b - a);
    }
    return best;
}

std::optional<WorldHit> CollisionWorld::Pick(float x, float y, const glm::mat4& view, const glm::mat4& projection,
                                             const Viewport& viewport, float maxDistance, KindMask mask) {
    auto segment = PickSegment(x, y, view, projection, viewport, maxDistance);
    if (!segment) return std::nullopt;
    return SegmentQuery(segment->start, segment->end, mask);
}

}  // namespace kr::collision
