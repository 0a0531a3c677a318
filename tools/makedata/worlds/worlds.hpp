#pragma once
// The two mission worlds: the desert ("dunes", a ground map) and high
// orbit ("orbit", a space map), each with its ground and sky pictures,
// scenery models, scenery list and map record.

#include "output_folder.hpp"

namespace kr::makedata {

void WriteMissionWorlds(OutputFolder& out);

}  // namespace kr::makedata
