// The sequencer: pattern text, timing to the sample, arrangement helpers
// and the song mix.

#include <gtest/gtest.h>

#include "audio/instruments.hpp"
#include "audio/loudness.hpp"
#include "audio/sequencer.hpp"
#include "audio/song_helpers.hpp"
#include "engine/error.hpp"

namespace kr::audio {
namespace {

// An instrument that plays one full-scale sample at the note's start.
Instrument Click() {
    return [](const Note&, double, std::uint64_t) { return Mono{1.0f, 0.0f, 0.0f}; };
}

TEST(Patterns, NoteNamesAreMidiNumbers) {
    EXPECT_EQ(ParseNoteName("c4"), 60);
    EXPECT_EQ(ParseNoteName("a4"), 69);
    EXPECT_EQ(ParseNoteName("c#3"), 49);
    EXPECT_EQ(ParseNoteName("eb4"), 63);
    EXPECT_EQ(ParseNoteName("bb1"), 34);
    EXPECT_EQ(ParseNoteName("B2"), 47);
    for (const char* bad : {"", "h4", "c", "c#", "cb", "c44", "x4"}) {
        EXPECT_THROW(ParseNoteName(bad), Error) << bad;
    }
    EXPECT_EQ(NoteName(49), "c#3");
    EXPECT_EQ(ParseNoteName(NoteName(34)), 34);
}

TEST(Patterns, StepsRestsTiesChordsAndAccents) {
    const Pattern p = ParsePattern("c4 - . e4:g4! x? X .", 0.5);
    EXPECT_DOUBLE_EQ(p.beats, 3.5);
    ASSERT_EQ(p.notes.size(), 5u);
    EXPECT_EQ(p.notes[0].pitch, 60.0f);
    EXPECT_DOUBLE_EQ(p.notes[0].beat, 0.0);
    EXPECT_DOUBLE_EQ(p.notes[0].beats, 1.0);  // held over the tie
    EXPECT_DOUBLE_EQ(p.notes[1].beat, 1.5);
    EXPECT_EQ(p.notes[1].pitch, 64.0f);
    EXPECT_EQ(p.notes[2].pitch, 67.0f);
    EXPECT_EQ(p.notes[2].velocity, 1.0f);
    EXPECT_LT(p.notes[1].velocity, 1.0f);
    EXPECT_LT(p.notes[3].velocity, p.notes[1].velocity);  // ghost
    EXPECT_EQ(p.notes[4].velocity, 1.0f);                 // accented hit
    EXPECT_DOUBLE_EQ(p.notes[4].beat, 2.5);
}

TEST(Patterns, BadTokensAreNamedInTheError) {
    try {
        ParsePattern("c4 q9 .", 1);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_NE(std::string(error.what()).find("q9"), std::string::npos) << error.what();
    }
    EXPECT_THROW(ParsePattern("xq", 1), Error);
}

TEST(Patterns, MotifsExpandOverChords) {
    EXPECT_EQ(OverChords("0 1' . 2,:0", {"c3:e3:g3", "a2:c3:e3"}), "c3 e4 . g2:c3 a2 c4 . e2:a2 ");
    EXPECT_THROW(OverChords("3", {"c3:e3:g3"}), Error);
    EXPECT_EQ(Repeat("x .", 2), "x . x . ");
}

TEST(Sequencer, BeatsLandOnTheirSample) {
    EXPECT_EQ(BeatToFrame(0, 120), 0u);
    EXPECT_EQ(BeatToFrame(1, 120), 22050u);
    EXPECT_EQ(BeatToFrame(4, 100), 105840u);
    EXPECT_DOUBLE_EQ(BeatsToSeconds(3, 120), 1.5);
}

TEST(Sequencer, NotesStartAtTheRightSampleAndPlacementsRepeat) {
    Song song;
    song.bpm = 100;
    song.lengthBeats = 8;
    song.tailSeconds = 0;
    song.AddTrack("clicks", Click(), TrackMix{}).Add(ParsePattern(". x . .", 1), 0, 2);
    const Stereo mix = MixSong(song);
    std::vector<std::size_t> onsets;
    for (std::size_t i = 0; i < mix.Frames(); ++i) {
        if (mix.left[i] != 0.0f) onsets.push_back(i);
    }
    ASSERT_EQ(onsets.size(), 2u);
    EXPECT_EQ(onsets[0], BeatToFrame(1, 100));
    EXPECT_EQ(onsets[1], BeatToFrame(5, 100));
    EXPECT_FLOAT_EQ(mix.left[onsets[0]], 1.0f);  // centre pan: full level both sides
    EXPECT_FLOAT_EQ(mix.right[onsets[0]], 1.0f);
}

TEST(Sequencer, PlacementTransposesScalesAndRampsBrightness) {
    Track track;
    track.Add(ParsePattern("c4 c4 c4 c4", 1), 2, 1, 7, 0.5f, 0.0f, 1.0f);
    ASSERT_EQ(track.notes.size(), 4u);
    EXPECT_DOUBLE_EQ(track.notes[0].beat, 8.0);
    EXPECT_EQ(track.notes[0].pitch, 67.0f);
    EXPECT_FLOAT_EQ(track.notes[0].velocity, 0.4f);
    EXPECT_FLOAT_EQ(track.notes[0].brightness, 0.0f);
    EXPECT_FLOAT_EQ(track.notes[2].brightness, 0.5f);
}

TEST(Sequencer, KickDucksTheTracksThatAskForIt) {
    Song song;
    song.bpm = 120;
    song.lengthBeats = 4;
    song.tailSeconds = 0;
    auto drone = [](const Note&, double gate, std::uint64_t) { return Mono(SecondsToFrames(gate), 0.5f); };
    song.AddTrack("pad", drone, TrackMix{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.8f}).Add(ParsePattern("c4 - - -", 1), 0);
    Track& kick = song.AddTrack("kick", Click(), TrackMix{0.0f});
    kick.isKick = true;
    kick.Add(ParsePattern(". . x .", 1), 0);
    const Stereo mix = MixSong(song);
    EXPECT_FLOAT_EQ(mix.left[BeatToFrame(1, 120)], 0.5f);
    EXPECT_LT(mix.left[BeatToFrame(2, 120)], 0.15f);
    EXPECT_GT(mix.left[BeatToFrame(3, 120) - 1], 0.45f);
}

TEST(Sequencer, SongsRenderTheSameSamplesEveryTime) {
    auto arrange = [] {
        Song song;
        song.bpm = 120;
        song.lengthBeats = 8;
        song.reverb.tailSeconds = 0.5;
        song.AddTrack("pad", SynthInstrument(patches::SuperSawPad()), {0.5f, 0.0f, 0.2f, 0.3f, 0.5f, 0.3f})
            .Add(ChordPattern({"c3:e3:g3", "a2:c3:e3"}, 4), 0);
        song.AddTrack("bells", FmInstrument(FmPatch{}), {0.5f}).Add(ParsePattern("c5 e5 g5 c6", 1), 0, 2);
        Track& kick = song.AddTrack("kick", KickInstrument(KickShape{}), {0.8f});
        kick.isKick = true;
        kick.Add(ParsePattern("x x x x", 1), 0, 2);
        song.AddTrack("hats", HatInstrument(), {0.4f}, 3).Add(ParsePattern("x X x o", 0.5), 0, 4);
        song.AddTrack("snare", SnareInstrument(SnareShape{}), {0.4f}, 3).Add(ParsePattern(". x . x", 1), 0, 2);
        return song;
    };
    const Stereo first = RenderSong(arrange()), second = RenderSong(arrange());
    EXPECT_TRUE(first.left == second.left && first.right == second.right);
    EXPECT_NEAR(IntegratedLoudness(first), arrange().targetLufs, 0.5);
    EXPECT_LE(PeakLevel(first), DecibelsToGain(arrange().ceilingDb) + 1e-4f);
}

}  // namespace
}  // namespace kr::audio
