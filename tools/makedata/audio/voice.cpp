#include "audio/voice.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/random.hpp"

namespace kr::audio {
namespace {

constexpr int kControlInterval = 16;  // samples between filter updates

float CentsToRatio(float cents) { return std::pow(2.0f, cents / 1200.0f); }

// One oscillator stacked `unison` times, spread symmetrically in pitch.
class UnisonStack {
public:
    UnisonStack(Waveform waveform, int unison, float spreadCents, float pulseWidth, Random& random) {
        const int count = std::max(1, unison);
        for (int i = 0; i < count; ++i) {
            const float position = count == 1 ? 0.0f : 2.0f * static_cast<float>(i) / (count - 1) - 1.0f;
            ratios_.push_back(CentsToRatio(position * spreadCents));
            const double phase = count == 1 ? 0.0 : random.NextU32() / 4294967296.0;
            oscillators_.emplace_back(waveform, phase, pulseWidth);
        }
        scale_ = 1.0f / std::sqrt(static_cast<float>(count));
    }
    float Next(float frequency) {
        float sum = 0.0f;
        for (std::size_t i = 0; i < oscillators_.size(); ++i) sum += oscillators_[i].Next(frequency * ratios_[i]);
        return sum * scale_;
    }

private:
    std::vector<Oscillator> oscillators_;
    std::vector<float> ratios_;
    float scale_ = 1.0f;
};

float CutoffFor(const SynthPatch& patch, const NoteRequest& note, float envelope) {
    const float keyOctaves = (note.midiNote - 60.0f) / 12.0f * patch.filter.keyTracking;
    const float octaves = keyOctaves + envelope * patch.filter.envOctaves * (0.5f + 0.5f * note.velocity);
    return patch.filter.cutoffHz * note.brightness * std::pow(2.0f, octaves);
}

// Pitch at time t: the scoop into the note and the delayed vibrato.
float PitchAt(const PitchSection& pitch, float base, float t) {
    float frequency = base;
    if (pitch.dropSemitones != 0.0f) {
        frequency *= std::pow(2.0f, -pitch.dropSemitones * ExpDecay(t, pitch.dropSeconds) / 12.0f);
    }
    if (pitch.vibratoCents > 0.0f) {
        const float depth = pitch.vibratoCents * SmoothStep(t, pitch.vibratoDelay, 0.3f);
        frequency *= CentsToRatio(depth * std::sin(2.0f * static_cast<float>(kPi) * pitch.vibratoHz * t));
    }
    return frequency;
}

}  // namespace

Mono RenderVoice(const SynthPatch& patch, const NoteRequest& note) {
    Random random(note.seed);
    const OscillatorSection& osc = patch.osc;
    UnisonStack first(osc.wave1, osc.unison, osc.unisonCents, osc.pulseWidth, random);
    UnisonStack second(osc.wave2, osc.unison, osc.unisonCents, osc.pulseWidth, random);
    Oscillator sub(Waveform::Sine);
    Noise noise(note.seed * 7919 + 17);
    StateVariableFilter filter(patch.filter.mode, patch.filter.cutoffHz, patch.filter.resonance);
    Adsr amp(patch.ampEnv), filterEnv(patch.filter.env);

    const std::size_t gate = SecondsToFrames(note.gateSeconds);
    const std::size_t frames = gate + SecondsToFrames(Adsr::TailSeconds(patch.ampEnv));
    const float base = NoteFrequency(note.midiNote);
    const float ratio2 = std::pow(2.0f, osc.interval2 / 12.0f) * CentsToRatio(osc.detuneCents);
    const float gain = patch.level * (0.35f + 0.65f * note.velocity);
    const bool modulated = patch.pitch.dropSemitones != 0.0f || patch.pitch.vibratoCents > 0.0f;
    float frequency = base;
    Mono out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        if (i == gate) {
            amp.NoteOff();
            filterEnv.NoteOff();
        }
        const float envelope = filterEnv.Next();
        if (i % kControlInterval == 0) {
            const float t = static_cast<float>(FramesToSeconds(i));
            if (modulated) frequency = PitchAt(patch.pitch, base, t);
            filter.SetCutoff(CutoffFor(patch, note, envelope));
        }
        float signal = first.Next(frequency);
        if (osc.level2 > 0.0f) signal += osc.level2 * second.Next(frequency * ratio2);
        if (osc.subLevel > 0.0f) signal += osc.subLevel * sub.Next(frequency * 0.5f);
        if (osc.noiseLevel > 0.0f) signal += osc.noiseLevel * noise.Next();
        float filtered = filter.Process(signal);
        if (patch.drive > 0.0f) filtered = SoftClip(filtered * patch.drive) / patch.drive;
        out[i] = filtered * amp.Next() * gain;
        if (i > gate && amp.Finished()) {
            out.resize(i + 1);
            break;
        }
    }
    return out;
}

Mono RenderFm(const FmPatch& patch, const NoteRequest& note) {
    Adsr amp(patch.ampEnv);
    const std::size_t gate = SecondsToFrames(note.gateSeconds);
    const std::size_t frames = gate + SecondsToFrames(Adsr::TailSeconds(patch.ampEnv));
    const double frequency = NoteFrequency(note.midiNote);
    const double carrierStep = frequency / kSampleRate;
    const double modulatorStep = carrierStep * patch.ratio;
    double carrierPhase = 0.0, modulatorPhase = 0.0;
    // Modulation depth in cycles, decaying by a constant factor per sample.
    double index = patch.index * (0.3 + 0.7 * note.velocity) / (2.0 * kPi);
    const double indexFall = std::exp(-1.0 / (patch.indexDecay * kSampleRate));
    const float gain = patch.level * (0.35f + 0.65f * note.velocity);
    Mono out(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        if (i == gate) amp.NoteOff();
        out[i] = SineOfPhase(carrierPhase + index * SineOfPhase(modulatorPhase)) * amp.Next() * gain;
        index *= indexFall;
        carrierPhase += carrierStep;
        modulatorPhase += modulatorStep;
        if (carrierPhase >= 1.0) carrierPhase -= 1.0;
        if (modulatorPhase >= 1.0) modulatorPhase -= std::floor(modulatorPhase);
        if (i > gate && amp.Finished()) {
            out.resize(i + 1);
            break;
        }
    }
    return out;
}

}  // namespace kr::audio
