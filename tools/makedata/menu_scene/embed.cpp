#include "menu_scene/embed.hpp"

#include <utility>

namespace kr::makedata::menu_scene {

int EmbedJpeg(model::Model& model, std::string name, const image::Image& picture) {
    // Above quality 90 the encoder keeps chroma at full resolution: thin
    // crimson stripes stay crisp.
    model.images.push_back({std::move(name), "image/jpeg", image::EncodeJpeg(picture, 95)});
    return static_cast<int>(model.images.size()) - 1;
}

}  // namespace kr::makedata::menu_scene
