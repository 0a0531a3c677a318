#include "toolkit/sky_box.hpp"

namespace kr::toolkit {

glm::vec3 SkyDirection(SkyFace face, glm::vec2 uv) {
    // Each face's outward axis and the directions of its u and v (v up),
    // as the engine lays its sky box out around the eye.
    struct Axes {
        glm::vec3 n, u, v;
    };
    static constexpr Axes kAxes[6] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
        {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}}, {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}},
    };
    const Axes& a = kAxes[static_cast<int>(face)];
    return glm::normalize(a.n + a.u * (2.0f * uv.x - 1.0f) + a.v * (1.0f - 2.0f * uv.y));
}

}  // namespace kr::toolkit
