#pragma once
// The generator's video step: "Video\intro.mpg".

#include "output_folder.hpp"

namespace kr::makedata {

void WriteVideoFiles(OutputFolder& out, const Sources& sources);

}  // namespace kr::makedata
