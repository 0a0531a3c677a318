#include "audio/audio_encoder.hpp"

#include <algorithm>

#include "audio/wav.hpp"
#include "engine/error.hpp"

namespace kr::audio {
namespace {

AVSampleFormat ChooseSampleFormat(const AVCodec* codec) {
    if (!codec->sample_fmts) return AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat* f = codec->sample_fmts; *f != AV_SAMPLE_FMT_NONE; ++f) {
        if (*f == AV_SAMPLE_FMT_FLTP || *f == AV_SAMPLE_FMT_FLT || *f == AV_SAMPLE_FMT_S16 ||
            *f == AV_SAMPLE_FMT_S16P) {
            return *f;
        }
    }
    return AV_SAMPLE_FMT_NONE;
}

// Copies frame->nb_samples frames of the sound, from `start` counted in
// front of its lead-in, into the frame's layout: silence outside the sound.
void FillFrame(AVFrame* frame, const ChannelView& sound, std::size_t leadIn, std::size_t start) {
    const auto format = static_cast<AVSampleFormat>(frame->format);
    const int channels = static_cast<int>(sound.channels.size());
    for (int i = 0; i < frame->nb_samples; ++i) {
        const std::size_t at = start + static_cast<std::size_t>(i);
        const bool inside = at >= leadIn && at - leadIn < sound.Frames();
        for (int c = 0; c < channels; ++c) {
            const float value = inside ? (*sound.channels[static_cast<std::size_t>(c)])[at - leadIn] : 0.0f;
            switch (format) {
            case AV_SAMPLE_FMT_FLTP: reinterpret_cast<float*>(frame->data[c])[i] = value; break;
            case AV_SAMPLE_FMT_FLT: reinterpret_cast<float*>(frame->data[0])[i * channels + c] = value; break;
            case AV_SAMPLE_FMT_S16P: reinterpret_cast<std::int16_t*>(frame->data[c])[i] = ToPcm16(value); break;
            default: reinterpret_cast<std::int16_t*>(frame->data[0])[i * channels + c] = ToPcm16(value); break;
            }
        }
    }
}

}  // namespace

AudioStreamEncoder::AudioStreamEncoder(AVFormatContext* muxer, AVCodecID codecId, int bitRate, ChannelView sound,
                                       std::string fileName, int leadInBlocks)
    : muxer_(muxer), sound_(std::move(sound)), fileName_(std::move(fileName)) {
    if (sound_.channels.empty() || sound_.sampleRate <= 0) throw FileError(fileName_, "has no sound to encode");
    for (const Mono* channel : sound_.channels) {
        if (channel->size() != sound_.Frames()) throw FileError(fileName_, "its sound channels differ in length");
    }
    const AVCodec* codec = avcodec_find_encoder(codecId);
    if (!codec) throw FileError(fileName_, std::string("FFmpeg has no encoder for ") + avcodec_get_name(codecId));
    codec_.reset(avcodec_alloc_context3(codec));
    frame_.reset(av_frame_alloc());
    packet_.reset(av_packet_alloc());
    stream_ = avformat_new_stream(muxer, nullptr);
    if (!codec_ || !frame_ || !packet_ || !stream_) throw FileError(fileName_, "out of memory for the audio encoder");

    AVCodecContext* c = codec_.get();
    c->sample_fmt = ChooseSampleFormat(codec);
    if (c->sample_fmt == AV_SAMPLE_FMT_NONE) throw FileError(fileName_, "the audio encoder takes no usable sample format");
    c->sample_rate = sound_.sampleRate;
    av_channel_layout_default(&c->ch_layout, static_cast<int>(sound_.channels.size()));
    c->bit_rate = bitRate;
    c->time_base = AVRational{1, sound_.sampleRate};
    c->flags |= AV_CODEC_FLAG_BITEXACT;
    c->thread_count = 1;
    if (muxer->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    CheckAv(avcodec_open2(c, codec, nullptr), fileName_, "cannot open the audio encoder");
    CheckAv(avcodec_parameters_from_context(stream_->codecpar, c), fileName_, "cannot describe the audio stream");
    stream_->time_base = c->time_base;

    frame_->format = c->sample_fmt;
    frame_->nb_samples = c->frame_size > 0 ? c->frame_size : 1024;
    leadIn_ = static_cast<std::size_t>(leadInBlocks) * static_cast<std::size_t>(frame_->nb_samples);
    frame_->sample_rate = sound_.sampleRate;
    CheckAv(av_channel_layout_copy(&frame_->ch_layout, &c->ch_layout), fileName_, "cannot set the channel layout");
    CheckAv(av_frame_get_buffer(frame_.get(), 0), fileName_, "cannot allocate an audio frame");
}

void AudioStreamEncoder::EncodeUntil(double seconds) {
    const double limit = seconds * sound_.sampleRate;
    while (next_ < TotalFrames() && static_cast<double>(next_) < limit) {
        SendFrame(next_);
        next_ += static_cast<std::size_t>(frame_->nb_samples);
    }
}

void AudioStreamEncoder::Finish() {
    EncodeUntil(static_cast<double>(TotalFrames()) / sound_.sampleRate + 1.0);
    CheckAv(avcodec_send_frame(codec_.get(), nullptr), fileName_, "cannot flush the audio encoder");
    Drain();
}

void AudioStreamEncoder::SendFrame(std::size_t start) {
    CheckAv(av_frame_make_writable(frame_.get()), fileName_, "cannot write an audio frame");
    FillFrame(frame_.get(), sound_, leadIn_, start);
    frame_->pts = static_cast<std::int64_t>(start);
    CheckAv(avcodec_send_frame(codec_.get(), frame_.get()), fileName_, "cannot encode audio");
    Drain();
}

void AudioStreamEncoder::Drain() {
    while (true) {
        const int got = avcodec_receive_packet(codec_.get(), packet_.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
        CheckAv(got, fileName_, "cannot encode audio");
        av_packet_rescale_ts(packet_.get(), codec_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        CheckAv(av_interleaved_write_frame(muxer_, packet_.get()), fileName_, "cannot write audio");
    }
}

}  // namespace kr::audio
