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

Bytes EncodeWma(const Stereo& signal, int bitRate, const std::string& nameForErrors) {
    Stereo padded(kWmaLeadIn);
    padded.left.insert(padded.left.end(), signal.left.begin(), signal.left.end());
    padded.right.insert(padded.right.end(), signal.right.begin(), signal.right.end());

    AVFormatContext* raw = nullptr;
    CheckAv(avformat_alloc_output_context2(&raw, nullptr, "asf", nullptr), nameForErrors, "cannot set up the ASF muxer");
    std::unique_ptr<AVFormatContext, MuxerDeleter> muxer(raw);
    muxer->flags |= AVFMT_FLAG_BITEXACT;
    MemoryOutput output;
    muxer->pb = output.Context();

    AudioStreamEncoder audio(muxer.get(), AV_CODEC_ID_WMAV2, bitRate, padded, nameForErrors);
    CheckAv(avformat_write_header(muxer.get(), nullptr), nameForErrors, "cannot write the ASF header");
    audio.Finish();
    CheckAv(av_write_trailer(muxer.get()), nameForErrors, "cannot finish the ASF file");
    return output.Take();
}

}  // namespace kr::audio
