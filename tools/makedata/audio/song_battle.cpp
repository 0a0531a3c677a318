// Battle theme: four-on-the-floor at 126 BPM, a galloping E-minor bass and
// a heroic lead over brass stabs.

#include "audio/instruments.hpp"
#include "audio/song_helpers.hpp"
#include "audio/songs.hpp"

namespace kr::audio {
namespace {

const std::vector<std::string> kVersePad = {"e3:g3:b3:e4", "e3:g3:c4:e4", "e3:a3:c4:e4", "d#3:f#3:b3:d#4"};
const std::vector<std::string> kVerseRoots = {"e2", "c2", "a1", "b1"};
const std::vector<std::string> kVerseArp = {"e4:g4:b4:e5", "e4:g4:c5:e5", "e4:a4:c5:e5", "d#4:f#4:b4:d#5"};
const std::vector<std::string> kChorusPad = {"e3:g3:c4:e4", "d3:f#3:a3:d4", "d3:f#3:b3:d4", "e3:g3:b3:e4",
                                             "e3:g3:c4:e4", "d3:f#3:a3:d4", "d#3:f#3:b3:d#4", "d#3:f#3:b3:d#4"};
const std::vector<std::string> kChorusRoots = {"c2", "d2", "b1", "e2", "c2", "d2", "b1", "b1"};
const std::vector<std::string> kChorusArp = {"e4:g4:c5:e5", "d4:f#4:a4:d5", "d4:f#4:b4:d5", "e4:g4:b4:e5",
                                             "e4:g4:c5:e5", "d4:f#4:a4:d5", "d#4:f#4:b4:d#5", "d#4:f#4:b4:d#5"};

constexpr const char* kBassMotif = "0! 0 0' 0 0 0 0' 0 0! 0 0' 0 0 0' 0 0'";
constexpr const char* kArpMotif = "0 1 2 3 2 1 0 1 2 3 2 1 3 2 1 2";
constexpr const char* kArpMotif2 = "3 2 1 0 1 2 3 2 0' 3 2 1 0 1 2 3";
constexpr const char* kStabMotif = "0:1:2:3! . . 0:1:2:3 . . 0:1:2:3 . . . 0:1:2:3 . 0:1:2:3 . . .";

constexpr const char* kLead =
    "e5 - - - g5 - - e5  f#5 - - - a5 - f#5 d5  f#5 - - - - - e5 d5  e5 - - - b4 - - - "
    "e5 - - - g5 - a5 -  b5 - - - a5 - f#5 -  d#5 - - - f#5 - - -  b5 - - - - - . .";
constexpr const char* kRiff = "e4 . e4 g4 . e4 a4 . g4 . e4 . d4 - e4 -";

constexpr const char* kKick = "X . . . x . . . x . . . x . . .";
constexpr const char* kClap = ". . . . x . . . . . . . x . . .";
constexpr const char* kHats = "o o X o o o X o o o X o o o X o";
constexpr const char* kIntroHats = ". . x . . . x . . . x . . . x .";
constexpr const char* kRoll = "x . x . x . x . x x x x x x x x";
constexpr const char* kToms = ". . . . . . . . x . x . x . x x";

}  // namespace

Song BattleTheme() {
    Song song;
    song.name = "battletheme";
    song.bpm = 126;
    song.lengthBeats = 40 * 4;
    song.fadeInBeats = 2;
    song.fadeOutBeats = 8;
    song.tailSeconds = 0.5;
    song.reverb = {0.8f, 0.45f, 2.5};
    song.delay.feedback = 0.35f;

    const Pattern versePad = ChordPattern(kVersePad, 4), chorusPad = ChordPattern(kChorusPad, 4);
    const Pattern verseBass = ParsePattern(OverChords(kBassMotif, kVerseRoots), 0.25);
    const Pattern chorusBass = ParsePattern(OverChords(kBassMotif, kChorusRoots), 0.25);
    const Pattern verseArp = ParsePattern(OverChords(kArpMotif, kVerseArp), 0.25);
    const Pattern verseArp2 = ParsePattern(OverChords(kArpMotif2, kVerseArp), 0.25);
    const Pattern chorusArp = ParsePattern(OverChords(kArpMotif, kChorusArp), 0.25);
    const Pattern stabs = ParsePattern(OverChords(kStabMotif, kChorusArp), 0.25);
    const Pattern lead = ParsePattern(kLead, 0.5), riff = ParsePattern(kRiff, 0.25);
    const Pattern kick = ParsePattern(kKick, 0.25), clap = ParsePattern(kClap, 0.25);
    const Pattern hats = ParsePattern(kHats, 0.25), introHats = ParsePattern(kIntroHats, 0.25);
    const Pattern roll = ParsePattern(kRoll, 0.25), toms = ParsePattern(kToms, 0.25);
    const Pattern riser = ParsePattern("x - - -", 1), longRiser = ParsePattern("x - - - - - - -", 1);
    const Pattern crash = ParsePattern("x", 1);

    Track& pad = song.AddTrack("pad", SynthInstrument(patches::SuperSawPad()), {1.2f, 0.0f, 0.0f, 0.35f, 0.5f, 0.5f});
    pad.Add(versePad, 4, 2, 0, 0.8f, 0.6f, 0.8f).Add(chorusPad, 12).Add(versePad, 20, 1, 0, 0.9f, 0.5f, 1.0f);
    pad.Add(chorusPad, 24).Add(versePad, 32, 2, 0, 0.8f, 0.8f, 0.5f);

    Track& bass = song.AddTrack("bass", SynthInstrument(patches::GrowlBass()), {1.4f, 0.0f, 0.0f, 0.0f, 0.0f, 0.6f});
    bass.Add(verseBass, 0, 1, 0, 0.9f, 0.2f, 0.8f).Add(verseBass, 4, 2).Add(chorusBass, 12);
    bass.Add(verseBass, 20, 1, 0, 0.8f, 0.3f, 0.9f).Add(chorusBass, 24).Add(verseBass, 32, 2);

    Track& arp = song.AddTrack("arp", SynthInstrument(patches::Pluck()), {0.45f, 0.35f, 0.3f, 0.2f, 0.0f, 0.4f});
    arp.Add(verseArp, 4, 2, 0, 0.8f, 0.5f, 1.0f).Add(chorusArp, 12).Add(verseArp2, 20, 1, 0, 0.9f, 0.4f, 1.2f);
    arp.Add(chorusArp, 24).Add(verseArp2, 32, 2, 0, 0.9f, 1.0f, 0.5f);

    Track& brass = song.AddTrack("brass", SynthInstrument(patches::Brass()), {0.55f, -0.3f, 0.15f, 0.3f, 0.0f, 0.3f});
    brass.Add(stabs, 12).Add(stabs, 24);

    Track& leadTrack = song.AddTrack("lead", SynthInstrument(patches::SawLead()), {0.85f, 0.0f, 0.3f, 0.3f});
    leadTrack.Add(lead, 12).Add(lead, 24, 1, 0, 1.0f, 1.2f, 1.2f);
    Track& lower = song.AddTrack("lead2", SynthInstrument(patches::SquareLead()), {0.45f, 0.25f, 0.2f, 0.3f});
    lower.Add(lead, 24, 1, -12);
    Track& riffTrack = song.AddTrack("riff", SynthInstrument(patches::SquareLead()), {0.4f, -0.25f, 0.35f, 0.25f});
    riffTrack.Add(riff, 8, 4, 0, 0.8f).Add(riff, 32, 4, 0, 0.8f);

    Track& kickTrack = song.AddTrack("kick", KickInstrument(KickShape{}), {0.75f});
    kickTrack.isKick = true;
    kickTrack.Add(kick, 0, 20).Add(kick, 24, 16);
    song.AddTrack("clap", ClapInstrument(), {0.45f, 0.0f, 0.0f, 0.3f}, 3).Add(clap, 4, 16).Add(clap, 24, 16);
    song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.5f, 0.05f, 0.0f, 0.25f}, 3)
        .Add(clap, 12, 8).Add(roll, 23, 1, 0, 0.9f).Add(clap, 24, 8);
    song.AddTrack("hats", HatInstrument(), {0.45f, 0.3f}, 3).Add(introHats, 0, 4).Add(hats, 4, 16).Add(hats, 24, 16);
    song.AddTrack("toms", TomInstrument(), {0.5f, -0.2f, 0.0f, 0.2f}).Add(toms, 11).Add(toms, 31);
    song.AddTrack("riser", RiserInstrument(), {0.45f, 0.0f, 0.0f, 0.4f}).Add(riser, 3).Add(riser, 11).Add(longRiser, 22);
    song.AddTrack("crash", CrashInstrument(), {0.4f, 0.2f, 0.0f, 0.3f}).Add(crash, 4).Add(crash, 12).Add(crash, 24).Add(crash, 32);
    return song;
}

}  // namespace kr::audio
