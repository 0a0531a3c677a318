#include "media/media_writer.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/error.hpp"
#include "media/av_support.hpp"

namespace kr::media {

namespace {

struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context->pb) avio_closep(&context->pb);
        avformat_free_context(context);
    }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

[[noreturn]] void Fail(const std::filesystem::path& path, const std::string& what, int status = 0) {
    throw FileError(path.string(), what + (status < 0 ? " (" + av::ErrorText(status) + ")" : ""));
}

void Check(int status, const std::filesystem::path& path, const char* what) {
    if (status < 0) Fail(path, what, status);
}

OutputPtr NewOutput(const std::filesystem::path& path, const char* format) {
    av::QuietLogs();
    AVFormatContext* raw = nullptr;
    Check(avformat_alloc_output_context2(&raw, nullptr, format, path.c_str()), path, "cannot be set up for writing");
    return OutputPtr(raw);
}

// One encoder writing one stream of the output.
struct Track {
    av::CodecPtr codec;
    AVStream* stream = nullptr;
};

Track AddTrack(AVFormatContext* output, AVCodecID id, const std::function<void(AVCodecContext&)>& configure,
               const std::filesystem::path& path) {
    const AVCodec* encoder = avcodec_find_encoder(id);
    if (!encoder) Fail(path, std::string("has no encoder for ") + avcodec_get_name(id));
    Track track;
    track.codec.reset(avcodec_alloc_context3(encoder));
    configure(*track.codec);
    if (output->oformat->flags & AVFMT_GLOBALHEADER) track.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(track.codec.get(), encoder, nullptr), path, "its encoder cannot start");
    track.stream = avformat_new_stream(output, nullptr);
    if (!track.stream) Fail(path, "cannot get a stream");
    Check(avcodec_parameters_from_context(track.stream->codecpar, track.codec.get()), path, "has bad parameters");
    track.stream->time_base = track.codec->time_base;
    const AVCodecContext& codec = *track.codec;
    for (int i = 0; i < codec.nb_coded_side_data; ++i) {  // e.g. the picture buffer size readers expect
        const AVPacketSideData& side = codec.coded_side_data[i];
        std::uint8_t* copy = av_stream_new_side_data(track.stream, side.type, side.size);
        if (copy) std::copy(side.data, side.data + side.size, copy);
    }
    return track;
}

void Open(AVFormatContext* output, const std::filesystem::path& path) {
    Check(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), path, "cannot be created");
    Check(avformat_write_header(output, nullptr), path, "its header cannot be written");
}

// Sends a frame (null: the end) and writes the packets it yields.
void Encode(AVFormatContext* output, Track& track, const AVFrame* frame, const std::filesystem::path& path) {
    Check(avcodec_send_frame(track.codec.get(), frame), path, "cannot be encoded");
    av::PacketPtr packet = av::NewPacket();
    while (avcodec_receive_packet(track.codec.get(), packet.get()) == 0) {
        av_packet_rescale_ts(packet.get(), track.codec->time_base, track.stream->time_base);
        packet->stream_index = track.stream->index;
        Check(av_interleaved_write_frame(output, packet.get()), path, "cannot be written");
    }
}

void ConfigureSound(AVCodecContext& codec, const PcmClip& clip, int bitRate) {
    const AVSampleFormat* formats = codec.codec->sample_fmts;
    codec.sample_fmt = formats ? formats[0] : AV_SAMPLE_FMT_S16;
    codec.sample_rate = clip.sampleRate;
    av_channel_layout_default(&codec.ch_layout, clip.channels);
    codec.bit_rate = bitRate;
    codec.time_base = AVRational{1, clip.sampleRate};
}

float Sample(const PcmClip& clip, std::int64_t frame, int channel) {
    if (frame < 0 || frame >= clip.Frames()) return 0.0f;
    return std::clamp(clip.samples[static_cast<std::size_t>(frame * clip.channels + channel)], -1.0f, 1.0f);
}

// A block of the clip from `first` (frames outside the clip are silence),
// in the encoder's sample format.
av::FramePtr SoundBlock(const AVCodecContext& codec, const PcmClip& clip, std::int64_t first, int count,
                        const std::filesystem::path& path) {
    av::FramePtr frame = av::NewFrame();
    frame->nb_samples = count;
    frame->format = codec.sample_fmt;
    frame->sample_rate = codec.sample_rate;
    Check(av_channel_layout_copy(&frame->ch_layout, &codec.ch_layout), path, "has a bad channel layout");
    Check(av_frame_get_buffer(frame.get(), 0), path, "cannot get sample memory");
    bool planar = av_sample_fmt_is_planar(codec.sample_fmt);
    AVSampleFormat packed = av_get_packed_sample_fmt(codec.sample_fmt);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < clip.channels; ++c) {
            float value = Sample(clip, first + i, c);
            std::size_t index = planar ? static_cast<std::size_t>(i) : static_cast<std::size_t>(i * clip.channels + c);
            std::uint8_t* plane = frame->extended_data[planar ? c : 0];
            if (packed == AV_SAMPLE_FMT_FLT)
                reinterpret_cast<float*>(plane)[index] = value;
            else if (packed == AV_SAMPLE_FMT_S16)
                reinterpret_cast<std::int16_t*>(plane)[index] = static_cast<std::int16_t>(std::lround(value * 32767.0f));
            else
                Fail(path, "needs a sample format the writer does not make");
        }
    }
    frame->pts = first;
    return frame;
}

int BlockSize(const AVCodecContext& codec) { return codec.frame_size > 0 ? codec.frame_size : 1024; }

// The clip's blocks from `first` up to `end` (exclusive), stamped `shift`
// later, then the encoder's end.
void EncodeSound(AVFormatContext* output, Track& track, const PcmClip& clip, std::int64_t first, std::int64_t end,
                 std::int64_t shift, const std::filesystem::path& path) {
    int block = BlockSize(*track.codec);
    for (std::int64_t at = first; at < end; at += block) {
        int count = static_cast<int>(std::min<std::int64_t>(block, end - at));
        if (!(track.codec->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) count = block;
        av::FramePtr frame = SoundBlock(*track.codec, clip, at, count, path);
        frame->pts = at + shift;
        Encode(output, track, frame.get(), path);
    }
    Encode(output, track, nullptr, path);
}

std::int64_t RoundUp(std::int64_t value, int block) { return (value + block - 1) / block * block; }

}  // namespace

PcmClip SineClip(double frequency, double seconds, int sampleRate, int channels, float level) {
    PcmClip clip{sampleRate, channels, {}};
    auto frames = static_cast<std::int64_t>(std::llround(seconds * sampleRate));
    clip.samples.reserve(static_cast<std::size_t>(frames * channels));
    for (std::int64_t i = 0; i < frames; ++i) {
        auto value = static_cast<float>(level * std::sin(2.0 * std::numbers::pi * frequency * i / sampleRate));
        for (int c = 0; c < channels; ++c) clip.samples.push_back(value);
    }
    return clip;
}

void WriteSoundFile(const std::filesystem::path& path, const PcmClip& clip, SoundFileKind kind) {
    if (clip.channels < 1 || clip.sampleRate < 1) Fail(path, "needs at least one channel and a sample rate");
    bool wma = kind == SoundFileKind::Wma;
    OutputPtr output = NewOutput(path, wma ? "asf" : "wav");
    Track track = AddTrack(
        output.get(), wma ? AV_CODEC_ID_WMAV2 : AV_CODEC_ID_PCM_S16LE,
        [&](AVCodecContext& codec) { ConfigureSound(codec, clip, 128000); }, path);
    Open(output.get(), path);
    int block = BlockSize(*track.codec);
    std::int64_t lead = wma ? block : 0;  // WMA's first block never comes back out of the decoder
    EncodeSound(output.get(), track, clip, -lead, wma ? RoundUp(clip.Frames(), block) : clip.Frames(), lead, path);
    Check(av_write_trailer(output.get()), path, "its end cannot be written");
}

namespace {

av::FramePtr PictureFrame(const VideoClip& clip, int index, SwsContext* scaler, const std::filesystem::path& path) {
    image::Image rgba = clip.picture(index);
    if (rgba.width != clip.width || rgba.height != clip.height) Fail(path, "was given a picture of the wrong size");
    av::FramePtr frame = av::NewFrame();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = clip.width;
    frame->height = clip.height;
    Check(av_frame_get_buffer(frame.get(), 0), path, "cannot get picture memory");
    const std::uint8_t* planes[1] = {rgba.rgba.data()};
    int strides[1] = {clip.width * 4};
    sws_scale(scaler, planes, strides, 0, clip.height, frame->data, frame->linesize);
    frame->pts = index;
    return frame;
}

}  // namespace

void WriteMpegVideo(const std::filesystem::path& path, const VideoClip& clip) {
    if (clip.width <= 0 || clip.height <= 0 || clip.width % 2 || clip.height % 2 || clip.framesPerSecond <= 0 ||
        !clip.picture)
        Fail(path, "needs an even picture size, a frame rate and pictures");
    OutputPtr output = NewOutput(path, "mpeg");
    Track video = AddTrack(
        output.get(), AV_CODEC_ID_MPEG1VIDEO,
        [&](AVCodecContext& codec) {
            codec.width = clip.width;
            codec.height = clip.height;
            codec.pix_fmt = AV_PIX_FMT_YUV420P;
            codec.time_base = AVRational{1, clip.framesPerSecond};
            codec.framerate = AVRational{clip.framesPerSecond, 1};
            codec.gop_size = 12;
            codec.bit_rate = 2'000'000;
            codec.rc_max_rate = codec.bit_rate;  // a bounded rate gives the program stream its buffer sizes
            codec.rc_buffer_size = 1'835'008;
        },
        path);
    bool withSound = clip.sound.Frames() > 0;
    Track sound;
    if (withSound)
        sound = AddTrack(
            output.get(), AV_CODEC_ID_MP2, [&](AVCodecContext& codec) { ConfigureSound(codec, clip.sound, 192000); },
            path);
    Open(output.get(), path);
    av::ScalerPtr scaler(sws_getContext(clip.width, clip.height, AV_PIX_FMT_RGBA, clip.width, clip.height,
                                        AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!scaler) Fail(path, "cannot convert its pictures");
    // Pictures and sound blocks go in in time order, so the muxer can interleave.
    int soundBlock = withSound ? BlockSize(*sound.codec) : 0;
    std::int64_t soundAt = 0;
    for (int index = 0; index < clip.frameCount; ++index) {
        double pictureTime = static_cast<double>(index) / clip.framesPerSecond;
        while (withSound && soundAt < clip.sound.Frames() &&
               static_cast<double>(soundAt) / clip.sound.sampleRate <= pictureTime) {
            av::FramePtr block = SoundBlock(*sound.codec, clip.sound, soundAt, soundBlock, path);
            Encode(output.get(), sound, block.get(), path);
            soundAt += soundBlock;
        }
        av::FramePtr picture = PictureFrame(clip, index, scaler.get(), path);
        Encode(output.get(), video, picture.get(), path);
    }
    Encode(output.get(), video, nullptr, path);
    if (withSound) EncodeSound(output.get(), sound, clip.sound, soundAt, clip.sound.Frames(), 0, path);
    Check(av_write_trailer(output.get()), path, "its end cannot be written");
}

}  // namespace kr::media
