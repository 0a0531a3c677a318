#pragma once
// Pictures for the engine's sky box: six faces of a cube around the eye,
// each painted as a function of direction so that neighbouring faces meet
// without a seam. The game shows one picture as both the top and the
// bottom face; FoldedSky makes a sky that allows that.

#include <array>

#include <glm/glm.hpp>

#include "toolkit/canvas.hpp"
#include "toolkit/gradients.hpp"

namespace kr::toolkit {

// In the order the engine takes the faces: front (+x), back (-x), left
// (+z), right (-z), top (+y), bottom (-y).
enum class SkyFace { Front, Back, Left, Right, Top, Bottom };
inline constexpr std::array<SkyFace, 6> kSkyFaces{SkyFace::Front, SkyFace::Back, SkyFace::Left,
                                                   SkyFace::Right, SkyFace::Top,  SkyFace::Bottom};

// The unit direction seen through texture coordinate `uv` of a face.
glm::vec3 SkyDirection(SkyFace face, glm::vec2 uv);

// The face and texture coordinate a direction is seen through (the
// inverse of SkyDirection).
struct SkyFacePoint {
    SkyFace face = SkyFace::Front;
    glm::vec2 uv{0.5f};
};
SkyFacePoint SkyFaceAt(glm::vec3 direction);

// Where the bottom face shows what the top face shows at `d` (the same
// picture drawn on the opposite face).
inline glm::vec3 MirroredThroughPoles(glm::vec3 d) { return {-d.x, -d.y, d.z}; }

// colour(direction) for every texel of a size x size face.
template <class Fn>
Canvas PaintSkyFace(SkyFace face, int size, Fn colour) {
    Canvas canvas(size, size);
    const float texel = 1.0f / static_cast<float>(size);
    canvas.Generate([&](int x, int y) {
        return colour(SkyDirection(face, glm::vec2((static_cast<float>(x) + 0.5f) * texel, (static_cast<float>(y) + 0.5f) * texel)));
    });
    return canvas;
}

enum class Hemisphere { Upper, Lower };

// `sky` as it is over the kept hemisphere and round the horizon; towards
// the other pole it blends into the kept pole's mirror image, so that the
// top and bottom faces are one picture and every edge still matches.
template <class Fn>
Colour FoldedSky(Fn sky, glm::vec3 d, Hemisphere keep) {
    const float away = keep == Hemisphere::Upper ? -d.y : d.y;  // sine of the elevation towards the far pole
    const float t = SmoothStep(0.2f, 0.56f, away);              // 12 to 34 degrees: the far face starts at 35
    if (t <= 0.0f) return sky(d);
    if (t >= 1.0f) return sky(MirroredThroughPoles(d));
    return glm::mix(sky(d), sky(MirroredThroughPoles(d)), t);
}

}  // namespace kr::toolkit
