// Mission-end theme: a C-minor fanfare, a calmer middle where a square lead
// answers it over the pads, the fanfare again and a settling end; made to
// loop while the results are shown.

#include "audio/instruments.hpp"
#include "audio/song_helpers.hpp"
#include "audio/songs.hpp"

namespace kr::audio {
namespace {

const std::vector<std::string> kPadA = {"c3:eb3:g3:c4", "c3:eb3:ab3:c4", "eb3:g3:bb3:eb4", "d3:f3:bb3:d4"};
const std::vector<std::string> kPadB = {"c3:eb3:ab3:c4", "d3:f3:bb3:d4", "c3:eb3:g3:c4", "c3:eb3:g3:c4"};
const std::vector<std::string> kRootsA = {"c2", "ab1", "eb2", "bb1"};
const std::vector<std::string> kRootsB = {"ab1", "bb1", "c2", "c2"};
const std::vector<std::string> kArpA = {"c4:eb4:g4:c5", "c4:eb4:ab4:c5", "eb4:g4:bb4:eb5", "d4:f4:bb4:d5"};
const std::vector<std::string> kArpB = {"c4:eb4:ab4:c5", "d4:f4:bb4:d5", "c4:eb4:g4:c5", "c4:eb4:g4:c5"};

constexpr const char* kBassMotif = "0! . 0 0' . 0 0' 0";
constexpr const char* kArpMotif = "0 1 2 3 2 1 2 3 0 1 2 3 2 1 2 1";
constexpr const char* kFanfare =
    "g4 - - - c5 - - d5  eb5 - - - d5 - c5 -  bb4 - - - g4 - bb4 -  d5 - - - - - . . "
    "c5 - - - eb5 - - -  f5 - - - d5 - bb4 -  c5 - - - - - - -  - - - - . . . .";

constexpr const char* kAnswer =
    "c5 - - - eb5 - ab4 -  bb4 - - - d5 - f5 -  g5 - - - f5 - eb5 -  d5 - - - c5 - - - "
    "g4 - c5 - eb5 - g5 -  ab5 - - - g5 - eb5 -  bb4 - - - eb5 - g5 -  f5 - - - d5 - - .";

constexpr const char* kKick = "X . . . x . . . x . . . x . . .";
constexpr const char* kSnare = ". . . . x . . . . . . . x . x o";
constexpr const char* kHats = ". . x . . . x . . . x . . . x o";

}  // namespace

Song MissionEndTheme() {
    Song song;
    song.name = "missionend";
    song.bpm = 112;
    song.lengthBeats = 32 * 4;
    song.fadeInBeats = 2;
    song.fadeOutBeats = 6;
    song.tailSeconds = 0.4;
    song.reverb = {0.85f, 0.4f, 2.5};

    const Pattern padA = ChordPattern(kPadA, 4), padB = ChordPattern(kPadB, 4);
    const Pattern bassA = ParsePattern(OverChords(kBassMotif, kRootsA), 0.5);
    const Pattern bassB = ParsePattern(OverChords(kBassMotif, kRootsB), 0.5);
    const Pattern arpA = ParsePattern(OverChords(kArpMotif, kArpA), 0.25);
    const Pattern arpB = ParsePattern(OverChords(kArpMotif, kArpB), 0.25);
    const Pattern fanfare = ParsePattern(kFanfare, 0.5), answer = ParsePattern(kAnswer, 0.5);
    const Pattern kick = ParsePattern(kKick, 0.25), snare = ParsePattern(kSnare, 0.25);
    const Pattern hats = ParsePattern(kHats, 0.25), crash = ParsePattern("x", 1);

    // Bars 0-3 intro, 4-11 fanfare, 12-19 the answer, 20-27 fanfare, 28-31 settling.
    Track& pad = song.AddTrack("pad", SynthInstrument(patches::SuperSawPad()), {1.2f, 0.0f, 0.0f, 0.4f, 0.5f, 0.35f});
    pad.Add(padA, 0, 2).Add(padB, 8, 2).Add(padA, 16, 2).Add(padB, 24).Add(padA, 28, 1, 0, 0.9f, 1.0f, 0.6f);
    Track& arp = song.AddTrack("arp", SynthInstrument(patches::Pluck()), {0.5f, 0.3f, 0.35f, 0.25f, 0.0f, 0.4f});
    arp.Add(arpA, 0, 1, 0, 0.8f, 0.3f, 0.9f).Add(arpA, 4).Add(arpB, 8).Add(arpB, 12, 1, 0, 0.75f, 0.7f, 0.7f);
    arp.Add(arpA, 16, 1, 0, 0.8f, 0.7f, 1.0f).Add(arpA, 20).Add(arpB, 24).Add(arpA, 28, 1, 0, 0.9f, 1.0f, 0.4f);
    Track& bass = song.AddTrack("bass", SynthInstrument(patches::PulseBass()), {0.85f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f});
    bass.Add(bassA, 4).Add(bassB, 8).Add(bassB, 12, 1, 0, 0.8f).Add(bassA, 16).Add(bassA, 20).Add(bassB, 24);
    bass.Add(bassA, 28, 1, 0, 0.9f, 1.0f, 0.6f);
    Track& brass = song.AddTrack("brass", SynthInstrument(patches::Brass()), {0.6f, -0.25f, 0.2f, 0.35f});
    brass.Add(fanfare, 4, 1, -12, 0.8f).Add(fanfare, 20, 1, -12, 0.85f);
    song.AddTrack("lead", SynthInstrument(patches::SawLead()), {0.8f, 0.05f, 0.3f, 0.35f}).Add(fanfare, 4).Add(fanfare, 20);
    song.AddTrack("answer", SynthInstrument(patches::SquareLead()), {0.6f, 0.15f, 0.4f, 0.4f}).Add(answer, 12, 1, 0, 0.85f);

    Track& kickTrack = song.AddTrack("kick", KickInstrument(KickShape{}), {0.85f});
    kickTrack.isKick = true;
    kickTrack.Add(kick, 4, 8).Add(kick, 16, 12);
    song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.5f, 0.0f, 0.0f, 0.3f}, 3).Add(snare, 4, 8).Add(snare, 20, 8);
    song.AddTrack("hats", HatInstrument(), {0.8f, 0.3f}, 3).Add(hats, 4, 25);
    Track& riser = song.AddTrack("riser", RiserInstrument(), {0.4f, 0.0f, 0.0f, 0.4f});
    riser.Add(ParsePattern("x - - -", 1), 3).Add(ParsePattern("x - - -", 1), 19);
    song.AddTrack("crash", CrashInstrument(), {0.35f, 0.2f, 0.0f, 0.3f}).Add(crash, 4).Add(crash, 12).Add(crash, 20).Add(crash, 28);
    return song;
}

}  // namespace kr::audio
