#pragma once
// The game's sound effects, each synthesised from layers. The table gives
// the file each one is written to.

#include <string>
#include <vector>

#include "audio/signal.hpp"

namespace kr::audio {

enum class SoundFormat { Wav, Wma };

struct SoundEffect {
    std::string file;   // under sound\, e.g. "laser.wav"
    SoundFormat format;
    Stereo (*render)();  // mono effects return equal channels
};

const std::vector<SoundEffect>& SoundEffects();

namespace sfx {
// Interface (sfx_interface.cpp)
Stereo Hover();          // click2.wav: pointer onto a button, a key typed
Stereo Confirm();        // click3.wav: a click or a confirmation
Stereo Back();           // flash.wav: backing out or clearing
Stereo OptionChange();   // click1.wav: an option changed
Stereo Alarm();          // alarm.wav: exit question, low life
Stereo Loading();        // load.wma: plays while loading
// Events (sfx_events.cpp)
Stereo MakerLogo();      // velmor.wav: the maker's logo
Stereo LogoImpact();     // exit.wav: deep impact with the logo
Stereo BossStinger();    // endmis.wav: boss arrives, mission results
Stereo Powerup();        // powerup.wav
Stereo ShieldUp();       // inv_bgn.wav: invulnerability or ability starts
Stereo ShieldDown();     // inv_end.wav: it wears off
// Weapons (sfx_weapons.cpp)
Stereo DefaultGun();     // laser.wav: the main gun before a mission picks one
Stereo LaserGun();       // laser.wma
Stereo PlasmaGun();      // plasma.wma
Stereo GaussGun();       // gauss.wma
Stereo MachineGun();     // machinegun.wma
Stereo EnemyShot();      // enemyshoot.wav
Stereo HomingRocket();   // rocket1.wav
Stereo StraightRocket(); // rocket2.wav
Stereo GroundCannon();   // cannon.wav
// Impacts (sfx_impacts.cpp)
Stereo Explosion(int variant);  // exp0.wav .. exp3.wav
Stereo ExplosiveHit();   // exphit.wav
Stereo Hit(int variant);        // hit.wav, hit2.wav .. hit4.wav (variant 0..3)
Stereo PlayerHit();      // playerhit.wav
}  // namespace sfx

}  // namespace kr::audio
