#pragma once
// MPEG-1 video with MP2 audio in an MPEG program stream, encoded with
// FFmpeg single-threaded and bit-exact, so the same frames give the same
// bytes on every run.

#include <functional>
#include <string>

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"
#include "video/raster.hpp"

namespace kr::video {

struct VideoFormat {
    int width = 640;
    int height = 480;
    int framesPerSecond = 25;
    int frameCount = 250;
    int videoBitRate = 4'000'000;
    int audioBitRate = 192'000;
};

// Calls `render(index)` once for each frame, one frame ahead on a second
// thread (so it must be safe to call while the previous frame is being
// encoded); `soundtrack` (44.1 kHz stereo) plays from the first frame, and
// an empty one leaves the file without sound. Throws FileError(nameForErrors, ...).
Bytes EncodeMpeg(const VideoFormat& format, const std::function<Frame(int index)>& render,
                 const audio::Stereo& soundtrack, const std::string& nameForErrors);

}  // namespace kr::video
