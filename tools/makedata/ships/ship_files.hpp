#pragma once
// The five player ships ("models\shipN\fighter.tvm" and the wear skins
// "models\shipN\0.dds" to "4.dds") and the ship-selection carousel that
// carries them ("models\selection\selection.tvm").

#include "output_folder.hpp"

namespace kr::makedata {

void WriteShipModels(OutputFolder& out);

}  // namespace kr::makedata
