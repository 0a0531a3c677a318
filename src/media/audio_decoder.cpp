#include "media/audio_decoder.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstring>

#include "engine/error.hpp"
#include "media/audio_format.hpp"
#include "media/av_support.hpp"
#include "media/declared_size.hpp"

namespace kr::media {

namespace {
constexpr const char* kSoundFormats = "wav,asf,mp3,ogg,flac";
}  // namespace

// One open file: demuxer, decoder, resampler and the converted frames not
// yet handed out.
struct AudioDecoder::State {
    av::InputPtr input;
    int stream = -1;
    av::CodecPtr codec;
    av::ResamplerPtr resampler;
    av::PacketPtr packet = av::NewPacket();
    av::FramePtr frame = av::NewFrame();
    int sourceRate = 0;
    int sourceFormat = -1;
    int sourceChannels = 0;
    std::vector<float> converted;  // mix-format frames waiting to be read
    std::size_t convertedStart = 0;
    bool flushing = false;
    bool finished = false;
};

namespace {

void TakeFrame(AudioDecoder::State& s, const std::string& name) {
    const AVFrame& frame = *s.frame;
    if (frame.sample_rate <= 0) throw FileError(name, "has an invalid sample rate");
    if (!s.resampler) {
        s.resampler = av::NewMixResampler(frame);
        if (!s.resampler)
            throw FileError(name, "its sound format cannot be converted (" + std::to_string(frame.sample_rate) +
                                      " Hz, " + std::to_string(frame.ch_layout.nb_channels) + " channels)");
        s.sourceRate = frame.sample_rate;
        s.sourceFormat = frame.format;
        s.sourceChannels = frame.ch_layout.nb_channels;
    } else if (frame.sample_rate != s.sourceRate || frame.format != s.sourceFormat ||
               frame.ch_layout.nb_channels != s.sourceChannels) {
        throw FileError(name, "changes its sound format partway through");
    }
    av::ResampleAppend(s.resampler.get(), &frame, s.converted);
    av_frame_unref(s.frame.get());
}

// Feeds the decoder one packet of our stream, or starts its drain at the end.
void FeedDecoder(AudioDecoder::State& s, const std::string& name) {
    int status = av_read_frame(s.input.get(), s.packet.get());
    if (status == AVERROR_EOF) {
        avcodec_send_packet(s.codec.get(), nullptr);
        s.flushing = true;
        return;
    }
    if (status < 0) throw FileError(name, "cannot be read to its end (" + av::ErrorText(status) + ")");
    if (s.packet->stream_index == s.stream) {
        status = avcodec_send_packet(s.codec.get(), s.packet.get());
        if (status < 0 && status != AVERROR(EAGAIN)) {
            av_packet_unref(s.packet.get());
            throw FileError(name, "has corrupt sound data (" + av::ErrorText(status) + ")");
        }
    }
    av_packet_unref(s.packet.get());
}

// Decodes until some frames are converted or the sound has ended.
void DecodeMore(AudioDecoder::State& s, const std::string& name) {
    int status = avcodec_receive_frame(s.codec.get(), s.frame.get());
    if (status == 0) {
        TakeFrame(s, name);
    } else if (status == AVERROR(EAGAIN)) {
        if (s.flushing) throw FileError(name, "its decoder stalled at the end");
        FeedDecoder(s, name);
    } else if (status == AVERROR_EOF) {
        if (s.resampler) av::ResampleAppend(s.resampler.get(), nullptr, s.converted);
        s.finished = true;
    } else {
        throw FileError(name, "has corrupt sound data (" + av::ErrorText(status) + ")");
    }
}

std::unique_ptr<AudioDecoder::State> Open(const std::filesystem::path& path, const std::string& name) {
    CheckNotTruncated(path, name);
    auto s = std::make_unique<AudioDecoder::State>();
    s->input = av::OpenInput(path, name, kSoundFormats);
    s->stream = av_find_best_stream(s->input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (s->stream < 0) throw FileError(name, "has no sound stream");
    s->codec = av::OpenDecoder(s->input.get(), s->stream, name);
    return s;
}

}  // namespace

AudioDecoder::AudioDecoder(std::filesystem::path path, std::string name)
    : path_(std::move(path)), name_(std::move(name)), state_(Open(path_, name_)) {}

AudioDecoder::~AudioDecoder() = default;

int AudioDecoder::Read(float* out, int frames) {
    State& s = *state_;
    if (s.convertedStart > 0) {  // drop what earlier reads took, so the buffer stays small
        s.converted.erase(s.converted.begin(), s.converted.begin() + static_cast<std::ptrdiff_t>(s.convertedStart));
        s.convertedStart = 0;
    }
    auto ready = [&] { return (s.converted.size() - s.convertedStart) / 2; };
    while (ready() < static_cast<std::size_t>(frames) && !s.finished) DecodeMore(s, name_);
    int count = static_cast<int>(std::min<std::size_t>(ready(), static_cast<std::size_t>(frames)));
    std::memcpy(out, s.converted.data() + s.convertedStart, static_cast<std::size_t>(count) * 2 * sizeof(float));
    s.convertedStart += static_cast<std::size_t>(count) * 2;
    return count;
}

void AudioDecoder::Rewind() { state_ = Open(path_, name_); }

DecodedSound DecodeSoundFile(const std::filesystem::path& path, const std::string& name) {
    AudioDecoder decoder(path, name);
    DecodedSound sound;
    constexpr int kChunk = 4096;
    for (;;) {
        std::size_t at = sound.samples.size();
        sound.samples.resize(at + kChunk * 2);
        int got = decoder.Read(sound.samples.data() + at, kChunk);
        sound.samples.resize(at + static_cast<std::size_t>(got) * 2);
        if (got == 0) break;
    }
    sound.samples.shrink_to_fit();
    return sound;
}

std::int64_t MeasureSoundFile(const std::filesystem::path& path, const std::string& name) {
    AudioDecoder decoder(path, name);
    constexpr int kChunk = 8192;
    std::vector<float> scratch(kChunk * 2);
    std::int64_t frames = 0;
    while (int got = decoder.Read(scratch.data(), kChunk)) frames += got;
    return frames;
}

}  // namespace kr::media
