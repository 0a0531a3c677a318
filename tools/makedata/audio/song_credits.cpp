// Credits theme: a warm, melodic piece at 110 BPM; FM bells, a soft square
// lead that hands the tune to a saw lead, and a gentle beat.

#include "audio/instruments.hpp"
#include "audio/song_helpers.hpp"
#include "audio/songs.hpp"

namespace kr::audio {
namespace {

const std::vector<std::string> kPadA = {"c3:f3:a3:c4", "d3:g3:b3:d4", "e3:g3:b3:e4", "e3:a3:c4:e4"};
const std::vector<std::string> kPadB = {"d3:f3:a3:d4", "d3:g3:b3:d4", "e3:g3:c4:e4", "e3:a3:c4:e4",
                                        "d3:f3:a3:d4", "d3:g3:b3:d4", "e3:g#3:b3:e4", "e3:g#3:b3:e4"};
const std::vector<std::string> kRootsA = {"f2", "g2", "e2", "a1"};
const std::vector<std::string> kRootsB = {"d2", "g1", "c2", "a1", "d2", "g1", "e2", "e2"};
const std::vector<std::string> kBellsA = {"f4:a4:c5:e5", "g4:b4:d5:f#5", "e4:g4:b4:d5", "a4:c5:e5:g5"};
const std::vector<std::string> kBellsB = {"d4:f4:a4:c5", "g4:b4:d5:f5", "c4:e4:g4:b4", "a4:c5:e5:g5",
                                          "d4:f4:a4:c5", "g4:b4:d5:f5", "e4:g#4:b4:d5", "e4:g#4:b4:d5"};

constexpr const char* kBassMotif = "0 - - 0' . 0 0' 0";
constexpr const char* kBellMotif = "0 2 1 3 2 1 3 2";

constexpr const char* kMelodyA =
    "c5 - - - a4 - c5 -  d5 - - - b4 - g4 -  e5 - - - g5 - e5 -  e5 - - - - - d5 c5 "
    "c5 - - - a4 - c5 -  d5 - - - g5 - f5 -  e5 - - - d5 - b4 -  a4 - - - - - . .";
constexpr const char* kMelodyB =
    "f5 - - - e5 - d5 -  d5 - - - b4 - d5 -  e5 - - - c5 - g5 -  e5 - - - - - . . "
    "f5 - - - a5 - f5 -  g5 - - - f5 - d5 -  e5 - - - g#5 - b5 -  b5 - - - - - . .";

constexpr const char* kKick = "X . . . . . . . x . x . . . . .";
constexpr const char* kSnare = ". . . . x . . . . . . . x . . o";
constexpr const char* kHats = "x . o . x . o . x . o . x . X .";

}  // namespace

Song CreditsTheme() {
    Song song;
    song.name = "creditstheme";
    song.bpm = 110;
    song.lengthBeats = 36 * 4;
    song.fadeInBeats = 4;
    song.fadeOutBeats = 12;
    song.tailSeconds = 0.6;
    song.reverb = {0.85f, 0.35f, 3.0};
    song.delay.feedback = 0.4f;

    const Pattern padA = ChordPattern(kPadA, 4), padB = ChordPattern(kPadB, 4);
    const Pattern bassA = ParsePattern(OverChords(kBassMotif, kRootsA), 0.5);
    const Pattern bassB = ParsePattern(OverChords(kBassMotif, kRootsB), 0.5);
    const Pattern bellsA = ParsePattern(OverChords(kBellMotif, kBellsA), 0.5);
    const Pattern bellsB = ParsePattern(OverChords(kBellMotif, kBellsB), 0.5);
    const Pattern melodyA = ParsePattern(kMelodyA, 0.5), melodyB = ParsePattern(kMelodyB, 0.5);
    const Pattern kick = ParsePattern(kKick, 0.25), snare = ParsePattern(kSnare, 0.25);
    const Pattern hats = ParsePattern(kHats, 0.25), crash = ParsePattern("x", 1);
    const Pattern riser = ParsePattern("x - - -", 1);

    SynthPatch warmPad = patches::SuperSawPad();
    warmPad.filter.cutoffHz = 1100.0f;
    Track& pad = song.AddTrack("pad", SynthInstrument(warmPad), {1.3f, 0.0f, 0.0f, 0.45f, 0.6f, 0.25f});
    pad.Add(padA, 0, 3).Add(padB, 12).Add(padA, 20, 2).Add(padA, 28, 2, 0, 0.9f, 1.0f, 0.6f);

    FmPatch bell;
    bell.level = 0.45f;
    bell.ampEnv = {0.002f, 1.2f, 0.0f, 0.5f};
    Track& bells = song.AddTrack("bells", FmInstrument(bell), {0.6f, 0.3f, 0.4f, 0.35f});
    bells.Add(bellsA, 0, 3, 0, 0.8f).Add(bellsB, 12, 1, 0, 0.7f).Add(bellsA, 20, 2, 0, 0.8f).Add(bellsA, 28, 2, 0, 0.8f);

    Track& bass = song.AddTrack("bass", SynthInstrument(patches::PulseBass()), {0.85f, 0.0f, 0.0f, 0.0f, 0.0f, 0.4f});
    bass.Add(bassA, 4, 2, 0, 0.8f, 0.6f, 1.0f).Add(bassB, 12).Add(bassA, 20, 2).Add(bassA, 28, 1).Add(bassA, 32, 1, 0, 0.8f, 1.0f, 0.5f);

    FmPatch soft = bell;
    soft.ratio = 2.0f;
    soft.index = 1.2f;
    soft.ampEnv = {0.004f, 0.9f, 0.3f, 0.5f};
    soft.level = 0.35f;
    song.AddTrack("melody bells", FmInstrument(soft), {0.7f, -0.15f, 0.35f, 0.35f}).Add(melodyA, 4, 1, 0, 0.8f);
    song.AddTrack("square lead", SynthInstrument(patches::SquareLead()), {0.75f, 0.1f, 0.35f, 0.35f})
        .Add(melodyB, 12).Add(melodyA, 28, 1, 0, 0.7f, 0.7f, 0.7f);
    song.AddTrack("saw lead", SynthInstrument(patches::SawLead()), {0.8f, -0.05f, 0.3f, 0.35f}).Add(melodyA, 20);

    Track& kickTrack = song.AddTrack("kick", KickInstrument(KickShape{}), {0.85f});
    kickTrack.isKick = true;
    kickTrack.Add(kick, 4, 24).Add(kick, 32, 3);
    song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.5f, 0.0f, 0.0f, 0.35f}, 3).Add(snare, 12, 16).Add(snare, 32, 3);
    song.AddTrack("hats", HatInstrument(), {0.42f, 0.3f, 0.0f, 0.1f}, 3).Add(hats, 8, 20).Add(hats, 32, 3);
    song.AddTrack("riser", RiserInstrument(), {0.35f, 0.0f, 0.0f, 0.4f}).Add(riser, 11).Add(riser, 19);
    song.AddTrack("crash", CrashInstrument(), {0.35f, -0.2f, 0.0f, 0.3f}).Add(crash, 12).Add(crash, 20).Add(crash, 32);
    return song;
}

}  // namespace kr::audio
