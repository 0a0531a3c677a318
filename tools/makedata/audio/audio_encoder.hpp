#pragma once
// One audio stream of a file being muxed: encodes a stereo signal frame by
// frame with an FFmpeg encoder and hands the packets to the muxer. Encoders
// run single-threaded with bit-exact flags so the bytes never vary.

#include <string>

#include "audio/ffmpeg_io.hpp"
#include "audio/signal.hpp"

namespace kr::audio {

class AudioStreamEncoder {
public:
    // Adds the stream to `muxer` (before its header is written). The
    // signal must outlive the encoder.
    AudioStreamEncoder(AVFormatContext* muxer, AVCodecID codec, int bitRate, const Stereo& signal,
                       std::string fileName);

    // Encodes and writes every frame that starts before `seconds`.
    void EncodeUntil(double seconds);
    // Encodes the rest (the last frame padded with silence) and drains the encoder.
    void Finish();

    int FrameSize() const { return codec_->frame_size; }

private:
    void SendFrame(std::size_t start);
    void Drain();

    AVFormatContext* muxer_;
    AVStream* stream_ = nullptr;
    CodecContextPtr codec_;
    FramePtr frame_;
    PacketPtr packet_;
    const Stereo& signal_;
    std::string fileName_;
    std::size_t next_ = 0;
};

}  // namespace kr::audio
