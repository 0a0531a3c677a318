#pragma once
// An in-memory byte stream for FFmpeg's muxers, and the small RAII holders
// the encoders share.

#include <memory>
#include <string>

#include "engine/game_folder.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace kr::audio {

// A seekable output that collects everything a muxer writes.
class MemoryOutput {
public:
    MemoryOutput();
    ~MemoryOutput();
    MemoryOutput(const MemoryOutput&) = delete;
    MemoryOutput& operator=(const MemoryOutput&) = delete;

    AVIOContext* Context() { return context_; }
    // The bytes written so far (call after the muxer's trailer).
    Bytes Take();

private:
    static int Write(void* opaque, std::uint8_t* data, int size);
    static std::int64_t Seek(void* opaque, std::int64_t offset, int whence);

    AVIOContext* context_ = nullptr;
    Bytes bytes_;
    std::size_t position_ = 0;
};

struct CodecContextDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

// FFmpeg's text for an error code.
std::string AvErrorText(int code);

// Throws FileError(fileName, what + FFmpeg's reason) when code < 0.
void CheckAv(int code, const std::string& fileName, const std::string& what);

}  // namespace kr::audio
