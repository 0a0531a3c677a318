#include "toolkit/sky_box.hpp"

namespace kr::toolkit {

namespace {

// Each face's outward axis and the directions of its u and v (v up), as
// the engine lays its sky box out around the eye.
struct Axes {
    glm::vec3 n, u, v;
};
constexpr Axes kAxes[6] = {
    {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
    {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}}, {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
};

}  // namespace

glm::vec3 SkyDirection(SkyFace face, glm::vec2 uv) {
    const Axes& a = kAxes[static_cast<int>(face)];
    return glm::normalize(a.n + a.u * (2.0f * uv.x - 1.0f) + a.v * (1.0f - 2.0f * uv.y));
}

SkyFacePoint SkyFaceAt(glm::vec3 d) {
    // The face whose axis the direction leans on most.
    const SkyFace* best = &kSkyFaces[0];
    float most = -1.0f;
    for (const SkyFace& face : kSkyFaces) {
        const float along = glm::dot(d, kAxes[static_cast<int>(face)].n);
        if (along > most) most = along, best = &face;
    }
    const Axes& a = kAxes[static_cast<int>(*best)];
    const glm::vec3 onFace = d / most;
    return {*best, {(glm::dot(onFace, a.u) + 1.0f) * 0.5f, (1.0f - glm::dot(onFace, a.v)) * 0.5f}};
}

}  // namespace kr::toolkit
