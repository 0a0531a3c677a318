#pragma once
// Everything a segment can hit: placed instances of shared triangle meshes
// and at most one height field. Answers "what does the segment from a to b
// meet first" and "what is under this screen point", on the CPU and
// deterministically: the same calls give the same answers on every run,
// windowed or headless.

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <glm/glm.hpp>

#include "engine/collision/height_field.hpp"
#include "engine/collision/instance_tree.hpp"
#include "engine/collision/kinds.hpp"
#include "engine/collision/picking.hpp"
#include "engine/collision/triangle_bvh.hpp"

namespace kr::collision {

// How closely an instance is tested: its geometry's box (carried by the world
// matrix, so an oriented box in the world) or its triangles.
enum class Precision { Box, Triangles };

// A handle to a registered instance. Slots are reused after removal; the
// generation tells a stale handle from the slot's new owner.
struct InstanceId {
    std::uint32_t slot = ~std::uint32_t{0};
    std::uint32_t generation = 0;

    bool Valid() const { return slot != ~std::uint32_t{0}; }
    friend auto operator<=>(const InstanceId&, const InstanceId&) = default;
};

struct InstanceDesc {
    std::shared_ptr<const TriangleBvh> geometry;  // in model space; may be shared by many instances
    glm::mat4 world{1.0f};                        // model to world; affine
    KindMask kind = kind::Mesh;
    Precision precision = Precision::Triangles;
    bool enabled = true;
};

struct WorldHit {
    InstanceId id;           // not Valid() for the landscape
    KindMask kind = 0;       // the instance's kind, or kind::Landscape
    glm::vec3 point{0.0f};   // in the world
    float distance = 0.0f;   // world units from the segment's start
    float fraction = 0.0f;   // 0 at the segment's start, 1 at its end
};

class CollisionWorld {
public:
    // Registers an instance. Throws Error without geometry or for a world
    // matrix that is not affine. A matrix that cannot be inverted (zero scale)
    // or is not finite is accepted: the instance is then never hit.
    InstanceId Add(InstanceDesc desc);
    // These throw Error for an id that is not (or no longer) registered.
    void Remove(InstanceId id);
    void SetTransform(InstanceId id, const glm::mat4& world);
    void SetEnabled(InstanceId id, bool enabled);
    void SetKind(InstanceId id, KindMask kind);
    void SetPrecision(InstanceId id, Precision precision);
    void SetGeometry(InstanceId id, std::shared_ptr<const TriangleBvh> geometry);
    // After the instance's geometry was refitted in place (a posed model).
    void GeometryChanged(InstanceId id);

    bool Contains(InstanceId id) const;
    std::size_t InstanceCount() const { return liveCount_; }

    // The one height field; it takes part in queries while enabled.
    HeightField& SetLandscape(HeightField landscape);
    void ClearLandscape() { landscape_.reset(); }
    HeightField* Landscape() { return landscape_ ? &*landscape_ : nullptr; }
    const HeightField* Landscape() const { return landscape_ ? &*landscape_ : nullptr; }
    void SetLandscapeEnabled(bool enabled) { landscapeEnabled_ = enabled; }

    // The nearest hit on the segment from a to b among enabled instances and
    // the landscape whose kind is in `mask`. Equal distances go to the
    // instance with the lower slot, and instances before the landscape.
    // Nothing for a zero-length or non-finite segment.
    std::optional<WorldHit> SegmentQuery(const glm::vec3& a, const glm::vec3& b, KindMask mask);

    // The nearest hit under layout point (x, y) within maxDistance of the
    // near plane (see PickSegment); distances count from the near plane.
    std::optional<WorldHit> Pick(float x, float y, const glm::mat4& view, const glm::mat4& projection,
                                 const Viewport& viewport, float maxDistance, KindMask mask);

private:
    struct Instance {
        InstanceDesc desc;
        glm::mat4 inverse{1.0f};
        bool hittable = false;  // alive, with an invertible finite matrix
        bool alive = false;
        std::uint32_t generation = 0;
    };

    Instance& Live(InstanceId id);
    void Refresh(std::uint32_t slot);  // after any change to the slot
    std::optional<float> TestInstance(const Instance& instance, const glm::vec3& a, const glm::vec3& b,
                                      float maxFraction) const;

    std::vector<Instance> instances_;  // by slot
    std::vector<Aabb> worldBoxes_;     // by slot; empty for slots never hit
    std::vector<KindMask> liveKinds_;  // by slot; 0 for slots never hit or disabled
    std::vector<std::uint32_t> freeSlots_;
    std::size_t liveCount_ = 0;
    bool treeStale_ = false;
    InstanceTree tree_;
    std::optional<HeightField> landscape_;
    bool landscapeEnabled_ = true;
};

}  // namespace kr::collision
