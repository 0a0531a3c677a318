#pragma once
// RIFF WAVE writer: 16-bit PCM, any rate and channel count.

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"

namespace kr::audio {

// Throws kr::Error for a sound without channels or with channels of
// different lengths.
Bytes EncodeWav(const ChannelView& sound);

// -1..1 to a 16-bit sample, rounded and clipped.
std::int16_t ToPcm16(float sample);

}  // namespace kr::audio
