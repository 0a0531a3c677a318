#pragma once
// Small media made on the spot for the media tests, with the content
// generator's writers: tones as WAV or WMA at any rate and channel count,
// and short MPEG program streams whose pictures tell their own frame number.

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <string_view>
#include <vector>

#include "audio/wav.hpp"
#include "audio/wma.hpp"
#include "media/audio_format.hpp"
#include "support/temp_game_folder.hpp"
#include "video/mpeg_writer.hpp"

namespace kr::test {

enum class SoundKind { Wav, Wma };

struct Tone {
    double seconds = 0.3;
    int rate = 44100;
    int channels = 1;
    double frequency = 440;
    float level = 0.5f;
};

// The same sine, peak `level`, on every channel.
inline std::vector<audio::Mono> ToneChannels(const Tone& tone) {
    audio::Mono sine(static_cast<std::size_t>(std::llround(tone.seconds * tone.rate)));
    const double step = 2.0 * std::numbers::pi * tone.frequency / tone.rate;
    for (std::size_t i = 0; i < sine.size(); ++i) sine[i] = tone.level * static_cast<float>(std::sin(step * double(i)));
    return std::vector<audio::Mono>(static_cast<std::size_t>(tone.channels), sine);
}

// WMA decodes to the tone from its first sample, its length rounded up to
// the codec's whole blocks.
inline std::filesystem::path WriteTone(const TempGameFolder& temp, std::string_view relative, SoundKind kind,
                                       const Tone& tone = {}) {
    const std::vector<audio::Mono> channels = ToneChannels(tone);
    audio::ChannelView view{{}, tone.rate};
    for (const audio::Mono& channel : channels) view.channels.push_back(&channel);
    const std::string name(relative);
    temp.Write(relative, kind == SoundKind::Wav ? audio::EncodeWav(view) : audio::EncodeWma(view, 128000, name));
    return temp.Path(relative);
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

// The pictures are MPEG-1 with B-frames, as in the game's intro; the sound,
// when there is one, a 440 Hz sine of peak 0.5 on both sides.
inline std::filesystem::path WriteVideo(const TempGameFolder& temp, std::string_view relative,
                                        const TestVideo& video = {}) {
    video::VideoFormat format;
    format.width = video.width;
    format.height = video.height;
    format.framesPerSecond = video.fps;
    format.frameCount = video.frames;
    format.videoBitRate = 1'000'000;
    auto picture = [&](int index) {
        video::Frame frame(video.width, video.height);
        const float grey = static_cast<float>(GreyOfFrame(index)) / 255.0f;
        for (video::Rgb& pixel : frame.pixels) pixel = {grey, grey, grey};
        return frame;
    };
    audio::Stereo sound;
    if (video.sound) {
        std::vector<audio::Mono> sine = ToneChannels({double(video.frames) / video.fps, 44100, 1, 440, 0.5f});
        sound.left = sound.right = sine.front();
    }
    temp.Write(relative, video::EncodeMpeg(format, picture, sound, std::string(relative)));
    return temp.Path(relative);
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
