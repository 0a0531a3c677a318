// Menu theme: a slow, brooding D-minor groove under a lonely lead.

#include "audio/instruments.hpp"
#include "audio/song_helpers.hpp"
#include "audio/songs.hpp"

namespace kr::audio {
namespace {

const std::vector<std::string> kPadA = {"d3:f3:a3:d4", "d3:f3:a#3:d4", "d3:g3:a#3:d4", "c#3:e3:a3:c#4"};
const std::vector<std::string> kPadB = {"d3:f3:a#3:d4", "c3:f3:a3:c4", "c3:e3:g3:c4", "c#3:e3:a3:c#4"};
const std::vector<std::string> kRootsA = {"d2", "a#1", "g1", "a1"};
const std::vector<std::string> kRootsB = {"a#1", "f1", "c2", "a1"};
const std::vector<std::string> kArpA = {"d4:f4:a4:d5", "d4:f4:a#4:d5", "d4:g4:a#4:d5", "c#4:e4:a4:c#5"};
const std::vector<std::string> kArpB = {"d4:f4:a#4:d5", "c4:f4:a4:c5", "c4:e4:g4:c5", "c#4:e4:a4:c#5"};

constexpr const char* kBassMotif = "0! - . 0 0' . 0 0'";
constexpr const char* kArpMotif = "0 1 2 1 3 2 1 2 0 1 2 1 3 2 1 2";

constexpr const char* kMelodyA =
    "a4 - - - - - g4 a4  a#4 - - - a4 - f4 -  g4 - - - - - f4 g4  e4 - - - c#4 - e4 - "
    "a4 - - - - - c5 d5  d5 - c5 - a#4 - a4 -  a#4 - a4 - g4 - f4 -  e4 - - - - - . .";
constexpr const char* kMelodyB =
    "d5 - - - f5 - - -  e5 - - - c5 - - -  e5 - d5 - c5 - g4 -  a4 - - - c#5 - - - "
    "d5 - - - f5 - - -  a5 - - - g5 - f5 -  e5 - d5 - c5 - d5 -  c#5 - - - - - . .";
constexpr const char* kEcho = "a4 - - - - - g4 a4  a#4 - - - - - - -  g4 - - - - - f4 g4  e4 - - - - - - -";

constexpr const char* kKick = "X . . . . . . . x . . . . . x .";
constexpr const char* kSnare = ". . . . x . . . . . . . x . . .";
constexpr const char* kHats = "o . x o . o x . o . x o . . X .";

}  // namespace

Song MenuTheme() {
    Song song;
    song.name = "menutheme";
    song.bpm = 100;
    song.lengthBeats = 36 * 4;
    song.fadeInBeats = 6;
    song.fadeOutBeats = 12;
    song.tailSeconds = 0.6;
    song.reverb = {0.88f, 0.5f, 3.0};
    song.delay.feedback = 0.42f;

    const Pattern padA = ChordPattern(kPadA, 4), padB = ChordPattern(kPadB, 4);
    const Pattern bassA = ParsePattern(OverChords(kBassMotif, kRootsA), 0.5);
    const Pattern bassB = ParsePattern(OverChords(kBassMotif, kRootsB), 0.5);
    const Pattern bassLong = ParsePattern(OverChords("0 - - - - - - -", kRootsA), 0.5);
    const Pattern arpA = ParsePattern(OverChords(kArpMotif, kArpA), 0.25);
    const Pattern arpB = ParsePattern(OverChords(kArpMotif, kArpB), 0.25);
    const Pattern melodyA = ParsePattern(kMelodyA, 0.5), melodyB = ParsePattern(kMelodyB, 0.5);
    const Pattern echo = ParsePattern(kEcho, 0.5);
    const Pattern kick = ParsePattern(kKick, 0.25), snare = ParsePattern(kSnare, 0.25);
    const Pattern hats = ParsePattern(kHats, 0.25);
    const Pattern riser = ParsePattern("x - - -", 1), crash = ParsePattern("x", 1);

    Track& pad = song.AddTrack("pad", SynthInstrument(patches::DarkPad()), {0.9f, 0.0f, 0.0f, 0.45f, 0.6f, 0.35f});
    pad.Add(padA, 0, 5).Add(padB, 20, 2).Add(padA, 28, 2);

    Track& arp = song.AddTrack("arp", SynthInstrument(patches::Pluck()), {0.55f, 0.3f, 0.35f, 0.25f, 0.0f, 0.4f});
    arp.Add(arpA, 0, 1, 0, 0.8f, 0.25f, 0.7f).Add(arpA, 4, 4, 0, 0.9f, 0.7f, 1.0f).Add(arpB, 20, 2);
    arp.Add(arpA, 28, 1, 0, 0.8f, 1.0f, 0.6f).Add(arpA, 32, 1, 0, 0.8f, 0.6f, 0.3f);

    Track& bass = song.AddTrack("bass", SynthInstrument(patches::PulseBass()), {0.9f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f});
    bass.Add(bassA, 4, 4, 0, 0.9f, 0.6f, 1.0f).Add(bassB, 20, 2).Add(bassLong, 28).Add(bassA, 32, 1, 0, 0.9f, 1.0f, 0.5f);

    Track& lead = song.AddTrack("lead", SynthInstrument(patches::SawLead()), {0.8f, -0.1f, 0.35f, 0.35f, 0.0f, 0.0f});
    lead.Add(melodyA, 12).Add(melodyB, 20);
    Track& echoLead = song.AddTrack("echo", SynthInstrument(patches::SquareLead()), {0.6f, 0.2f, 0.5f, 0.5f});
    echoLead.Add(echo, 28, 1, 0, 0.7f, 0.6f, 0.6f);

    Track& kickTrack = song.AddTrack("kick", KickInstrument(KickShape{}), {0.9f});
    kickTrack.isKick = true;
    kickTrack.Add(kick, 4, 24).Add(kick, 32, 4);
    song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.55f, 0.05f, 0.0f, 0.3f}, 3).Add(snare, 12, 16).Add(snare, 32, 3);
    song.AddTrack("clap", ClapInstrument(), {0.35f, -0.05f, 0.0f, 0.4f}, 3).Add(snare, 20, 8);
    song.AddTrack("hats", HatInstrument(), {0.52f, 0.25f, 0.0f, 0.1f}, 3).Add(hats, 8, 20).Add(hats, 32, 4);
    song.AddTrack("riser", RiserInstrument(), {0.5f, 0.0f, 0.0f, 0.4f}).Add(riser, 3).Add(riser, 19).Add(riser, 31);
    song.AddTrack("crash", CrashInstrument(), {0.4f, -0.2f, 0.0f, 0.3f}).Add(crash, 4).Add(crash, 12).Add(crash, 20).Add(crash, 32);
    return song;
}

}  // namespace kr::audio
