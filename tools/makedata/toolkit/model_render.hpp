#pragma once
// A model as the software renderer draws it: its node tree flattened, its
// embedded pictures decoded once, and the sphere it fits in, so that many
// copies can be placed in a picture cheaply.

#include <vector>

#include <glm/glm.hpp>

#include "engine/model/model.hpp"
#include "toolkit/rasterizer.hpp"

namespace kr::toolkit {

class DrawableModel {
public:
    // Pictures that cannot be decoded throw.
    explicit DrawableModel(const model::Model& model);

    // Draws the model placed by `world`; parts out of view are skipped.
    void Draw(Rasterizer& target, const glm::mat4& world) const;

    // The sphere round every corner, in the model's own units.
    glm::vec3 centre() const { return centre_; }
    float radius() const { return radius_; }

private:
    struct Part {
        std::vector<Corner> corners;  // in model space
        std::vector<std::uint32_t> indices;
        Look look;
        int texture = -1;
    };

    void AddPrimitive(const model::Model& model, const model::Primitive& primitive, const glm::mat4& node);

    std::vector<Part> parts_;
    std::vector<Texture> textures_;
    glm::vec3 centre_{0.0f};
    float radius_ = 0.0f;
};

// Alpha below which a textured model's texels are holes, as the game tests
// its scenery.
inline constexpr float kSceneryAlphaCutoff = 100.0f / 255.0f;

}  // namespace kr::toolkit
