#include "audio/audio_files.hpp"

#include "audio/audio_catalogue.hpp"

namespace kr::makedata {

void WriteAudioFiles(OutputFolder& out) {
    for (const auto& file : audio::MakeAudioFiles()) out.Write(file.name, file.bytes);
}

}  // namespace kr::makedata
