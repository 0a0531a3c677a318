#pragma once
// Reads a sound file (WAV, WMA in ASF, MP3, Ogg, FLAC) and converts it to the
// mixer's format, whatever its own rate and channel count. Mono is copied to
// both sides at full level; more than two channels are mixed down.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kr::media {

class AudioDecoder {
public:
    // Throws FileError naming `name` when the file is missing, cut short,
    // not a sound file or has no sound stream.
    AudioDecoder(std::filesystem::path path, std::string name);
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Decodes up to `frames` stereo frames into `out` (2 floats each);
    // returns how many, 0 once the sound has ended. Corrupt data throws
    // FileError naming the file.
    int Read(float* out, int frames);
    // Back to the first frame.
    void Rewind();

    const std::string& name() const { return name_; }

    struct State;  // the open file and FFmpeg's objects

private:
    std::filesystem::path path_;
    std::string name_;
    std::unique_ptr<State> state_;
};

// A sound decoded whole: interleaved stereo at the mix rate.
struct DecodedSound {
    std::vector<float> samples;
    std::int64_t Frames() const { return static_cast<std::int64_t>(samples.size() / 2); }
};

DecodedSound DecodeSoundFile(const std::filesystem::path& path, const std::string& name);

// The length in mix-rate frames, found by decoding the whole file (which
// also proves it readable) without keeping the samples.
std::int64_t MeasureSoundFile(const std::filesystem::path& path, const std::string& name);

}  // namespace kr::media
