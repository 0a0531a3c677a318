#include "audio/sound_effects.hpp"

namespace kr::audio {

const std::vector<SoundEffect>& SoundEffects() {
    static const std::vector<SoundEffect> kEffects = {
        {"laser.wav", SoundFormat::Wav, &sfx::DefaultGun},
        {"load.wma", SoundFormat::Wma, &sfx::Loading},
        {"velmor.wav", SoundFormat::Wav, &sfx::MakerLogo},
        {"powerup.wav", SoundFormat::Wav, &sfx::Powerup},
        {"exp0.wav", SoundFormat::Wav, [] { return sfx::Explosion(0); }},
        {"exp1.wav", SoundFormat::Wav, [] { return sfx::Explosion(1); }},
        {"exp2.wav", SoundFormat::Wav, [] { return sfx::Explosion(2); }},
        {"exp3.wav", SoundFormat::Wav, [] { return sfx::Explosion(3); }},
        {"exit.wav", SoundFormat::Wav, &sfx::LogoImpact},
        {"endmis.wav", SoundFormat::Wav, &sfx::BossStinger},
        {"alarm.wav", SoundFormat::Wav, &sfx::Alarm},
        {"exphit.wav", SoundFormat::Wav, &sfx::ExplosiveHit},
        {"hit.wav", SoundFormat::Wav, [] { return sfx::Hit(0); }},
        {"hit2.wav", SoundFormat::Wav, [] { return sfx::Hit(1); }},
        {"hit3.wav", SoundFormat::Wav, [] { return sfx::Hit(2); }},
        {"hit4.wav", SoundFormat::Wav, [] { return sfx::Hit(3); }},
        {"click1.wav", SoundFormat::Wav, &sfx::OptionChange},
        {"flash.wav", SoundFormat::Wav, &sfx::Back},
        {"click3.wav", SoundFormat::Wav, &sfx::Confirm},
        {"click2.wav", SoundFormat::Wav, &sfx::Hover},
        {"rocket1.wav", SoundFormat::Wav, &sfx::HomingRocket},
        {"rocket2.wav", SoundFormat::Wav, &sfx::StraightRocket},
        {"inv_bgn.wav", SoundFormat::Wav, &sfx::ShieldUp},
        {"inv_end.wav", SoundFormat::Wav, &sfx::ShieldDown},
        {"enemyshoot.wav", SoundFormat::Wav, &sfx::EnemyShot},
        {"playerhit.wav", SoundFormat::Wav, &sfx::PlayerHit},
        {"cannon.wav", SoundFormat::Wav, &sfx::GroundCannon},
        {"laser.wma", SoundFormat::Wma, &sfx::LaserGun},
        {"plasma.wma", SoundFormat::Wma, &sfx::PlasmaGun},
        {"gauss.wma", SoundFormat::Wma, &sfx::GaussGun},
        {"machinegun.wma", SoundFormat::Wma, &sfx::MachineGun},
    };
    return kEffects;
}

}  // namespace kr::audio
