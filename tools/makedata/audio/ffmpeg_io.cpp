#include "audio/ffmpeg_io.hpp"

#include <algorithm>
#include <cstring>

#include "engine/error.hpp"

namespace kr::audio {
namespace {

constexpr int kBufferSize = 1 << 16;

std::int64_t SeekTo(std::size_t& position, std::size_t size, std::int64_t offset, int whence) {
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return static_cast<std::int64_t>(size);
    case SEEK_SET: break;
    case SEEK_CUR: offset += static_cast<std::int64_t>(position); break;
    case SEEK_END: offset += static_cast<std::int64_t>(size); break;
    default: return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    position = static_cast<std::size_t>(offset);
    return offset;
}

}  // namespace

MemoryOutput::MemoryOutput() {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    context_ = avio_alloc_context(buffer, kBufferSize, 1, this, nullptr, &MemoryOutput::Write, &MemoryOutput::Seek);
    if (!context_) {
        av_free(buffer);
        throw Error("out of memory for an FFmpeg output buffer");
    }
}

MemoryOutput::~MemoryOutput() {
    if (context_) av_freep(&context_->buffer);
    avio_context_free(&context_);
}

Bytes MemoryOutput::Take() {
    avio_flush(context_);
    return std::move(bytes_);
}

int MemoryOutput::Write(void* opaque, std::uint8_t* data, int size) {
    auto* self = static_cast<MemoryOutput*>(opaque);
    const std::size_t end = self->position_ + static_cast<std::size_t>(size);
    if (self->bytes_.size() < end) self->bytes_.resize(end);
    std::memcpy(self->bytes_.data() + self->position_, data, static_cast<std::size_t>(size));
    self->position_ = end;
    return size;
}

std::int64_t MemoryOutput::Seek(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<MemoryOutput*>(opaque);
    return SeekTo(self->position_, self->bytes_.size(), offset, whence);
}

std::string AvErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

void CheckAv(int code, const std::string& fileName, const std::string& what) {
    if (code < 0) throw FileError(fileName, what + ": " + AvErrorText(code));
}

}  // namespace kr::audio
