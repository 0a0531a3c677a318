#pragma once
// A mission's world read back from the game folder through the game's own
// readers, ready for the software renderer: its sky box, the landscape the
// game generates from the height map (ground maps), and every scenery
// placement as the game places and scales it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "engine/game_folder.hpp"
#include "engine/scene/landscape.hpp"
#include "toolkit/model_render.hpp"
#include "toolkit/rasterizer.hpp"
#include "toolkit/texture_sampler.hpp"

namespace kr::makedata::menu {

class MissionWorld {
public:
    // `mission` (1-based) decides the ground cannons' scale.
    MissionWorld(const GameFolder& folder, const std::string& map, int mission);

    bool HasGround() const { return ground_.has_value(); }
    // The sky box's colour in a direction.
    glm::vec3 Sky(glm::vec3 direction) const;
    // World height of the ground (ground maps only).
    float GroundHeight(float x, float z) const;

    void DrawSky(toolkit::Rasterizer& target) const;
    // The landscape's chunks that can be in view, lit as the scenery is.
    void DrawGround(toolkit::Rasterizer& target) const;
    void DrawScenery(toolkit::Rasterizer& target) const;

private:
    struct Placed {
        int kind = 0;
        glm::mat4 world{1.0f};
    };
    void DrawGroundChunk(toolkit::Rasterizer& target, int cx, int cz) const;

    std::vector<toolkit::Texture> sky_;  // front, back, left, right, top
    std::optional<scene::Landscape> ground_;
    std::optional<toolkit::Texture> groundTexture_;
    std::vector<toolkit::DrawableModel> kinds_;
    std::vector<Placed> placed_;
};

}  // namespace kr::makedata::menu
