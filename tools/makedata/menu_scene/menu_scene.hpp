#pragma once
// The menu scene's content: the hangar backdrop, the five welder models
// (one per ship), the star sphere's picture, the two credits spheres'
// pictures and the shield sphere's picture.

#include "output_folder.hpp"

namespace kr::makedata {

void WriteMenuSceneModels(OutputFolder& out);

}  // namespace kr::makedata
