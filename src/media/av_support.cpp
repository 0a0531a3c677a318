#include "media/av_support.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <mutex>

#include "engine/error.hpp"
#include "media/audio_format.hpp"

namespace kr::media::av {

void InputCloser::operator()(AVFormatContext* context) const { avformat_close_input(&context); }
void CodecCloser::operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
void FrameFreer::operator()(AVFrame* frame) const { av_frame_free(&frame); }
void PacketFreer::operator()(AVPacket* packet) const { av_packet_free(&packet); }
void ResamplerFreer::operator()(SwrContext* context) const { swr_free(&context); }
void ScalerFreer::operator()(SwsContext* context) const { sws_freeContext(context); }

FramePtr NewFrame() {
    FramePtr frame(av_frame_alloc());
    if (!frame) throw Error("out of memory for a media frame");
    return frame;
}

PacketPtr NewPacket() {
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw Error("out of memory for a media packet");
    return packet;
}

double Seconds(std::int64_t timestamp, const AVRational& base) {
    return static_cast<double>(timestamp) * av_q2d(base);
}

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void QuietLogs() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

InputPtr OpenInput(const std::filesystem::path& path, const std::string& name, const char* formats) {
    QuietLogs();
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", formats, 0);
    AVFormatContext* raw = nullptr;
    int status = avformat_open_input(&raw, path.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (status < 0) {
        if (status == AVERROR_INVALIDDATA) throw FileError(name, "not a readable media file of a known kind");
        throw FileError(name, "cannot be opened (" + ErrorText(status) + ")");
    }
    InputPtr input(raw);
    status = avformat_find_stream_info(input.get(), nullptr);
    if (status < 0) throw FileError(name, "its streams cannot be read (" + ErrorText(status) + ")");
    return input;
}

CodecPtr OpenDecoder(AVFormatContext* input, int index, const std::string& name) {
    const AVCodecParameters* parameters = input->streams[index]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(parameters->codec_id);
    if (!codec) throw FileError(name, std::string("no decoder for ") + avcodec_get_name(parameters->codec_id));
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context) throw Error("out of memory for a media decoder");
    if (avcodec_parameters_to_context(context.get(), parameters) < 0)
        throw FileError(name, "its stream parameters are invalid");
    context->pkt_timebase = input->streams[index]->time_base;
    int status = avcodec_open2(context.get(), codec, nullptr);
    if (status < 0) throw FileError(name, "its decoder cannot start (" + ErrorText(status) + ")");
    return context;
}

ResamplerPtr NewMixResampler(const AVFrame& frame) {
    AVChannelLayout in{};
    if (frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame.ch_layout.nb_channels == 0)
        av_channel_layout_default(&in, std::max(1, frame.ch_layout.nb_channels));
    else if (av_channel_layout_copy(&in, &frame.ch_layout) < 0)
        return nullptr;
    bool mono = in.nb_channels == 1;
    if (mono) {  // FFmpeg's own matrix would lower a centred mono channel by 3 dB
        av_channel_layout_uninit(&in);
        in = AV_CHANNEL_LAYOUT_MONO;
    }
    AVChannelLayout out = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* raw = nullptr;
    int status = swr_alloc_set_opts2(&raw, &out, AV_SAMPLE_FMT_FLT, kMixRate, &in,
                                     static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    ResamplerPtr resampler(raw);
    if (status < 0 || !raw) return nullptr;
    if (mono) {
        const double bothSides[2] = {1.0, 1.0};
        if (swr_set_matrix(raw, bothSides, 1) < 0) return nullptr;
    }
    if (swr_init(raw) < 0) return nullptr;
    return resampler;
}

int ResampleAppend(SwrContext* resampler, const AVFrame* frame, std::vector<float>& out) {
    const std::uint8_t** input = frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr;
    int inputFrames = frame ? frame->nb_samples : 0;
    int room = swr_get_out_samples(resampler, inputFrames);
    if (room <= 0) return 0;
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(room) * 2);
    std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(out.data() + at)};
    int made = std::max(0, swr_convert(resampler, planes, room, input, inputFrames));
    out.resize(at + static_cast<std::size_t>(made) * 2);
    return made;
}

}  // namespace kr::media::av
