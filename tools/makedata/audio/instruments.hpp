#pragma once
// Sequencer instruments: the synthesiser voice, the FM tone and the drums
// wrapped for tracks, and the patches the songs share.

#include "audio/drums.hpp"
#include "audio/sequencer.hpp"
#include "audio/voice.hpp"

namespace kr::audio {

Instrument SynthInstrument(SynthPatch patch);
Instrument FmInstrument(FmPatch patch);
Instrument KickInstrument(KickShape shape);
Instrument SnareInstrument(SnareShape shape);
Instrument ClapInstrument();
// Closed hats on normal hits; an accented hit (velocity 1) rings open.
Instrument HatInstrument(float closedSeconds = 0.035f, float openSeconds = 0.28f);
// Pitch of the note chooses the tom's tuning (MIDI 60 = 110 Hz).
Instrument TomInstrument();
Instrument CrashInstrument(float seconds = 2.5f);
// The riser lasts as long as the note is held.
Instrument RiserInstrument();

namespace patches {
SynthPatch PulseBass();     // round octave bass with a short filter blip
SynthPatch GrowlBass();     // brighter, driven saw bass for the battle theme
SynthPatch SuperSawPad();   // wide detuned pad with a slow attack
SynthPatch DarkPad();       // filtered, slower, darker pad
SynthPatch SawLead();       // two detuned saws, vibrato, a slight scoop
SynthPatch SquareLead();    // hollow square lead for softer melodies
SynthPatch Pluck();         // short filter pluck for arpeggios
SynthPatch Brass();         // slow-filter brass stabs
}  // namespace patches

}  // namespace kr::audio
