#include "app/mission_dump.hpp"

#include "app/game.hpp"
#include "engine/text/cp1250.hpp"

namespace kr {

namespace {

using Json = nlohmann::ordered_json;

Json Vec(const glm::vec3& v) { return Json::array({v.x, v.y, v.z}); }

Json At(const scene::ObjectRef& object) { return object.IsValid() ? Vec(object.Position()) : Json(nullptr); }

Json PlayerShotsJson(const Player& player) {
    Json shots = Json::array();
    for (int n = 1; n <= kPlayerShots; ++n) {
        const PlayerShot& s = player.Shots[n];
        if (s.Active == 0) continue;
        shots.push_back(Json{{"Record", n},
                             {"Kind", s.Kind},
                             {"Vx", s.Vx},
                             {"Vz", s.Vz},
                             {"Damage", s.Damage},
                             {"Name", s.Mesh.IsValid() ? s.Mesh.Name() : std::string()},
                             {"Position", At(s.Mesh)},
                             {"Trail", player.ShotEmitters[n]}});
    }
    return shots;
}

Json EnemyShotsJson(const mission::MissionState& m) {
    Json shots = Json::array();
    for (int n = 1; n <= kEnemyShots; ++n) {
        const EnemyShot& s = m.EnemyShots[n];
        if (s.Active == 0) continue;
        shots.push_back(Json{{"Record", n}, {"Vx", s.Vx}, {"Vz", s.Vz}, {"Damage", s.Damage}, {"Position", At(s.Mesh)}});
    }
    return shots;
}

Json EnemyJson(const mission::Enemy& e) {
    return Json{{"Active", e.Active},       {"Type", e.Type},
                {"FireTimer", e.FireTimer}, {"PowerupKind", e.PowerupKind},
                {"PowerupFlag", e.PowerupFlag}, {"ShotModel", e.ShotModel},
                {"X", e.X},                 {"Z", e.Z},
                {"Speed", e.Speed},         {"Drift", e.Drift},
                {"Spins", e.Spins},         {"SpinRate", e.SpinRate},
                {"HitPoints", e.HitPoints}, {"Burn", e.Burn},
                {"Shown", e.Mesh.IsValid() && e.Mesh.IsEnabled()}};
}

Json MessagesJson(const mission::MessageLog& log) {
    Json lines = Json::array();
    for (const mission::MessageLine& line : log)
        lines.push_back(Json{{"Text", text::Cp1250ToUtf8(line.Text.View())},
                             {"Colour", Json::array({line.Red, line.Green, line.Blue})}});
    return lines;
}

// Only the cannons still reloading, as [placement, cooldown].
Json CannonsJson(const mission::MissionState& m) {
    Json cannons = Json::array();
    for (int i = 1; i <= kMapPlacements; ++i)
        if (m.CannonCooldown[i] > 0) cannons.push_back(Json::array({i, m.CannonCooldown[i]}));
    return cannons;
}

}  // namespace

Json PlayerJson(const Game& game) {
    const Player& p = game.player;
    return Json{{"Life", p.Life},
                {"Armour", p.Armour},
                {"GunLevel", p.GunLevel},
                {"Agility", p.Agility},
                {"FireDelay", p.FireDelay},
                {"GunHeat", p.GunHeat},
                {"Roll", p.Roll},
                {"SelectedWeapon", p.SelectedWeapon},
                {"ShieldOn", IsSwitchedOn(p.ShieldMesh)},
                {"BeamOn", IsSwitchedOn(p.ShieldBeam)},
                {"Position", At(p.ShipMesh)},
                {"Shots", PlayerShotsJson(p)}};
}

void AddFightJson(const Game& game, Json& mission) {
    const mission::MissionState& m = game.mission;
    Json enemies = Json::array();
    for (const mission::Enemy& e : m.Enemies) enemies.push_back(EnemyJson(e));
    mission["BossSlot"] = m.BossSlot;
    mission["BossKilled"] = m.BossKilled;
    mission["BossPosition"] = At(m.BossActor);
    mission["EnemiesHoldFire"] = m.EnemiesHoldFire;
    mission["Invulnerable"] = m.Invulnerable;
    mission["HullDamage"] = m.HullDamage;
    mission["MissionScore"] = m.MissionScore;
    mission["LastKillPoints"] = m.LastKillPoints;
    mission["PowerupsCollected"] = m.PowerupsCollected;
    mission["WaveTimer"] = m.WaveTimer;
    mission["BoomLight"] = m.BoomLight;
    mission["CameraShake"] = m.CameraShake;
    mission["SideSpeed"] = m.SideSpeed;
    mission["BackSpeed"] = m.BackSpeed;
    mission["WeaponCooldown"] = m.WeaponCooldown;
    mission["Enemies"] = enemies;
    mission["EnemyShots"] = EnemyShotsJson(m);
    mission["CannonCooldowns"] = CannonsJson(m);
    mission["Messages"] = MessagesJson(m.Messages);
}

}  // namespace kr
