#pragma once
// What a mission's fight is drawn with: the player's shot models and the
// rocket ("models\guns\"), the enemies' bolts ("models\alienshipN\shot1.*"),
// the pickups and the shield ("models\powerups\") and the HUD's gauges.

#include "output_folder.hpp"

namespace kr::makedata {

void WriteArsenal(OutputFolder& out);

}  // namespace kr::makedata
