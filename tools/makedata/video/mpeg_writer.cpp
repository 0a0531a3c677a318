#include "video/mpeg_writer.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <future>
#include <optional>

#include "audio/audio_encoder.hpp"
#include "audio/ffmpeg_io.hpp"
#include "engine/error.hpp"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace kr::video {
namespace {

using audio::CheckAv;

struct MuxerDeleter {
    void operator()(AVFormatContext* muxer) const { avformat_free_context(muxer); }
};

std::uint8_t ToByte(float v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

// Display RGB (0..1) to studio-range BT.601 Y'CbCr 4:2:0, ordered-dithered
// so that the dark gradients do not band.
void FillYuv(const Frame& rgb, AVFrame* yuv) {
    static constexpr float kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < rgb.height; ++y) {
        for (int x = 0; x < rgb.width; ++x) {
            const Rgb& c = rgb.At(x, y);
            const float r = std::clamp(c.r, 0.0f, 1.0f), g = std::clamp(c.g, 0.0f, 1.0f), b = std::clamp(c.b, 0.0f, 1.0f);
            const float luma = 16.0f + 65.481f * r + 128.553f * g + 24.966f * b;
            yuv->data[0][y * yuv->linesize[0] + x] = ToByte(luma + kBayer[y & 3][x & 3] / 16.0f - 0.5f);
        }
    }
    for (int y = 0; y < rgb.height / 2; ++y) {
        for (int x = 0; x < rgb.width / 2; ++x) {
            Rgb sum;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) sum = sum + rgb.At(2 * x + dx, 2 * y + dy);
            const float r = std::clamp(sum.r / 4, 0.0f, 1.0f), g = std::clamp(sum.g / 4, 0.0f, 1.0f),
                        b = std::clamp(sum.b / 4, 0.0f, 1.0f);
            yuv->data[1][y * yuv->linesize[1] + x] = ToByte(128.0f - 37.797f * r - 74.203f * g + 112.0f * b);
            yuv->data[2][y * yuv->linesize[2] + x] = ToByte(128.0f + 112.0f * r - 93.786f * g - 18.214f * b);
        }
    }
}

class VideoStream {
public:
    VideoStream(AVFormatContext* muxer, const VideoFormat& format, const std::string& name) : muxer_(muxer), name_(name) {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MPEG1VIDEO);
        if (!codec) throw FileError(name, "FFmpeg has no MPEG-1 video encoder");
        codec_.reset(avcodec_alloc_context3(codec));
        frame_.reset(av_frame_alloc());
        packet_.reset(av_packet_alloc());
        stream_ = avformat_new_stream(muxer, nullptr);
        if (!codec_ || !frame_ || !packet_ || !stream_) throw FileError(name, "out of memory for the video encoder");
        AVCodecContext* c = codec_.get();
        c->width = format.width;
        c->height = format.height;
        c->pix_fmt = AV_PIX_FMT_YUV420P;
        c->time_base = AVRational{1, format.framesPerSecond};
        c->framerate = AVRational{format.framesPerSecond, 1};
        c->bit_rate = format.videoBitRate;
        c->rc_max_rate = format.videoBitRate * 2;
        c->rc_buffer_size = 224 * 1024 * 8;
        c->gop_size = 12;
        c->max_b_frames = 2;
        c->flags |= AV_CODEC_FLAG_BITEXACT;
        c->thread_count = 1;
        CheckAv(avcodec_open2(c, codec, nullptr), name, "cannot open the MPEG-1 encoder");
        CheckAv(avcodec_parameters_from_context(stream_->codecpar, c), name, "cannot describe the video stream");
        stream_->time_base = c->time_base;
        // The buffer sizes the muxer needs travel as side data.
        for (int i = 0; i < c->nb_coded_side_data; ++i) {
            const AVPacketSideData& side = c->coded_side_data[i];
            std::uint8_t* copy = av_stream_new_side_data(stream_, side.type, side.size);
            if (!copy) throw FileError(name, "out of memory for stream side data");
            std::memcpy(copy, side.data, side.size);
        }
        frame_->format = c->pix_fmt;
        frame_->width = c->width;
        frame_->height = c->height;
        CheckAv(av_frame_get_buffer(frame_.get(), 0), name, "cannot allocate a video frame");
    }

    void Send(const Frame& rgb, int index) {
        CheckAv(av_frame_make_writable(frame_.get()), name_, "cannot write a video frame");
        FillYuv(rgb, frame_.get());
        frame_->pts = index;
        CheckAv(avcodec_send_frame(codec_.get(), frame_.get()), name_, "cannot encode video");
        Drain();
    }

    void Finish() {
        CheckAv(avcodec_send_frame(codec_.get(), nullptr), name_, "cannot flush the video encoder");
        Drain();
    }

private:
    void Drain() {
        while (true) {
            const int got = avcodec_receive_packet(codec_.get(), packet_.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
            CheckAv(got, name_, "cannot encode video");
            av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            CheckAv(av_interleaved_write_frame(muxer_, packet_.get()), name_, "cannot write video");
        }
    }

    AVFormatContext* muxer_;
    std::string name_;
    AVStream* stream_ = nullptr;
    audio::CodecContextPtr codec_;
    audio::FramePtr frame_;
    audio::PacketPtr packet_;
};

}  // namespace

Bytes EncodeMpeg(const VideoFormat& format, const std::function<Frame(int index)>& render,
                 const audio::Stereo& soundtrack, const std::string& name) {
    AVFormatContext* raw = nullptr;
    CheckAv(avformat_alloc_output_context2(&raw, nullptr, "mpeg", nullptr), name, "cannot set up the MPEG muxer");
    std::unique_ptr<AVFormatContext, MuxerDeleter> muxer(raw);
    muxer->flags |= AVFMT_FLAG_BITEXACT;
    audio::MemoryOutput output;
    muxer->pb = output.Context();

    VideoStream video(muxer.get(), format, name);
    std::optional<audio::AudioStreamEncoder> sound;
    if (soundtrack.Frames() > 0)
        sound.emplace(muxer.get(), AV_CODEC_ID_MP2, format.audioBitRate, audio::ViewOf(soundtrack), name);
    CheckAv(avformat_write_header(muxer.get(), nullptr), name, "cannot write the MPEG header");
    // The next frame is drawn on a second thread while this one is encoded.
    std::future<Frame> next;
    if (format.frameCount > 0) next = std::async(std::launch::async, render, 0);
    for (int i = 0; i < format.frameCount; ++i) {
        const Frame frame = next.get();
        if (i + 1 < format.frameCount) next = std::async(std::launch::async, render, i + 1);
        video.Send(frame, i);
        if (sound) sound->EncodeUntil(static_cast<double>(i + 1) / format.framesPerSecond);
    }
    video.Finish();
    if (sound) sound->Finish();
    CheckAv(av_write_trailer(muxer.get()), name, "cannot finish the MPEG file");
    return output.Take();
}

}  // namespace kr::video
