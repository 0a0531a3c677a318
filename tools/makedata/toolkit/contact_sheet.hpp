#pragma once
// Pictures laid out side by side over a solid background, alpha composited:
// how generated pictures are looked at before they ship.

#include <vector>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"

namespace kr::toolkit {

// Cells are as large as the largest picture; pictures sit at their cells'
// top-left corners, `padding` texels apart.
image::Image ContactSheet(const std::vector<image::Image>& pictures, int columns, glm::vec3 background,
                          int padding = 8);

}  // namespace kr::toolkit
