#pragma once
// Scenery placements along a mission's scroll path: a scatter of scenery
// kinds that never overlap, ground cannons spaced so that one comes into
// range now and then, and lines of objects (pylons) at a fixed spacing.

#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace kr::makedata::worlds {

struct SceneryKind {
    std::string file;        // the name in lista.dat
    float radius = 50.0f;    // footprint in world units at size 1 (in space: its reach)
    float weight = 1.0f;     // share of the scatter (0: placed only by lines)
    float minSize = 0.8f;    // size factors; the stored scale is 0.1 more
    float maxSize = 1.2f;
    float maxAbsZ = 1e9f;    // keeps a kind out of the far sides
    float height = 0.0f;     // of its top above its origin, at size 1
};

struct Placed {
    int kind = 0;            // index into the kinds (0-based)
    glm::vec3 position{0.0f};
    glm::vec3 rotation{0.0f};  // degrees
    float size = 1.0f;
};

struct ScatterPlan {
    float fromX = -600.0f, toX = 22000.0f;
    float halfWidth = 1100.0f;           // z from -halfWidth to +halfWidth
    int count = 800;                     // scatter tries that should land
    float minY = 0.0f, maxY = 0.0f;      // space: height range of centres (ground: 0)
    float ceiling = 1e9f;                // no object's top above this
    bool freeRotation = false;           // space: any orientation; ground: about y only
    unsigned seed = 1;
};

class PlacementSet {
public:
    explicit PlacementSet(std::vector<SceneryKind> kinds) : kinds_(std::move(kinds)) {}

    // Objects of `kind` every `spacing` units of x (with some jitter) at z
    // about `z`, sized `size`.
    void AddLine(int kind, float fromX, float toX, float spacing, float z, unsigned seed);
    // One object of `kind` every `minGap` to `maxGap` units of x, z inside
    // `halfWidth`, alternating sides of the middle.
    void AddSpaced(int kind, float fromX, float toX, float minGap, float maxGap, float halfWidth, unsigned seed);
    // Weighted kinds scattered over the plan, skipping places that overlap.
    void Scatter(const ScatterPlan& plan);

    // Ground maps: each placement's y from the ground below it.
    void SetHeights(const std::function<float(float x, float z)>& ground);

    // Ground maps: drops whatever would stand taller than `ceiling` within
    // `halfWidth` of the middle, where the fliers pass over it.
    void DropAbove(float ceiling, float halfWidth);

    // In order of x.
    std::vector<Placed> Sorted() const;
    const std::vector<SceneryKind>& kinds() const { return kinds_; }
    int size() const { return static_cast<int>(placed_.size()); }

private:
    bool Fits(const glm::vec3& at, float radius) const;
    void Put(int kind, glm::vec3 at, glm::vec3 rotation, float size);

    std::vector<SceneryKind> kinds_;
    std::vector<Placed> placed_;
};

}  // namespace kr::makedata::worlds
