#pragma once
// The one sample format the mixer works in: interleaved stereo 32-bit float
// at 44100 frames per second. Every decoded sound is converted to it.

#include <cstdint>

namespace kr::media {

inline constexpr int kMixRate = 44100;
inline constexpr int kMixChannels = 2;

inline double FramesToSeconds(std::int64_t frames) { return static_cast<double>(frames) / kMixRate; }

// Per-side gains of one sound.
struct Gains {
    float left = 1.0f;
    float right = 1.0f;
};

// Volume 0..100 scales linearly (100 plays the sound as recorded); pan
// -100..100 attenuates the opposite side only, so the centre keeps both
// sides at full level. Values outside the ranges are the caller's to refuse.
inline Gains GainsFor(int volume, int pan) {
    float level = static_cast<float>(volume) / 100.0f;
    Gains gains{level, level};
    if (pan > 0) gains.left *= 1.0f - static_cast<float>(pan) / 100.0f;
    if (pan < 0) gains.right *= 1.0f + static_cast<float>(pan) / 100.0f;
    return gains;
}

}  // namespace kr::media
