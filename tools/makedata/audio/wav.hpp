#pragma once
// RIFF WAVE writer: 16-bit PCM, 44100 Hz, mono or stereo.

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"

namespace kr::audio {

Bytes EncodeWav(const Mono& signal);
Bytes EncodeWav(const Stereo& signal);

// -1..1 to a 16-bit sample, rounded and clipped.
std::int16_t ToPcm16(float sample);

}  // namespace kr::audio
