// Orbit theme: the space battle at 120 BPM in F# minor. Pulsing sixteenth
// bass, a glassy arpeggio and a soaring lead; the last bars fall back into
// the opening groove, because the piece loops for as long as the fight.

#include "audio/instruments.hpp"
#include "audio/song_helpers.hpp"
#include "audio/songs.hpp"

namespace kr::audio {
namespace {

const std::vector<std::string> kVersePad = {"f#3:a3:c#4:f#4", "d3:f#3:a3:d4", "a2:c#3:e3:a3", "e3:g#3:b3:e4"};
const std::vector<std::string> kVerseRoots = {"f#1", "d1", "a1", "e1"};
const std::vector<std::string> kVerseArp = {"f#4:a4:c#5:f#5", "f#4:a4:d5:f#5", "e4:a4:c#5:e5", "e4:g#4:b4:e5"};
const std::vector<std::string> kLiftPad = {"b2:d3:f#3:b3", "d3:f#3:a3:d4", "a2:c#3:e3:a3", "c#3:e#3:g#3:c#4"};
const std::vector<std::string> kLiftRoots = {"b1", "d2", "a1", "c#2"};
const std::vector<std::string> kLiftArp = {"f#4:b4:d5:f#5", "f#4:a4:d5:f#5", "e4:a4:c#5:e5", "e#4:g#4:c#5:e#5"};

constexpr const char* kBassMotif = "0! 0 0' 0 0 0' 0 0 0! 0 0' 0 0 0 0' 0";
constexpr const char* kArpMotif = "0 2 1 3 2 0' 3 1 0 2 1 3 2 0' 3 2";
constexpr const char* kArpMotif2 = "0' 3 2 1 3 2 1 0 2 1 0 1 2 3 0' 3";
constexpr const char* kStabMotif = "0:1:2:3! . . 0:1:2:3 . . . . 0:1:2:3 . . 0:1:2:3 . . . .";

constexpr const char* kLead =
    "c#5 - - - - - f#5 -  e5 - - - d5 - c#5 -  a4 - - - - - c#5 e5  e5 - - - - - . . "
    "c#5 - - - - - f#5 -  a5 - - - g#5 - e5 -  f#5 - - - e5 - c#5 -  c#5 - - - - - . .";
constexpr const char* kLift =
    "f#5 - - - e5 - d5 -  f#5 - - - a5 - - -  e5 - - - c#5 - a4 -  g#4 - - - e#5 - - - "
    "f#5 - - - e5 - d5 -  d5 - e5 - f#5 - a5 -  a5 - g#5 - e5 - c#5 -  c#5 - - - - - - -";
constexpr const char* kPing = "f#5 . . c#6 . . a5 . . . e5 . . . . .";

constexpr const char* kKick = "X . . . x . . . x . . . x . . .";
constexpr const char* kHalfKick = "X . . . . . . . x . . x . . . .";
constexpr const char* kClap = ". . . . x . . . . . . . x . . .";
constexpr const char* kHats = "o o X o o o X o o o X o o x X o";
constexpr const char* kSoftHats = ". . x . . . x . . . x . . . x .";
constexpr const char* kRoll = "x . x . x . x . x x x x x x x x";
constexpr const char* kToms = ". . . . . . . . x . x . x x x x";

}  // namespace

Song OrbitTheme() {
    Song song;
    song.name = "orbittheme";
    song.bpm = 120;
    song.lengthBeats = 38 * 4;
    song.tailSeconds = 3.0;
    song.loops = true;
    song.reverb = {0.86f, 0.4f, 3.0};
    song.delay.feedback = 0.4f;

    const Pattern versePad = ChordPattern(kVersePad, 4), liftPad = ChordPattern(kLiftPad, 4);
    const Pattern verseBass = ParsePattern(OverChords(kBassMotif, kVerseRoots), 0.25);
    const Pattern liftBass = ParsePattern(OverChords(kBassMotif, kLiftRoots), 0.25);
    const Pattern longBass = ParsePattern(OverChords("0 - - - - - - -", kVerseRoots), 0.5);
    // The last two bars: the first half of the verse, leading back into the top.
    const std::vector<std::string> homeRoots(kVerseRoots.begin(), kVerseRoots.begin() + 2);
    const std::vector<std::string> homeArpChords(kVerseArp.begin(), kVerseArp.begin() + 2);
    const Pattern homeBass = ParsePattern(OverChords(kBassMotif, homeRoots), 0.25);
    const Pattern homeArp = ParsePattern(OverChords(kArpMotif, homeArpChords), 0.25);
    const Pattern verseArp = ParsePattern(OverChords(kArpMotif, kVerseArp), 0.25);
    const Pattern verseArp2 = ParsePattern(OverChords(kArpMotif2, kVerseArp), 0.25);
    const Pattern liftArp = ParsePattern(OverChords(kArpMotif, kLiftArp), 0.25);
    const Pattern stabs = ParsePattern(OverChords(kStabMotif, kLiftArp), 0.25);
    const Pattern lead = ParsePattern(kLead, 0.5), lift = ParsePattern(kLift, 0.5), ping = ParsePattern(kPing, 0.25);
    const Pattern kick = ParsePattern(kKick, 0.25), halfKick = ParsePattern(kHalfKick, 0.25);
    const Pattern clap = ParsePattern(kClap, 0.25), hats = ParsePattern(kHats, 0.25);
    const Pattern softHats = ParsePattern(kSoftHats, 0.25), roll = ParsePattern(kRoll, 0.25);
    const Pattern toms = ParsePattern(kToms, 0.25);
    const Pattern riser = ParsePattern("x - - -", 1), longRiser = ParsePattern("x - - - - - - -", 1);
    const Pattern crash = ParsePattern("x", 1);

    // Bars 0-4 open (and are where the loop lands), 4-12 groove, 12-20 lead,
    // 20-24 break, 24-32 lift, 32-38 the groove again, thinning into the top.
    Track& pad = song.AddTrack("pad", SynthInstrument(patches::SuperSawPad()), {1.1f, 0.0f, 0.0f, 0.4f, 0.55f, 0.5f});
    pad.Add(versePad, 0, 3, 0, 0.75f, 0.5f, 0.8f).Add(versePad, 12, 2).Add(liftPad, 20, 3, 0, 0.9f, 0.5f, 1.1f);
    pad.Add(versePad, 32, 1, 0, 0.85f, 0.9f, 0.6f).Add(ChordPattern({"f#3:a3:c#4:f#4", "d3:f#3:a3:d4"}, 4), 36, 1, 0, 0.75f, 0.6f, 0.5f);

    Track& bass = song.AddTrack("bass", SynthInstrument(patches::GrowlBass()), {1.3f, 0.0f, 0.0f, 0.0f, 0.0f, 0.6f});
    bass.Add(verseBass, 0, 1, 0, 0.85f, 0.25f, 0.7f).Add(verseBass, 4, 4).Add(longBass, 20);
    bass.Add(liftBass, 24, 2).Add(verseBass, 32, 1).Add(homeBass, 36, 1, 0, 0.85f, 0.7f, 0.25f);

    Track& arp = song.AddTrack("arp", SynthInstrument(patches::Pluck()), {0.5f, 0.35f, 0.35f, 0.25f, 0.0f, 0.4f});
    arp.Add(verseArp, 0, 1, 0, 0.8f, 0.4f, 0.8f).Add(verseArp, 4, 2, 0, 0.85f, 0.6f, 1.1f).Add(verseArp2, 12, 2);
    arp.Add(verseArp2, 20, 1, 0, 0.8f, 0.4f, 1.0f).Add(liftArp, 24, 2).Add(verseArp, 32, 1).Add(homeArp, 36, 1, 0, 0.8f, 1.0f, 0.4f);

    Track& pings = song.AddTrack("ping", FmInstrument(FmPatch{}), {0.35f, -0.4f, 0.5f, 0.45f});
    pings.Add(ping, 8, 4, 0, 0.7f).Add(ping, 20, 4, 0, 0.8f);

    Track& brass = song.AddTrack("brass", SynthInstrument(patches::Brass()), {0.5f, -0.3f, 0.15f, 0.3f, 0.0f, 0.3f});
    brass.Add(stabs, 24, 2);

    Track& leadTrack = song.AddTrack("lead", SynthInstrument(patches::SawLead()), {0.8f, 0.0f, 0.3f, 0.3f});
    leadTrack.Add(lead, 12).Add(lift, 24, 1, 0, 1.0f, 1.1f, 1.2f);
    Track& lower = song.AddTrack("lead2", SynthInstrument(patches::SquareLead()), {0.4f, 0.25f, 0.25f, 0.3f});
    lower.Add(lift, 24, 1, -12);

    Track& kickTrack = song.AddTrack("kick", KickInstrument(KickShape{}), {0.75f});
    kickTrack.isKick = true;
    kickTrack.Add(halfKick, 0, 4).Add(kick, 4, 16).Add(halfKick, 20, 4).Add(kick, 24, 12).Add(halfKick, 36, 2);
    song.AddTrack("clap", ClapInstrument(), {0.45f, 0.0f, 0.0f, 0.3f}, 3).Add(clap, 4, 16).Add(clap, 24, 12);
    song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.5f, 0.05f, 0.0f, 0.25f}, 3)
        .Add(clap, 12, 8).Add(roll, 23, 1, 0, 0.9f).Add(clap, 24, 8);
    song.AddTrack("hats", HatInstrument(), {0.42f, 0.3f}, 3)
        .Add(softHats, 0, 4).Add(hats, 4, 16).Add(softHats, 20, 4).Add(hats, 24, 12).Add(softHats, 36, 2);
    song.AddTrack("toms", TomInstrument(), {0.5f, -0.2f, 0.0f, 0.2f}).Add(toms, 11).Add(toms, 31);
    song.AddTrack("riser", RiserInstrument(), {0.45f, 0.0f, 0.0f, 0.4f}).Add(riser, 3).Add(riser, 11).Add(longRiser, 22).Add(riser, 37);
    song.AddTrack("crash", CrashInstrument(), {0.4f, 0.2f, 0.0f, 0.3f}).Add(crash, 4).Add(crash, 12).Add(crash, 24).Add(crash, 32);
    return song;
}

}  // namespace kr::audio
