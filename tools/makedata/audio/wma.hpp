#pragma once
// Windows Media Audio files: WMA version 2 in an ASF container.

#include <string>

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"

namespace kr::audio {

// Decoders drop the encoder's first 2048 samples, so the encoded stream
// starts with that much silence and decodes to `signal` from its first sample.
inline constexpr std::size_t kWmaLeadIn = 2048;

Bytes EncodeWma(const Stereo& signal, int bitRate, const std::string& nameForErrors);

}  // namespace kr::audio
