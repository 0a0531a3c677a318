#pragma once
// One audio stream of a file being muxed: encodes a sound frame by frame
// with an FFmpeg encoder and hands the packets to the muxer. Encoders run
// single-threaded with bit-exact flags so the bytes never vary.

#include <string>

#include "audio/ffmpeg_io.hpp"
#include "audio/signal.hpp"

namespace kr::audio {

class AudioStreamEncoder {
public:
    // Adds the stream to `muxer` (before its header is written). The
    // sound's buffers must outlive the encoder; `leadInBlocks` of the
    // encoder's blocks of silence are encoded in front of it.
    AudioStreamEncoder(AVFormatContext* muxer, AVCodecID codec, int bitRate, ChannelView sound,
                       std::string fileName, int leadInBlocks = 0);

    // Encodes and writes every frame that starts before `seconds`.
    void EncodeUntil(double seconds);
    // Encodes the rest (the last frame padded with silence) and drains the encoder.
    void Finish();

private:
    void SendFrame(std::size_t start);
    void Drain();
    std::size_t TotalFrames() const { return leadIn_ + sound_.Frames(); }

    AVFormatContext* muxer_;
    AVStream* stream_ = nullptr;
    CodecContextPtr codec_;
    FramePtr frame_;
    PacketPtr packet_;
    ChannelView sound_;
    std::string fileName_;
    std::size_t leadIn_ = 0;
    std::size_t next_ = 0;
};

}  // namespace kr::audio
