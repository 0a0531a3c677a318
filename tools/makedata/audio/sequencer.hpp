#pragma once
// A small step sequencer: patterns written as text, placed on tracks in
// bars, rendered note by note through each track's instrument, mixed with
// sends to a shared delay and reverb, ducked by the kick, and mastered.
//
// Pattern text: one token per step, separated by blanks.
//   .       rest
//   -       holds the notes of the step before one step longer
//   c3 f#4  a note (name, optional # or b, octave; c4 = MIDI 60)
//   a2:e3   several notes at once (a chord)
//   x X o   a drum hit: normal, accented, ghost (MIDI 60)
// A note or hit may end in ! (accent) or ? (ghost).

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/effects.hpp"
#include "audio/signal.hpp"

namespace kr::audio {

struct Note {
    double beat = 0;       // start, in beats from the song's start
    double beats = 1;      // held length in beats
    float pitch = 60;      // MIDI note number
    float velocity = 0.8f;
    float brightness = 1;  // filter automation the instrument may follow
};

struct Pattern {
    std::vector<Note> notes;  // beats relative to the pattern's start
    double beats = 0;         // length of the pattern
};

// Throws kr::Error naming the token for text that is not a pattern.
Pattern ParsePattern(std::string_view text, double stepBeats);
// MIDI number of a note name such as "c#3" or "eb4"; throws kr::Error.
int ParseNoteName(std::string_view name);

// Renders one note; gateSeconds is how long the note is held.
using Instrument = std::function<Mono(const Note& note, double gateSeconds, std::uint64_t seed)>;

struct TrackMix {
    float gain = 1.0f;
    float pan = 0.0f;
    float delaySend = 0.0f;
    float reverbSend = 0.0f;
    float chorus = 0.0f;     // level of the chorused copy (widens pads)
    float ducking = 0.0f;    // 0..1: how far the kick pushes this track down
};

struct Track {
    std::string name;
    Instrument instrument;
    TrackMix mix;
    std::vector<Note> notes;
    bool isKick = false;     // its notes drive the ducking of other tracks
    int variants = 1;        // renderings kept per distinct note (noisy drums vary)

    // Places `pattern` at `bar` (4 beats a bar), `repeats` times in a row,
    // transposed, with velocity scaled and brightness ramping across the
    // whole placement from `brightFrom` to `brightTo`.
    Track& Add(const Pattern& pattern, double bar, int repeats = 1, int transpose = 0, float velocity = 1.0f,
               float brightFrom = 1.0f, float brightTo = 1.0f);
};

struct Song {
    std::string name;
    double bpm = 120;
    double lengthBeats = 0;        // where the music ends; tails ring on
    double tailSeconds = 2.0;      // silence-bound tail after lengthBeats
    std::vector<Track> tracks;
    DelaySettings delay;           // times are overwritten from delayBeats
    double delayBeatsLeft = 0.75;  // dotted eighth
    double delayBeatsRight = 0.5;
    ReverbSettings reverb;
    double fadeInBeats = 0;
    double fadeOutBeats = 0;       // fade before lengthBeats ends
    double targetLufs = -15.0;
    float ceilingDb = -1.5f;      // leaves room for the codec's overshoot
    // A piece that loops ends exactly at lengthBeats: its tail is mixed
    // back over its start, so the echoes of the last bar ring on into the
    // first when the player starts it again.
    bool loops = false;

    // `variants` > 1 renders each distinct note that many times, used in
    // turn, so that noisy drums do not repeat sample for sample.
    Track& AddTrack(std::string trackName, Instrument instrument, TrackMix mix, int variants = 1);
};

// The first sample of a beat.
std::size_t BeatToFrame(double beat, double bpm);
double BeatsToSeconds(double beats, double bpm);

// The tracks and their effects mixed, before fades, EQ and levelling.
Stereo MixSong(const Song& song);
// The finished piece: the mix faded (a looping piece folded instead),
// equalised and brought to the song's loudness under its peak ceiling.
Stereo RenderSong(const Song& song);

}  // namespace kr::audio
