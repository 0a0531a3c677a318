#pragma once
// Small media made on the spot for the media tests: tones as WAV or WMA and
// short MPEG program streams whose pictures tell their own frame number.

#include <cmath>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "media/audio_format.hpp"
#include "media/media_writer.hpp"
#include "support/temp_game_folder.hpp"

namespace kr::test {

struct Tone {
    double seconds = 0.3;
    int rate = 44100;
    int channels = 1;
    double frequency = 440;
    float level = 0.5f;
};

inline std::filesystem::path WriteTone(const TempGameFolder& temp, std::string_view relative,
                                       media::SoundFileKind kind, const Tone& tone = {}) {
    std::filesystem::path path = temp.Path(relative);
    std::filesystem::create_directories(path.parent_path());
    media::WriteSoundFile(path, media::SineClip(tone.frequency, tone.seconds, tone.rate, tone.channels, tone.level),
                          kind);
    return path;
}

// Frame k of a test video is grey with level 8 + 5k (up to 50 frames), so a
// decoded picture says which frame it is.
inline int GreyOfFrame(int frame) { return 8 + 5 * frame; }
inline int FrameOfGrey(int grey) { return static_cast<int>(std::lround((grey - 8) / 5.0)); }

struct TestVideo {
    int width = 160;
    int height = 90;
    int frames = 25;
    int fps = 25;
    bool sound = true;
};

inline std::filesystem::path WriteVideo(const TempGameFolder& temp, std::string_view relative,
                                        const TestVideo& video = {}) {
    std::filesystem::path path = temp.Path(relative);
    std::filesystem::create_directories(path.parent_path());
    media::VideoClip clip;
    clip.width = video.width;
    clip.height = video.height;
    clip.framesPerSecond = video.fps;
    clip.frameCount = video.frames;
    clip.picture = [&](int frame) {
        image::Image picture(video.width, video.height);
        auto grey = static_cast<std::uint8_t>(GreyOfFrame(frame));
        for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
            picture.rgba[i] = picture.rgba[i + 1] = picture.rgba[i + 2] = grey;
            picture.rgba[i + 3] = 255;
        }
        return picture;
    };
    if (video.sound) clip.sound = media::SineClip(440, static_cast<double>(video.frames) / video.fps, 44100, 2, 0.5f);
    media::WriteMpegVideo(path, clip);
    return path;
}

// Which frame a decoded test picture shows (its centre's grey).
inline int FrameShown(const image::Image& picture) {
    return FrameOfGrey(picture.Pixel(picture.width / 2, picture.height / 2)[1]);
}

// Root mean square of one channel of interleaved stereo over [from, to).
inline double Rms(const std::vector<float>& stereo, int channel, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += double(stereo[i * 2 + channel]) * stereo[i * 2 + channel];
    return to > from ? std::sqrt(sum / double(to - from)) : 0.0;
}

inline double Peak(const std::vector<float>& stereo, int channel) {
    double peak = 0;
    for (std::size_t i = channel; i < stereo.size(); i += 2) peak = std::max(peak, double(std::fabs(stereo[i])));
    return peak;
}

}  // namespace kr::test
