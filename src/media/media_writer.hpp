#pragma once
// Writes sound files and videos with FFmpeg's encoders: what the content
// generator and the tests use to make media the game can read. WAV holds
// 16-bit PCM; WMA is wmav2 in ASF; the video is an MPEG-1 program stream
// with MPEG-1 pictures and MP2 sound.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "engine/image/image.hpp"

namespace kr::media {

// Sound as samples in -1..1, interleaved when there are several channels.
struct PcmClip {
    int sampleRate = 44100;
    int channels = 1;
    std::vector<float> samples;
    std::int64_t Frames() const { return channels > 0 ? static_cast<std::int64_t>(samples.size()) / channels : 0; }
};

// A sine tone at `level` (peak), the same on every channel.
PcmClip SineClip(double frequency, double seconds, int sampleRate, int channels, float level);

enum class SoundFileKind { Wav, Wma };

// WMA encoding loses the encoder's first block and rounds the end up to whole
// blocks: the writer adds a block of silence in front and pads the end, so
// the decoded sound starts with the clip's first sample and its length is
// the clip's rounded up to the block size (2048 frames at 44.1 kHz).
void WriteSoundFile(const std::filesystem::path& path, const PcmClip& clip, SoundFileKind kind);

struct VideoClip {
    int width = 160;   // even sizes
    int height = 120;
    int framesPerSecond = 25;
    int frameCount = 25;
    std::function<image::Image(int frame)> picture;  // RGBA, width x height
    PcmClip sound;     // no samples: a video without sound; MP2 needs 32, 44.1 or 48 kHz (or half those)
};

void WriteMpegVideo(const std::filesystem::path& path, const VideoClip& clip);

}  // namespace kr::media
