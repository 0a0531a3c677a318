#pragma once
// The game's music: each function arranges one piece for the sequencer.

#include "audio/sequencer.hpp"

namespace kr::audio {

Song MenuTheme();        // moody, 100 BPM, D minor, about 86 s
Song BattleTheme();      // driving, 126 BPM, E minor, about 76 s
Song OrbitTheme();       // driving and spacious, 120 BPM, F# minor, 76 s, loops seamlessly
Song CreditsTheme();     // melodic, 110 BPM, A minor / C major, about 79 s
Song MissionEndTheme();  // short, 112 BPM, C minor, about 34 s

}  // namespace kr::audio
