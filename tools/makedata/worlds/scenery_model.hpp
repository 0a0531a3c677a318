#pragma once
// A scenery model file from modelled parts: the parts are modelled in
// world units (their size in the game at a stored scale of 1.1, or for
// the cannon at the game's cannon scale) and scaled back by the game's
// template scale here.

#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::worlds {

struct SceneryLook {
    std::string name;
    image::Image picture;          // empty: untextured
    glm::vec3 colour{1.0f};        // multiplies the picture
    glm::vec3 emissive{0.0f};      // glowing parts: lamps, windows, muzzles
    float metallic = 0.0f;
    float roughness = 0.9f;
};

class SceneryModel {
public:
    // `worldScale`: the scale the game shows the model at.
    SceneryModel(std::string name, float worldScale, float creaseDegrees = 40.0f);

    // Returns the slot to give parts of that look.
    int AddLook(SceneryLook look);
    void Add(toolkit::Surface part, int look);
    // Projects texture coordinates over the part's own bounds, then adds it.
    void AddBoxMapped(toolkit::Surface part, int look);

    model::Model Build() const;

private:
    std::string name_;
    float worldScale_;
    float crease_;
    std::vector<SceneryLook> looks_;
    toolkit::Surface surface_;
};

}  // namespace kr::makedata::worlds
