#pragma once
// Level measurement and the final gain stages: peak, RMS, integrated
// loudness after ITU-R BS.1770 (K-weighted, gated; in LUFS), normalising and
// a look-ahead peak limiter.

#include "audio/signal.hpp"

namespace kr::audio {

float PeakLevel(const Mono& signal);
float PeakLevel(const Stereo& signal);
float RmsLevel(const Mono& signal);
float RmsLevel(const Stereo& signal);

// Integrated loudness in LUFS; -70 for signals that are silent or shorter
// than one 400 ms block.
double IntegratedLoudness(const Stereo& signal);

// Scales so that the highest peak sits at `peakDb` dBFS (silence stays).
void NormalisePeak(Mono& signal, float peakDb);
void NormalisePeak(Stereo& signal, float peakDb);

// Scales to `targetLufs`, then limits the peaks to `ceilingDb` dBFS.
void NormaliseLoudness(Stereo& signal, double targetLufs, float ceilingDb);

// Keeps every sample within ceilingDb with a 2 ms look-ahead: the gain falls
// ahead of a peak and recovers over `releaseSeconds`.
void Limit(Stereo& signal, float ceilingDb, float releaseSeconds = 0.08f);

}  // namespace kr::audio
