#pragma once
// Windows Media Audio files: WMA version 2 in an ASF container.

#include <string>

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"

namespace kr::audio {

// Decoders drop the encoder's first block (2048 samples at 44.1 kHz), so
// the encoded stream starts with a block of silence and decodes to the
// sound from its first sample; the end is padded to whole blocks.
Bytes EncodeWma(const ChannelView& sound, int bitRate, const std::string& nameForErrors);

}  // namespace kr::audio
