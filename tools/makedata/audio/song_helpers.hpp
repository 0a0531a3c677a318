#pragma once
// Shorthands for writing the songs: motifs expanded over chord progressions.

#include <string>
#include <string_view>
#include <vector>

#include "audio/sequencer.hpp"

namespace kr::audio {

// "c#3" for MIDI 49: the name ParseNoteName reads back.
std::string NoteName(int midi);

// One copy of `motif` per chord, joined. Chords are note names joined by
// ':' ("d3:f3:a3"). Motif tokens: a digit n plays the chord's n-th note, a
// digit followed by ' plays it an octave up and by , an octave down;
// ".", "-" and velocity marks pass through.
std::string OverChords(std::string_view motif, const std::vector<std::string>& chords);

// The text repeated `times` times.
std::string Repeat(std::string_view text, int times);

// Every chord of a progression held for `beats`.
Pattern ChordPattern(const std::vector<std::string>& chords, double beats);

}  // namespace kr::audio
