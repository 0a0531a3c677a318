#include "audio/wav.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/error.hpp"

namespace kr::audio {
namespace {

void PutText(Bytes& out, std::string_view text) { out.insert(out.end(), text.begin(), text.end()); }

void PutU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void PutU32(Bytes& out, std::uint32_t value) {
    PutU16(out, value & 0xffff);
    PutU16(out, value >> 16);
}

void CheckChannels(const ChannelView& sound) {
    if (sound.channels.empty() || sound.sampleRate <= 0) throw Error("a WAV file needs a channel and a sample rate");
    for (const Mono* channel : sound.channels) {
        if (channel->size() != sound.Frames()) throw Error("the channels of a WAV file differ in length");
    }
}

}  // namespace

std::int16_t ToPcm16(float sample) {
    const float scaled = std::clamp(sample, -1.0f, 1.0f) * 32767.0f;
    return static_cast<std::int16_t>(std::lround(scaled));
}

Bytes EncodeWav(const ChannelView& sound) {
    CheckChannels(sound);
    const std::size_t frames = sound.Frames();
    const auto channelCount = static_cast<std::uint32_t>(sound.channels.size());
    const auto rate = static_cast<std::uint32_t>(sound.sampleRate);
    const std::uint32_t blockAlign = channelCount * 2;
    const auto dataSize = static_cast<std::uint32_t>(frames * blockAlign);
    Bytes out;
    out.reserve(44 + dataSize);
    PutText(out, "RIFF");
    PutU32(out, 36 + dataSize);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, channelCount);
    PutU32(out, rate);
    PutU32(out, rate * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, 16);
    PutText(out, "data");
    PutU32(out, dataSize);
    for (std::size_t i = 0; i < frames; ++i) {
        for (const Mono* channel : sound.channels) PutU16(out, static_cast<std::uint16_t>(ToPcm16((*channel)[i])));
    }
    return out;
}

}  // namespace kr::audio
