#include "audio/wma.hpp"

#include "audio/audio_encoder.hpp"
#include "audio/ffmpeg_io.hpp"
#include "engine/error.hpp"

namespace kr::audio {
namespace {

struct MuxerDeleter {
    void operator()(AVFormatContext* muxer) const { avformat_free_context(muxer); }
};

}  // namespace

Bytes EncodeWma(const ChannelView& sound, int bitRate, const std::string& nameForErrors) {
    AVFormatContext* raw = nullptr;
    CheckAv(avformat_alloc_output_context2(&raw, nullptr, "asf", nullptr), nameForErrors, "cannot set up the ASF muxer");
    std::unique_ptr<AVFormatContext, MuxerDeleter> muxer(raw);
    muxer->flags |= AVFMT_FLAG_BITEXACT;
    MemoryOutput output;
    muxer->pb = output.Context();

    AudioStreamEncoder audio(muxer.get(), AV_CODEC_ID_WMAV2, bitRate, sound, nameForErrors, 1);
    CheckAv(avformat_write_header(muxer.get(), nullptr), nameForErrors, "cannot write the ASF header");
    audio.Finish();
    CheckAv(av_write_trailer(muxer.get()), nameForErrors, "cannot finish the ASF file");
    return output.Take();
}

}  // namespace kr::audio
