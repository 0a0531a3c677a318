#pragma once
// Pictures embedded in the menu scene's models.

#include <string>

#include "engine/image/image.hpp"
#include "engine/model/model.hpp"

namespace kr::makedata::menu_scene {

// Embeds an opaque picture as JPEG at a quality that keeps full colour
// resolution (quicker to write and smaller than PNG); returns its index for
// Material::image.
int EmbedJpeg(model::Model& model, std::string name, const image::Image& picture);

}  // namespace kr::makedata::menu_scene
