#include "app/state_dump.hpp"

#include <fstream>
#include <nlohmann/json.hpp>

#include "app/game.hpp"
#include "app/mission_dump.hpp"
#include "engine/error.hpp"
#include "engine/text/cp1250.hpp"

namespace kr {

namespace {

using Json = nlohmann::ordered_json;

Json SettingsJson(const Settings& s) {
    return Json{
        {"Language", text::Cp1250ToUtf8(s.Language.View())},
        {"WindowMode", s.WindowMode},
        {"Antialias", s.Antialias},
        {"FilterLevel", s.FilterLevel},
        {"GlowEnabled", s.GlowEnabled},
        {"LightingLevel", s.LightingLevel},
        {"DetailLevel", s.DetailLevel},
        {"ScreenWidth", s.ScreenWidth},
        {"ScreenHeight", s.ScreenHeight},
        {"ColourDepth", s.ColourDepth},
        {"DisplayParam", s.DisplayParam},
    };
}

Json ProfileJson(const ProfileStore& p, int slot) {
    Json upgrades = Json::array();
    for (int k = 1; k <= kProfileUpgrades; ++k) upgrades.push_back(p.ProfileUpgrades[slot][k]);
    return Json{
        {"ProfileUsed", p.ProfileUsed[slot]},
        {"ProfileName", text::Cp1250ToUtf8(p.ProfileName[slot].View())},
        {"ProfileScore", p.ProfileScore[slot]},
        {"ProfileMoney", p.ProfileMoney[slot]},
        {"ProfilePlayTime", p.ProfilePlayTime[slot]},
        {"ProfileWeapon", p.ProfileWeapon[slot]},
        {"ProfileUpgrades", upgrades},
        {"ProfileShip", p.ProfileShip[slot]},
        {"ProfileShipLevel", p.ProfileShipLevel[slot]},
        {"ProfileGameDone", p.ProfileGameDone[slot]},
        {"ProfileMission", p.ProfileMission[slot]},
        {"ProfileDifficulty", p.ProfileDifficulty[slot]},
    };
}

int CountActive(const auto& records) {
    int n = 0;
    for (const auto& record : records) n += record.Active != 0 ? 1 : 0;
    return n;
}

Json MissionJson(const Game& game) {
    const mission::MissionState& m = game.mission;
    Json mission{
        {"MapFolder", text::Cp1250ToUtf8(m.MapFolder)},
        {"SpawnMinutes", m.SpawnMinutes},
        {"SpaceLevel", m.Map.SpaceLevel},
        {"ActivePlacements", CountActive(m.Map.Placements)},
        {"SceneryTypeCount", m.SceneryTypeCount},
        {"EnemyTypeCount", m.EnemyTypeCount},
        {"ActiveEnemies", CountActive(m.Enemies)},
        {"EnemiesCreated", m.EnemiesCreated},
        {"EnemiesDestroyed", m.EnemiesDestroyed},
        {"BossPhase", m.BossPhase},
        {"BossSpawned", m.BossSpawned},
        {"BossHitPointsA", m.BossHitPointsA},
        {"BossHitPointsB", m.BossHitPointsB},
        {"ScrollDistance", m.ScrollDistance},
    };
    AddFightJson(game, mission);
    return mission;
}

}  // namespace

std::string GameStateJson(const Game& game) {
    Json profiles = Json::array();
    for (int slot = 1; slot <= kProfileSlots; ++slot) profiles.push_back(ProfileJson(game.profiles, slot));
    Json state{
        {"ScreenId", game.ScreenId},
        {"ActiveProfile", game.ActiveProfile},
        {"CurrentMission", game.CurrentMission},
        {"IntroVideoPlaying", game.IntroVideoPlaying},
        {"SoundEnabled", game.SoundEnabled},
        {"MusicEnabled", game.MusicEnabled},
        {"JoystickEnabled", game.JoystickEnabled},
        {"MouseX", game.mouse.MouseX},
        {"MouseY", game.mouse.MouseY},
        {"MissionSeconds", game.MissionSeconds},
        {"TimeStop", game.TimeStop},
        {"Player", PlayerJson(game)},
        {"Mission", MissionJson(game)},
        {"PresentedFrames", game.device.PresentedFrames()},
        {"ClockMs", game.device.ClockMs()},
        {"Settings", SettingsJson(game.settings)},
        {"Profiles", profiles},
    };
    return state.dump(2) + "\n";
}

void WriteGameState(const Game& game, const std::filesystem::path& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << GameStateJson(game);
    if (!out) throw FileError(path.string(), "the state file cannot be written");
}

}  // namespace kr
