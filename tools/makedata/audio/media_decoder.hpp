#pragma once
// Reads a media file back through FFmpeg, as the game does: the first audio
// stream decoded to float samples and the video stream's frames counted.
// Used to check what the generator wrote.

#include <string>
#include <vector>

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"

namespace kr::audio {

struct DecodedMedia {
    std::string containerName;  // FFmpeg's short name, e.g. "asf", "wav", "mpeg"
    std::string audioCodec;     // empty without an audio stream
    int sampleRate = 0;
    int channels = 0;
    Stereo audio;               // mono files give the same samples on both sides
    std::string videoCodec;     // empty without a video stream
    int width = 0, height = 0;
    int videoFrames = 0;
    double frameRate = 0;

    double AudioSeconds() const { return sampleRate ? static_cast<double>(audio.Frames()) / sampleRate : 0.0; }
    double VideoSeconds() const { return frameRate > 0 ? videoFrames / frameRate : 0.0; }
};

// Throws FileError(nameForErrors, ...) when the bytes cannot be demuxed or decoded.
DecodedMedia DecodeMedia(const Bytes& bytes, const std::string& nameForErrors);

}  // namespace kr::audio
