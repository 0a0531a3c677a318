#include "audio/sequencer.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

#include "audio/filters.hpp"
#include "audio/loudness.hpp"
#include "engine/error.hpp"

namespace kr::audio {
namespace {

constexpr float kNormalVelocity = 0.8f;
constexpr float kAccentVelocity = 1.0f;
constexpr float kGhostVelocity = 0.45f;
constexpr double kDuckSeconds = 0.11;

std::vector<std::string_view> SplitBlank(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        const std::size_t start = i;
        while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i > start) tokens.push_back(text.substr(start, i - start));
    }
    return tokens;
}

std::vector<std::string_view> SplitChord(std::string_view token) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = token.find(':', start);
        parts.push_back(token.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
        if (colon == std::string_view::npos) return parts;
        start = colon + 1;
    }
}

// Reads the velocity mark at the end of a token and strips it.
float TakeVelocity(std::string_view& token, float normal) {
    if (!token.empty() && token.back() == '!') {
        token.remove_suffix(1);
        return kAccentVelocity;
    }
    if (!token.empty() && token.back() == '?') {
        token.remove_suffix(1);
        return kGhostVelocity;
    }
    return normal;
}

// The notes one token starts.
std::vector<Note> ParseToken(std::string_view token, double beat, double stepBeats) {
    std::vector<Note> notes;
    for (std::string_view part : SplitChord(token)) {
        float normal = kNormalVelocity;
        if (part.size() >= 1 && (part[0] == 'x' || part[0] == 'X' || part[0] == 'o')) {
            normal = part[0] == 'X' ? kAccentVelocity : part[0] == 'o' ? kGhostVelocity : kNormalVelocity;
            part.remove_prefix(1);
            const float velocity = TakeVelocity(part, normal);
            if (!part.empty()) throw Error("pattern token '" + std::string(token) + "' is not a drum hit");
            notes.push_back(Note{beat, stepBeats, 60.0f, velocity, 1.0f});
            continue;
        }
        const float velocity = TakeVelocity(part, normal);
        notes.push_back(Note{beat, stepBeats, static_cast<float>(ParseNoteName(part)), velocity, 1.0f});
    }
    return notes;
}

std::uint64_t NoteSeed(std::size_t track, std::size_t note) {
    return (static_cast<std::uint64_t>(track) + 1) * 0x9E3779B97F4A7C15ULL ^ (static_cast<std::uint64_t>(note) + 1) * 0xBF58476D1CE4E5B9ULL;
}

// 1 at each kick, falling back to 0 over about a tenth of a second.
Mono DuckCurve(const Song& song, std::size_t frames) {
    Mono curve(frames, 0.0f);
    std::vector<std::size_t> hits;
    for (const auto& track : song.tracks) {
        if (!track.isKick) continue;
        for (const auto& note : track.notes) hits.push_back(BeatToFrame(note.beat, song.bpm));
    }
    std::sort(hits.begin(), hits.end());
    const std::size_t attack = SecondsToFrames(0.004);
    const float fall = static_cast<float>(std::exp(-1.0 / (kDuckSeconds * kSampleRate)));
    std::size_t next = 0;
    float level = 0.0f;
    for (std::size_t i = 0; i < frames; ++i) {
        while (next < hits.size() && hits[next] <= i + attack) {
            level = 1.0f;
            ++next;
        }
        curve[i] = level;
        level *= fall;
    }
    return curve;
}

// Notes that sound the same are rendered once: patterns repeat, so most
// notes of a song are copies. Noisy instruments keep a few variants.
struct NoteKey {
    float pitch, velocity, brightness;
    double beats;
    int variant;
    bool operator<(const NoteKey& o) const {
        return std::tie(pitch, velocity, brightness, beats, variant) <
               std::tie(o.pitch, o.velocity, o.brightness, o.beats, o.variant);
    }
};

// Where a track's notes go: the dry mix and the two effect sends, each with
// left and right gains, and the ducking applied on the way in.
struct TrackOutput {
    struct Send {
        Stereo* bus;
        float left, right;
    };
    std::vector<Send> sends;
    const Mono* duck = nullptr;
    float ducking = 0.0f;

    void Add(const Mono& voice, std::size_t offset) const {
        const std::size_t frames = sends.front().bus->Frames();
        const std::size_t end = std::min(frames, offset + voice.size());
        for (std::size_t at = offset; at < end; ++at) {
            float sample = voice[at - offset];
            if (ducking > 0) sample *= 1.0f - ducking * (*duck)[at];
            for (const Send& send : sends) {
                send.bus->left[at] += sample * send.left;
                send.bus->right[at] += sample * send.right;
            }
        }
    }
};

void RenderTrack(const Track& track, std::size_t trackIndex, double bpm, const TrackOutput& output) {
    std::map<NoteKey, Mono> rendered;
    const int variants = std::max(1, track.variants);
    for (std::size_t n = 0; n < track.notes.size(); ++n) {
        const Note& note = track.notes[n];
        const NoteKey key{note.pitch, note.velocity, note.brightness, note.beats, static_cast<int>(n % variants)};
        auto found = rendered.find(key);
        if (found == rendered.end()) {
            Mono voice = track.instrument(note, BeatsToSeconds(note.beats, bpm), NoteSeed(trackIndex, rendered.size()));
            found = rendered.emplace(key, std::move(voice)).first;
        }
        output.Add(found->second, BeatToFrame(note.beat, bpm));
    }
}

// Equal-power gains of a pan position, 1 on both sides at the centre.
std::pair<float, float> PanGains(float pan) {
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
    return {static_cast<float>(std::cos(angle) * std::sqrt(2.0)), static_cast<float>(std::sin(angle) * std::sqrt(2.0))};
}

void AddScaled(Stereo& target, const Stereo& source, float gain) {
    const std::size_t n = std::min(target.Frames(), source.Frames());
    for (std::size_t i = 0; i < n; ++i) {
        target.left[i] += source.left[i] * gain;
        target.right[i] += source.right[i] * gain;
    }
}

void ApplyFades(Stereo& master, const Song& song) {
    const std::size_t fadeIn = BeatToFrame(song.fadeInBeats, song.bpm);
    const std::size_t end = BeatToFrame(song.lengthBeats, song.bpm);
    const std::size_t fadeOut = BeatToFrame(song.fadeOutBeats, song.bpm);
    for (std::size_t i = 0; i < master.Frames(); ++i) {
        float gain = 1.0f;
        if (i < fadeIn) gain = static_cast<float>(i) / static_cast<float>(fadeIn);
        if (fadeOut > 0 && i + fadeOut > end) {
            gain *= i >= end ? 0.0f : static_cast<float>(end - i) / static_cast<float>(fadeOut);
        }
        master.left[i] *= gain;
        master.right[i] *= gain;
    }
}

// Everything past `end` added over the start, and the piece cut at `end`.
void FoldTail(Stereo& master, std::size_t end) {
    if (end == 0) return;
    for (std::size_t i = end; i < master.Frames(); ++i) {
        master.left[(i - end) % end] += master.left[i];
        master.right[(i - end) % end] += master.right[i];
    }
    master.Resize(std::min(end, master.Frames()));
}

// The master's tone: rumble below `lowCutHz` removed, a gentle lift of the
// highs for air.
void MasterEq(Stereo& master, double lowCutHz) {
    for (Mono* channel : {&master.left, &master.right}) {
        Biquad lowCut = Biquad::HighPass(lowCutHz, 0.707);
        Biquad air = Biquad::HighShelf(4000.0, 2.5, 0.707);
        for (float& sample : *channel) sample = air.Process(lowCut.Process(sample));
    }
}

}  // namespace

int ParseNoteName(std::string_view name) {
    static constexpr int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    auto bad = [&] { return Error("'" + std::string(name) + "' is not a note name"); };
    if (name.size() < 2) throw bad();
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    if (letter < 'a' || letter > 'g') throw bad();
    int semitone = kSemitones[letter - 'a'];
    std::size_t at = 1;
    if (name[at] == '#') ++semitone, ++at;
    else if (name[at] == 'b' && at + 1 < name.size()) --semitone, ++at;
    if (at + 1 != name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) throw bad();
    const int octave = name[at] - '0';
    return (octave + 1) * 12 + semitone;
}

Pattern ParsePattern(std::string_view text, double stepBeats) {
    Pattern pattern;
    std::vector<std::size_t> sounding;  // indices of the notes the last step started
    double beat = 0;
    for (std::string_view token : SplitBlank(text)) {
        if (token == ".") {
            sounding.clear();
        } else if (token == "-") {
            for (std::size_t index : sounding) pattern.notes[index].beats += stepBeats;
        } else {
            sounding.clear();
            for (const Note& note : ParseToken(token, beat, stepBeats)) {
                sounding.push_back(pattern.notes.size());
                pattern.notes.push_back(note);
            }
        }
        beat += stepBeats;
    }
    pattern.beats = beat;
    return pattern;
}

std::size_t BeatToFrame(double beat, double bpm) {
    return beat <= 0 ? 0 : static_cast<std::size_t>(std::llround(beat * 60.0 * kSampleRate / bpm));
}

double BeatsToSeconds(double beats, double bpm) { return beats * 60.0 / bpm; }

Track& Track::Add(const Pattern& pattern, double bar, int repeats, int transpose, float velocity, float brightFrom,
                  float brightTo) {
    const double start = bar * 4.0;
    const double span = pattern.beats * repeats;
    for (int r = 0; r < repeats; ++r) {
        for (Note note : pattern.notes) {
            note.beat += start + pattern.beats * r;
            note.pitch += static_cast<float>(transpose);
            note.velocity = std::min(1.0f, note.velocity * velocity);
            const double along = span > 0 ? (note.beat - start) / span : 0.0;
            // Steps of 1/32 are finer than anyone hears and let equal notes share a rendering.
            const float ramp = brightFrom + (brightTo - brightFrom) * static_cast<float>(along);
            note.brightness *= std::round(ramp * 32.0f) / 32.0f;
            notes.push_back(note);
        }
    }
    return *this;
}

Track& Song::AddTrack(std::string trackName, Instrument instrument, TrackMix mix, int variants) {
    Track track;
    track.name = std::move(trackName);
    track.instrument = std::move(instrument);
    track.mix = mix;
    track.variants = variants;
    tracks.push_back(std::move(track));
    return tracks.back();
}

Stereo MixSong(const Song& song) {
    const std::size_t frames = BeatToFrame(song.lengthBeats, song.bpm) + SecondsToFrames(song.tailSeconds);
    const Mono duck = DuckCurve(song, frames);
    Stereo dryBus(frames), delayBus(frames), reverbBus(frames);
    for (std::size_t t = 0; t < song.tracks.size(); ++t) {
        const Track& track = song.tracks[t];
        const auto [left, right] = PanGains(track.mix.pan);
        const float gain = track.mix.gain;
        TrackOutput output;
        output.duck = &duck;
        output.ducking = track.mix.ducking;
        // A chorused track is gathered on its own first, then widened.
        Stereo own;
        if (track.mix.chorus > 0) own = Stereo(frames);
        output.sends.push_back({track.mix.chorus > 0 ? &own : &dryBus, left * gain, right * gain});
        const float delay = gain * track.mix.delaySend, reverb = gain * track.mix.reverbSend;
        if (delay > 0) output.sends.push_back({&delayBus, left * delay, right * delay});
        if (reverb > 0) output.sends.push_back({&reverbBus, left * reverb, right * reverb});
        RenderTrack(track, t, song.bpm, output);
        if (track.mix.chorus > 0) {
            AddScaled(dryBus, own, 1.0f);
            AddScaled(dryBus, Chorus(own, ChorusSettings{}), track.mix.chorus);
        }
    }
    DelaySettings delay = song.delay;
    delay.leftSeconds = BeatsToSeconds(song.delayBeatsLeft, song.bpm);
    delay.rightSeconds = BeatsToSeconds(song.delayBeatsRight, song.bpm);
    const Stereo echoes = Delay(delayBus, delay);
    AddScaled(dryBus, echoes, 1.0f);
    AddScaled(reverbBus, echoes, 0.3f);
    AddScaled(dryBus, Reverb(reverbBus, song.reverb), 1.0f);

    return dryBus;
}

Stereo RenderSong(const Song& song) {
    Stereo master = MixSong(song);
    if (song.loops) {
        FoldTail(master, BeatToFrame(song.lengthBeats, song.bpm));
        MasterEq(master, 28.0);
    } else {
        ApplyFades(master, song);
        MasterEq(master, 28.0);
        FadeOut(master, std::min(0.5, song.tailSeconds));
    }
    NormaliseLoudness(master, song.targetLufs, song.ceilingDb);
    return master;
}

}  // namespace kr::audio
