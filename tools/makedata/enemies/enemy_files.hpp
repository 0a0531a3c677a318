#pragma once
// The enemies of the missions: every enemy type's model
// ("models\{type}\{type}.tvm") and definition ("data\{type}.dat"), the
// type lists of the two maps ("models\dunes\ships.dat",
// "models\orbit\ships.dat") and the bosses ("models\bosses\bossN.tvM" and
// "bossN.tva").

#include <string>
#include <vector>

#include "output_folder.hpp"

namespace kr::makedata {

void WriteEnemies(OutputFolder& out);

namespace enemies {
// The types each map's waves draw from: the ground map the easier ones.
std::vector<std::string> DunesTypes();
std::vector<std::string> OrbitTypes();
}  // namespace enemies

}  // namespace kr::makedata
