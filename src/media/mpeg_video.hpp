#pragma once
// The intro video: an MPEG program stream with MPEG-1 pictures and MP2
// sound. Pictures are decoded on the caller's thread as the position
// reaches them; the sound goes to the audio output, whose playback is the
// video's clock (the mixer's position when heard, the engine clock when
// not), so picture and sound stay together.

#include <filesystem>
#include <memory>
#include <string>

#include "media/playback.hpp"
#include "media/video_player.hpp"

namespace kr::media {

// Opens the video and starts it. Throws FileError naming `name` when the
// file is missing or not a playable video.
std::unique_ptr<VideoPlayer> OpenMpegVideo(const std::filesystem::path& path, const std::string& name,
                                           std::shared_ptr<AudioOutput> output);

}  // namespace kr::media
