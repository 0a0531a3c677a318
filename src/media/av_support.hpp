#pragma once
// Small helpers shared by the FFmpeg-based readers: owning pointers for
// FFmpeg objects and readable error texts. Only forward declarations here;
// FFmpeg's headers stay in the .cpp files.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct AVRational;
struct SwrContext;
struct SwsContext;

namespace kr::media::av {

struct InputCloser { void operator()(AVFormatContext* context) const; };
struct CodecCloser { void operator()(AVCodecContext* context) const; };
struct FrameFreer { void operator()(AVFrame* frame) const; };
struct PacketFreer { void operator()(AVPacket* packet) const; };
struct ResamplerFreer { void operator()(SwrContext* context) const; };
struct ScalerFreer { void operator()(SwsContext* context) const; };

using InputPtr = std::unique_ptr<AVFormatContext, InputCloser>;
using CodecPtr = std::unique_ptr<AVCodecContext, CodecCloser>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;

FramePtr NewFrame();
PacketPtr NewPacket();

// A timestamp in seconds.
double Seconds(std::int64_t timestamp, const AVRational& base);

// FFmpeg's text for an error code.
std::string ErrorText(int code);

// Silences FFmpeg's own console messages: our errors name the file instead.
void QuietLogs();

// Opens a local file with one of the demuxers in `formats` (comma-separated
// FFmpeg names) and reads its stream information. Only plain files are
// reachable: no network or playlist protocols. Throws FileError naming
// `name` when the file cannot be opened or read.
InputPtr OpenInput(const std::filesystem::path& path, const std::string& name, const char* formats);

// A decoder for stream `index` of `input`; throws FileError naming `name`.
CodecPtr OpenDecoder(AVFormatContext* input, int index, const std::string& name);

// A converter from a decoded frame's sound format to the mix format (stereo
// float at the mix rate). Mono goes to both sides at full level; more
// channels are mixed down. Null when the format cannot be converted.
ResamplerPtr NewMixResampler(const AVFrame& frame);
// Converts `frame` (null: what the converter still holds) and appends the
// stereo frames to `out`; returns how many were appended.
int ResampleAppend(SwrContext* resampler, const AVFrame* frame, std::vector<float>& out);

}  // namespace kr::media::av
