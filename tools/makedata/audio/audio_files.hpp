#pragma once
// The generator's audio step: every sound effect under sound\ and every
// music track under music\.

#include "output_folder.hpp"

namespace kr::makedata {

void WriteAudioFiles(OutputFolder& out);

}  // namespace kr::makedata
