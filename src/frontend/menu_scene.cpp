#include "frontend/menu_scene.hpp"

#include <string>

#include "app/game.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

constexpr std::int32_t kMenuKey = -327764;  // the colour key of most menu pictures

int LoadPicture(Engine& engine, const std::string& name, const std::string& file, std::int32_t key = kMenuKey) {
    return engine.LoadTexture("graphics\\" + file, name, -1, -1, key);
}

// What every model of the backdrop gets after loading: lighting by the
// settings, the glow flag, material "std" and collision.
void SetUpMenuModel(Game& game, scene::ObjectRef& model, int precision) {
    scene::Scene& scene = game.engine->scene();
    model.SetLightingMode(game.settings.LightingLevel == 1 ? 4 : 2);
    if (game.settings.GlowEnabled == 1) model.SetGlow(true);
    model.SetMaterial(scene.MaterialId("std"));
    model.SetCollision(true, true, precision);
}

scene::Mesh LoadMenuMesh(Game& game, const char* name, const std::string& file, int precision) {
    scene::Mesh mesh = game.engine->scene().CreateMesh(name);
    mesh.Load(file, true, true);
    SetUpMenuModel(game, mesh, precision);
    return mesh;
}

int ProfileShip(const Game& game) { return game.profiles.ProfileShip[game.ActiveProfile]; }

std::string ShipModel(int ship) { return "models\\ship" + std::to_string(ship) + "\\fighter.tvm"; }

void BuildBackdrop(Game& game) {
    MenuScene& menu = game.menu;
    menu.MenuBackdrop = LoadMenuMesh(game, "Menu_Tlo_TVM", "models\\mainmenu\\mainmenu.tvm", 3);
    menu.MenuBackdrop.SetPosition({0, 0, 0});
    menu.MenuBackdrop.SetScale({0.9f, 0.9f, 0.9f});
    menu.MenuBackdrop.SetRotation({90, 180, 90});
}

void BuildWelder(Game& game) {
    scene::Actor welder = game.engine->scene().CreateActor("Spawacz");
    welder.Load("models\\mainmenu\\Spawacz_anim" + std::to_string(ProfileShip(game)) + ".tva", true, true);
    SetUpMenuModel(game, welder, 3);
    welder.SetPosition({-190, -105, 370});
    welder.SetRotation({0, 270, 0});
    welder.SetScale({0.25f, 0.25f, 0.25f});
    welder.SetAnimationSpeed(static_cast<float>(game.engine->FrameTimeMs() * 0.002));
    game.menu.MenuWelder = welder;
}


scene::Mesh BuildShip(Game& game, const char* name, int ship, const glm::vec3& position) {
    scene::Mesh mesh = LoadMenuMesh(game, name, ShipModel(ship), 3);
    mesh.SetPosition(position);
    mesh.SetScale({0.5f, 0.5f, 0.5f});
    mesh.SetRotation({0, 0, 270});
    return mesh;
}

// The pilot's ship in the hangar, in the skin of its level.
void BuildPilotShip(Game& game) {
    MenuScene& menu = game.menu;
    menu.MenuShip3 = BuildShip(game, "Menu_Statek3_TVM", ProfileShip(game), {-180, -80, 400});
    std::string skin = "s" + std::to_string(game.profiles.ProfileShipLevel[game.ActiveProfile]) + ".dds";
    menu.MenuShip3.SetTexture(game.engine->TextureId(skin), -1);
}

void BuildShips(Game& game) {
    MenuScene& menu = game.menu;
    menu.MenuShip1 = BuildShip(game, "Menu_Statek1_TVM", game.random(5) + 1, {750, 30, 300});
    menu.MenuShip2 = BuildShip(game, "Menu_Statek2_TVM", game.random(5) + 1, {750, 30, -170});
    BuildPilotShip(game);
}

// An unlit sphere seen from inside or out, with one picture.
scene::Mesh BuildSphere(Game& game, const char* name, float radius, int texture) {
    scene::Mesh sphere = game.engine->scene().CreateMesh(name);
    sphere.MakeSphere(radius, 8, 8);
    sphere.SetTexture(texture, -1);
    sphere.SetDoubleSided(true);
    sphere.SetLightingMode(1);
    sphere.SetMaterial(game.engine->scene().MaterialId("std"));
    return sphere;
}

void BuildSpheres(Game& game) {
    Engine& engine = *game.engine;
    MenuScene& menu = game.menu;
    menu.MenuStars = BuildSphere(game, "Menu_Tlo_Stars", 5000, LoadPicture(engine, "night", "night.dds"));
    menu.MenuStars.SetRotation({90, 0, 0});
    menu.CreditsLogo1 = BuildSphere(game, "Credits_Logo", 200, LoadPicture(engine, "crlogo", "crlogo.dds"));
    menu.CreditsLogo2 = BuildSphere(game, "Credits_Logo", 160, LoadPicture(engine, "crlogo2", "crlogo2.dds"));
    for (scene::Mesh* logo : {&menu.CreditsLogo1, &menu.CreditsLogo2}) {
        logo->SetCollision(false, true, 1);
        logo->Hide();
    }
    menu.SelectionBackdrop = LoadMenuMesh(game, "Sel_Tlo_TVM", "models\\selection\\selection.tvm", 1);
    menu.SelectionBackdrop.SetPosition({0, 40, 0});
    menu.SelectionBackdrop.SetScale({0.06f, 0.06f, 0.06f});
    menu.SelectionBackdrop.SetRotation({0, 20, -50});
    menu.SelectionBackdrop.Hide();
}

void CreateMenuLights(Game& game) {
    scene::Scene& scene = game.engine->scene();
    scene::Light& fill = scene.light(scene.CreatePointLight("menulight2", {200, 100, 10}, {0.6f, 0.6f, 0.7f, 1}, 3000));
    fill.extraPass = false;
    scene::Light& red = scene.light(scene.CreatePointLight("menulight", {250, -100, -10}, {0.8f, 0, 0, 1}, 3000));
    red.enabled = true;
    red.specular = true;
    red.extraPass = game.settings.GlowEnabled == 1;
}

// The shield sphere a mission uses; its picture is loaded here, where the
// sphere is made, so that the texture it names exists.
void BuildPlayerShield(Game& game) {
    Engine& engine = *game.engine;
    scene::Mesh shield = engine.scene().CreateMesh("Gracz_Shield");
    shield.MakeSphere(1, 6, 6);
    shield.SetTexture(LoadPicture(engine, "kravexp", "kravexp.dds"), -1);
    shield.SetMaterial(engine.scene().MaterialId("std2"));
    shield.SetPosition({0, 0, 0});
    shield.SetLightingMode(2);
    shield.SetGlow(false);
    shield.Hide();
    game.menu.PlayerShield = shield;
}

}  // namespace

void LoadShipSkins(Game& game) {
    std::string folder = "models\\ship" + std::to_string(ProfileShip(game)) + "\\";
    for (int level = 0; level < 5; ++level) {
        std::string n = std::to_string(level);
        ReplaceTexture(*game.engine, "s" + n + ".dds", folder + n + ".dds", kMenuKey);
    }
}

void RebuildPilotShip(Game& game) {
    MenuScene& menu = game.menu;
    menu.MenuWelder.StopAnimation();
    menu.MenuWelder.Destroy();
    BuildWelder(game);
    menu.MenuWelder.SetAnimationSpeed(0.7f);  // as after the first build
    menu.MenuShip3.Destroy();
    LoadShipSkins(game);
    BuildPilotShip(game);
}

void BuildMenuScene(Game& game) {
    Engine& engine = *game.engine;
    game.shipSelect.CarouselAngle = 0;  // the carousel is made facing ship 3
    game.shipSelect.CarouselStep = 0;
    game.shipSelect.CarouselTurnLeft = 0;
    LoadPicture(engine, "okno2", "selection_panel.dds");
    BuildBackdrop(game);
    BuildWelder(game);
    LoadShipSkins(game);
    BuildShips(game);
    BuildSpheres(game);
    CreateMenuLights(game);
    BuildPlayerShield(game);
    if (game.settings.ScreenWidth > 1024) LoadPicture(engine, "t", "t1280.bmp", -65536);
    StopMusic(game, 1);
    for (int n : {0, 1, 2}) StopSound(game, n);
    engine.SetMousePosition(512, 384);
    engine.scene().SetCamera({0, 150, 0}, {20, 0, 0});
    LoadMenuTextures(game);
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
    game.menu.MenuWelder.SetAnimationSpeed(0.7f);
}

namespace {

struct Picture {
    const char* name;
    const char* file;
    std::int32_t key = kMenuKey;
};

constexpr std::int32_t kBlackKey = -16777216;
constexpr std::int32_t kRedKey = -65536;

const Picture kMenuPictures[] = {
    {"ar_right", "arrow_right.dds"}, {"ar_left", "arrow_left.dds"}, {"credits", "credits.dds"},
    {"const", "const.dds"}, {"velmor", "velmor.dds", 0}, {"play", "play.dds"},
    {"s1", "s1.dds"}, {"s2", "s2.dds"}, {"s3", "s3.dds"}, {"s4", "s4.dds"}, {"s5", "s5.dds"},
    {"exit", "exit.dds"}, {"set_tlo", "set_tlo.dds"}, {"set_1", "set_1.dds"}, {"set_2", "set_2.dds"},
    {"set_3", "set_3.dds"}, {"puchar", "puchar.dds"}, {"h_keyb", "help_keyb.bmp", kRedKey},
    {"h_mouse", "help_mouse.bmp", kRedKey}, {"endtlo", "end.bmp", 0},
    {"p512x512", "panel_512x512.dds"}, {"p512x256", "panel_512x256.dds"}, {"p512x128", "panel_512x128.dds"},
    {"p512x64", "panel_512x64.dds"}, {"p128x128", "panel_128x128.dds"}, {"p128x256", "panel_128x256.dds"},
    {"p128x64", "panel_128x64.dds"}, {"p256x128", "panel_256x128.dds"}, {"p256x512", "panel_256x512.dds"},
    {"p256x64", "panel_256x64.dds"}, {"time_bkg", "time_bkg.dds"}, {"time_button", "time_button.dds"},
    {"time_border", "time_border.dds"}, {"time_fill", "time_fill.dds"}, {"trans", "trans.bmp", kBlackKey},
    {"radar_tlo", "radar_tlo.dds"}, {"gun_gauss", "s_gun_gauss.dds"}, {"gun_laser", "s_gun_laser.dds"},
    {"gun_plasma", "s_gun_plasma.dds"}, {"gun_machinegun", "s_gun_machinegun.dds"}, {"krav", "krav.dds"},
    {"i_tlo", "i_tlo.bmp", kBlackKey}, {"i_pusty", "i_pusty.dds"}, {"i_tlo1", "i_tlo1.bmp", kBlackKey},
    {"i_tlo2", "i_tlo2.bmp", kBlackKey}, {"i_tlo10", "i_tlo10.dds"}, {"i_tlo20", "i_tlo20.bmp", kBlackKey},
};

const Picture kLatePictures[] = {
    {"kursor", "arrow_right.dds"}, {"as", "velmorsmall.dds"}, {"okno1", "panel1.dds"}, {"pgun1", "tentacles.dds"},
};

}  // namespace

void LoadMenuTextures(Game& game) {
    Engine& engine = *game.engine;
    for (const Picture& p : kMenuPictures) {
        LoadPicture(engine, p.name, p.file, p.key);
        if (std::string_view(p.name) == "s5")  // the mission picture follows the ship pictures
            LoadPicture(engine, "loa1", "loa" + std::to_string(game.CurrentMission + 1) + ".dds");
    }
    for (int n = 1; n <= 19; ++n) LoadPicture(engine, "i" + std::to_string(n), "i" + std::to_string(n) + ".dds");
    for (int n = 1; n <= 5; ++n)
        LoadPicture(engine, "i_spec" + std::to_string(n), "i_spec" + std::to_string(n) + ".dds");
    for (const Picture& p : kLatePictures) LoadPicture(engine, p.name, p.file, p.key);
}

}  // namespace kr::frontend
