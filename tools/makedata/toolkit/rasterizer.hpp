#pragma once
// A small software renderer for pictures made from the game's own 3D
// content: a perspective camera laid out as the engine's (left-handed, +y
// up), a depth buffer, textured triangles with perspective-correct
// coordinates, one directional light over an ambient one, and fog that
// fades distant surfaces into the background behind them. Triangles are
// drawn in the order given, so the result is the same on every run.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include <glm/glm.hpp>

#include "engine/scene/environment.hpp"
#include "toolkit/canvas.hpp"
#include "toolkit/texture_sampler.hpp"

namespace kr::toolkit {

// A triangle corner in world space.
struct Corner {
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f, 1.0f, 0.0f};
    glm::vec2 uv{0.0f};
};

// How a triangle's surface looks.
struct Look {
    const Texture* texture = nullptr;  // none: plain colour
    glm::vec4 colour{1.0f};            // multiplies the texture
    glm::vec3 emissive{0.0f};          // light of its own, times the texture
    float alphaCutoff = -1.0f;         // texels with less alpha are holes (below 0: none)
    bool doubleSided = false;          // else faces turned away are skipped
    bool lit = true;                   // false: drawn at its own colour
};

struct Sunlight {
    glm::vec3 direction{0.0f, -1.0f, 0.0f};  // the way the light travels
    glm::vec3 colour{1.0f};
    glm::vec3 ambient{0.2f};
};

// Linear in view depth, towards the background at the same pixel.
struct Fog {
    float start = 0.0f;
    float end = 0.0f;  // not above start: no fog
    float most = 1.0f;  // the strongest mix, at `end` and beyond
};

class Rasterizer {
public:
    Rasterizer(int width, int height, const scene::Camera& camera);

    int width() const { return width_; }
    int height() const { return height_; }
    void SetLight(const Sunlight& light) { light_ = light; light_.direction = glm::normalize(light.direction); }
    void SetFog(const Fog& fog) { fog_ = fog; }

    // Fills every pixel with colour(direction of its view ray); this is also
    // what fog fades towards. Clears the depth buffer.
    void DrawBackground(const std::function<glm::vec3(glm::vec3 direction)>& colour);

    // Triangles indexing `corners` (three indices each).
    void DrawTriangles(std::span<const Corner> corners, std::span<const std::uint32_t> indices, const Look& look);

    // Whether anything within `radius` of `centre` can be in view.
    bool MayShow(glm::vec3 centre, float radius) const;
    // A world point's pixel position (x right, y down) and view depth
    // (negative or zero: behind the eye).
    glm::vec3 Project(glm::vec3 point) const;
    // The unit direction of the view ray through a pixel position.
    glm::vec3 RayThrough(glm::vec2 pixel) const;

    glm::vec3 ColourAt(int x, int y) const { return colour_[Index(x, y)]; }
    // The picture, each `factor` x `factor` block of pixels averaged into one.
    Canvas Resolve(int factor) const;

    // A corner after projection (the renderer's own working form).
    struct Vertex;

private:
    void DrawClipped(const Vertex& a, const Vertex& b, const Vertex& c, const Look& look);
    void Fill(const Vertex& a, const Vertex& b, const Vertex& c, const Look& look);
    glm::vec3 Shade(const Look& look, glm::vec3 normal, glm::vec4 texel) const;
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_, height_;
    glm::vec3 eye_;
    glm::mat4 viewProjection_;
    glm::mat4 inverseViewProjection_;
    std::array<glm::vec4, 6> frustum_;  // planes facing inwards
    Sunlight light_;
    Fog fog_;
    std::vector<glm::vec3> colour_;
    std::vector<glm::vec3> background_;
    std::vector<float> depth_;
};

}  // namespace kr::toolkit
