#include "app/init_engine.hpp"

#include <string>

#include "app/game.hpp"
#include "app/startup.hpp"

namespace kr {

namespace {

constexpr const char* kLogFile = "debugfile.txt";

struct FontSpec {
    const char* name;
    const char* family;
    int size;
    bool bold;
};

// The names are what the screens look fonts up by; for the Arial faces the
// number in the name is not the size.
constexpr FontSpec kFonts[] = {
    {"Arial22", "Arial", 12, false},     {"Arial42", "Arial", 14, true},      {"Arial62", "Arial", 24, true},
    {"Font62", "Astron Boy", 62, true},  {"Font42", "Astron Boy", 42, true},  {"Font32", "Astron Boy", 32, true},
    {"Font22", "Astron Boy", 22, true},  {"Font16", "Astron Boy", 16, true},  {"Font14", "Astron Boy", 14, true},
};

void OpenLog(Game& game) {
    Log& log = game.device.log();
    log.SetOptions(LogOptions{});
    log.Open(game.folder.ResolveForWrite(kLogFile));
    WriteEarlyNotes(game);
}

void ConfigureDisplay(Game& game) {
    const Settings& s = game.settings;
    if (s.WindowMode == 0 || s.WindowMode == 1) game.engine->InitDisplay(DisplayModeFrom(s));
}

void WriteBanner(Game& game) {
    Log& log = game.device.log();
    for (const char* line : {kLogRule, kLogTitle, kLogNotice, kLogRule, kLogVersion, kLogInitializing}) log.Write(line);
    // The controller list counts the keyboard and mouse as its first entry.
    int listed = game.device.backend().GameControllerCount() + 1;
    log.Write("KRAVELLON : Initializing joystick (found " + std::to_string(listed - 1) + " controlers)...");
}

void ConfigureScene(Game& game) {
    scene::Scene& scene = game.engine->scene();
    scene.SetBackground({0, 0, 0, 0.7f});
    scene.SetTextureFilter(game.settings.FilterLevel);
    scene.SetViewFrustum(45.0f, 8000.0f);
    switch (game.settings.DetailLevel) {
        case 0: scene.SetDetailBias(1.0f); break;
        case 1: scene.SetDetailBias(0.0f); break;
        case 2: scene.SetDetailBias(-1.0f); break;
        default: break;
    }
}

void CreateFonts(Engine& engine) {
    for (const FontSpec& font : kFonts) engine.CreateFont(font.name, font.family, font.size, font.bold);
}

// One frame with the loading picture and its caption.
void ShowLoadingPicture(Game& game) {
    Engine& engine = *game.engine;
    auto w = static_cast<float>(game.settings.ScreenWidth), h = static_cast<float>(game.settings.ScreenHeight);
    engine.Begin2D();
    Corners corners;
    corners.bottomLeft = {1, 1, 1, 0.5f};
    engine.DrawTexture(engine.TextureId("loading"), w / 2 - 128, h / 2 - 32, w / 2 + 128, h / 2 + 32, corners);
    engine.End2D();
    engine.BeginText();
    engine.DrawText(game.langText[56].View(), w / 2, h / 2 + 30, {1, 1, 1, 0.5f}, engine.FontId("Font22"));
    engine.EndText();
    engine.Present();
}

void SetUpFog(scene::Scene& scene) {
    scene::Fog& fog = scene.fog();
    fog.colour = {0.2f, 0.2f, 0.3f, 1};
    fog.mode = scene::FogMode::Linear;
    fog.rangeBased = true;
    fog.start = 2500.0f;
    fog.end = 19000.0f;
    fog.density = 0;
    fog.enabled = true;
}

// A profile that was never loaded has ship 0, and there is no such ship:
// the hangar loads the picture when it needs it.
void LoadShipLogo(Game& game) {
    if (game.ActiveProfile < 1 || game.ActiveProfile > kProfileSlots) return;
    int ship = game.profiles.ProfileShip[game.ActiveProfile];
    if (ship < 1 || ship > 5) return;
    game.engine->LoadTexture("graphics\\ship" + std::to_string(ship) + ".dds", "shiplogo", -1, -1, -327764);
}

void CreateMaterial(scene::Scene& scene, const char* name, float ambient, float emissive) {
    scene::Material& material = scene.material(scene.CreateMaterial(name));
    material.ambient = {ambient, ambient, ambient, 1};
    material.diffuse = {1, 1, 1, 1};
    material.emissive = {emissive, emissive, emissive, 1};
    material.specular = {1, 1, 1, 1};
}

}  // namespace

void InitGlow(Game& game) {
    game.GlowColour = {0.8f, 0.8f, 0.8f, 1.0f};
    game.engine->SetGlowColour(game.GlowColour, 0, 0);
}

void InitEngine(Game& game) {
    const bool firstStart = game.engineStarts++ == 0;
    game.engine.reset();  // everything the last engine made goes with it
    OpenLog(game);
    game.engine = std::make_unique<Engine>(game.device, game.folder);
    Engine& engine = *game.engine;
    ConfigureDisplay(game);
    engine.Clear(false);
    engine.scene().ResetParticles();
    InitGlow(game);
    if (firstStart) {  // later starts keep what the player switched off in the options
        game.SoundEnabled = 1;
        game.MusicEnabled = 1;
    }
    engine.SetMousePosition(512, 360);
    WriteBanner(game);
    game.engine->UseJoystick(game.JoystickEnabled != 0);
    ConfigureScene(game);
    CreateFonts(engine);
    engine.LoadTexture("graphics\\loading.dds", "loading", -1, -1, 0);
    engine.LoadTexture("graphics\\kravlogo.dds", "kravlogo", -1, -1, -327764);
    ShowLoadingPicture(game);
    game.random.Seed(game.seed ^ static_cast<std::uint64_t>(game.device.ClockMs()));
    SetUpFog(engine.scene());
    LoadShipLogo(game);
    game.device.log().Write(kLogMaterials);
    CreateMaterial(engine.scene(), "std", 0.08f, 0.0f);
    CreateMaterial(engine.scene(), "std2", 0.5f, 0.9f);
}

}  // namespace kr
