#include "audio/media_decoder.hpp"

#include "audio/ffmpeg_io.hpp"
#include "engine/error.hpp"

namespace kr::audio {
namespace {

struct InputDeleter {
    void operator()(AVFormatContext* input) const { avformat_close_input(&input); }
};
using InputPtr = std::unique_ptr<AVFormatContext, InputDeleter>;

float ReadSample(const AVFrame* frame, int channel, int index) {
    const int channels = frame->ch_layout.nb_channels;
    switch (static_cast<AVSampleFormat>(frame->format)) {
    case AV_SAMPLE_FMT_FLTP: return reinterpret_cast<const float*>(frame->data[channel])[index];
    case AV_SAMPLE_FMT_FLT: return reinterpret_cast<const float*>(frame->data[0])[index * channels + channel];
    case AV_SAMPLE_FMT_S16P: return reinterpret_cast<const std::int16_t*>(frame->data[channel])[index] / 32768.0f;
    case AV_SAMPLE_FMT_S16:
        return reinterpret_cast<const std::int16_t*>(frame->data[0])[index * channels + channel] / 32768.0f;
    case AV_SAMPLE_FMT_S32P:
        return static_cast<float>(reinterpret_cast<const std::int32_t*>(frame->data[channel])[index] / 2147483648.0);
    case AV_SAMPLE_FMT_S32:
        return static_cast<float>(
            reinterpret_cast<const std::int32_t*>(frame->data[0])[index * channels + channel] / 2147483648.0);
    default: return 0.0f;
    }
}

void AppendAudio(const AVFrame* frame, DecodedMedia& media, const std::string& name) {
    const auto format = static_cast<AVSampleFormat>(frame->format);
    if (format != AV_SAMPLE_FMT_FLTP && format != AV_SAMPLE_FMT_FLT && format != AV_SAMPLE_FMT_S16P &&
        format != AV_SAMPLE_FMT_S16 && format != AV_SAMPLE_FMT_S32P && format != AV_SAMPLE_FMT_S32) {
        throw FileError(name, std::string("unsupported decoded sample format ") + av_get_sample_fmt_name(format));
    }
    const int right = frame->ch_layout.nb_channels > 1 ? 1 : 0;
    for (int i = 0; i < frame->nb_samples; ++i) {
        media.audio.left.push_back(ReadSample(frame, 0, i));
        media.audio.right.push_back(ReadSample(frame, right, i));
    }
}

CodecContextPtr OpenDecoder(const AVStream* stream, const std::string& name) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) throw FileError(name, std::string("no decoder for ") + avcodec_get_name(stream->codecpar->codec_id));
    CodecContextPtr context(avcodec_alloc_context3(codec));
    if (!context) throw FileError(name, "out of memory for a decoder");
    CheckAv(avcodec_parameters_to_context(context.get(), stream->codecpar), name, "bad stream parameters");
    context->thread_count = 1;
    CheckAv(avcodec_open2(context.get(), codec, nullptr), name, "cannot open the decoder");
    return context;
}

class StreamDecoder {
public:
    StreamDecoder(const AVStream* stream, const std::string& name)
        : context_(OpenDecoder(stream, name)), frame_(av_frame_alloc()), name_(name) {
        if (!frame_) throw FileError(name, "out of memory for a frame");
    }
    // Sends a packet (null flushes) and passes each decoded frame on.
    template <class OnFrame>
    void Decode(const AVPacket* packet, OnFrame onFrame) {
        CheckAv(avcodec_send_packet(context_.get(), packet), name_, "cannot decode");
        while (true) {
            const int got = avcodec_receive_frame(context_.get(), frame_.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
            CheckAv(got, name_, "cannot decode");
            onFrame(frame_.get());
        }
    }
    AVCodecContext* Context() { return context_.get(); }

private:
    CodecContextPtr context_;
    FramePtr frame_;
    std::string name_;
};

}  // namespace

DecodedMedia DecodeMedia(const Bytes& bytes, const std::string& name) {
    MemoryInput input(bytes);
    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) throw FileError(name, "out of memory for a demuxer");
    raw->pb = input.Context();
    CheckAv(avformat_open_input(&raw, nullptr, nullptr, nullptr), name, "not a readable media file");
    InputPtr format(raw);
    CheckAv(avformat_find_stream_info(format.get(), nullptr), name, "no stream information");

    DecodedMedia media;
    media.containerName = format->iformat->name;
    const int audioIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const int videoIndex = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    std::unique_ptr<StreamDecoder> audio, video;
    if (audioIndex >= 0) {
        audio = std::make_unique<StreamDecoder>(format->streams[audioIndex], name);
        media.audioCodec = avcodec_get_name(format->streams[audioIndex]->codecpar->codec_id);
        media.sampleRate = audio->Context()->sample_rate;
        media.channels = audio->Context()->ch_layout.nb_channels;
    }
    if (videoIndex >= 0) {
        const AVStream* stream = format->streams[videoIndex];
        video = std::make_unique<StreamDecoder>(stream, name);
        media.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
        media.width = stream->codecpar->width;
        media.height = stream->codecpar->height;
        media.frameRate = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);
    }
    if (!audio && !video) throw FileError(name, "holds neither audio nor video");

    auto onAudio = [&](const AVFrame* frame) { AppendAudio(frame, media, name); };
    auto onVideo = [&](const AVFrame*) { ++media.videoFrames; };
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw FileError(name, "out of memory for a packet");
    while (true) {
        const int read = av_read_frame(format.get(), packet.get());
        if (read == AVERROR_EOF) break;
        CheckAv(read, name, "cannot read");
        if (audio && packet->stream_index == audioIndex) audio->Decode(packet.get(), onAudio);
        if (video && packet->stream_index == videoIndex) video->Decode(packet.get(), onVideo);
        av_packet_unref(packet.get());
    }
    if (audio) audio->Decode(nullptr, onAudio);
    if (video) video->Decode(nullptr, onVideo);
    return media;
}

}  // namespace kr::audio
