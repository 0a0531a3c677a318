#include "gameplay/flight.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/game.hpp"

namespace kr::gameplay {

namespace {

namespace key {
constexpr int W = 17, A = 30, S = 31, D = 32;
constexpr int Up = 200, Left = 203, Right = 205, Down = 208;
}  // namespace key

constexpr int kKeySteer = 3;

// Later keys win: arrows over WASD, forward over backward, left over right.
void SteerWithKeys(Game& game) {
    const Engine& engine = *game.engine;
    mission::MissionState& m = game.mission;
    if (engine.KeyDown(key::S)) m.MouseY = kKeySteer;
    if (engine.KeyDown(key::W)) m.MouseY = -kKeySteer;
    if (engine.KeyDown(key::D)) m.MouseX = kKeySteer;
    if (engine.KeyDown(key::A)) m.MouseX = -kKeySteer;
    if (engine.KeyDown(key::Down)) m.MouseY = kKeySteer;
    if (engine.KeyDown(key::Up)) m.MouseY = -kKeySteer;
    if (engine.KeyDown(key::Right)) m.MouseX = kKeySteer;
    if (engine.KeyDown(key::Left)) m.MouseX = -kKeySteer;
}

// Axis 0..10000 to -2..2, halves to even.
std::int32_t StickSteer(std::int32_t axis) {
    return static_cast<std::int32_t>(std::lrint((axis / 5000.0 - 1) * 2));
}

void SetExhaust(Game& game) {
    const std::int32_t y = game.mission.MouseY;
    const double power = y >= 1 ? 2 : y < 0 ? 140 : 200;
    const double life = y >= 1 ? 0.01 : 0.1;
    particles::ParticleSystem& particles = game.engine->scene().particles();
    for (const EmitterRef& flame : {game.player.EngineEmitterA, game.player.EngineEmitterB})
        if (particles.Exists(flame.index)) particles.SetPowerAndLifetime(flame.index, power, life);
}

void Zoom(Game& game, double ft) {
    mission::MissionState& m = game.mission;
    const std::int32_t wheel = game.mouse.MouseWheel;
    if (wheel == 0) return;
    if (wheel < 0) m.ScrollDistance += 1.5 * ft;
    else m.ScrollDistance -= 1.5 * ft;
    m.ScrollDistance = std::clamp(m.ScrollDistance, -200.0, 0.0);
}

void SetSpeeds(Game& game) {
    mission::MissionState& m = game.mission;
    const double limit = game.player.Agility + 2;
    if (m.MouseX != 0) m.SideSpeed = m.MouseX;
    if (m.MouseY != 0) m.BackSpeed = m.MouseY;
    m.SideSpeed = std::clamp(m.SideSpeed, -limit, limit) + m.MouseX;
    m.BackSpeed = std::clamp(m.BackSpeed, -limit, limit) + m.MouseY;
}

void Bank(Game& game, double ft) {
    Player& player = game.player;
    const double rate = ft * (0.1 / game.profiles.ProfileShip[game.ActiveProfile] + 0.1);
    if (game.mission.MouseX < 0) player.Roll -= rate;
    else if (game.mission.MouseX >= 1) player.Roll += rate;
    if (player.Roll > 360 || player.Roll < -360) player.Roll = 0;
}

// Movement is per frame, not scaled by the frame time. The ship rises from
// where it was built to its flight height on the first frame, moving or not.
void Move(Game& game) {
    const mission::MissionState& m = game.mission;
    scene::Mesh& ship = game.player.ShipMesh;
    glm::vec3 at = ship.Position();
    if (at.y != kFlightHeight) ship.SetPosition({at.x, kFlightHeight, at.z});
    if (m.SideSpeed != 0) {
        at = {at.x, kFlightHeight, at.z - static_cast<float>(m.SideSpeed)};
        ship.SetPosition(at);
    }
    if (m.BackSpeed != 0) ship.SetPosition({at.x - static_cast<float>(m.BackSpeed), kFlightHeight, at.z});
}

void ReturnFromBank(Player& player, double ft) {
    if (player.Roll > 0) player.Roll = std::max(0.0, player.Roll - 0.08 * ft);
    else if (player.Roll < 0) player.Roll = std::min(0.0, player.Roll + 0.08 * ft);
}

// Speeds fall toward 0 and stop there: a resting ship keeps its place
// instead of creeping toward smaller x and z a step every other frame.
void Decay(double& speed, double ft) {
    const double step = 0.006 * ft;
    if (speed > 0) speed = std::max(0.0, speed - step);
    else if (speed < 0) speed = std::min(0.0, speed + step);
}

void KeepInPlayArea(Game& game) {
    scene::Mesh& ship = game.player.ShipMesh;
    const glm::vec3 at = ship.Position();
    const float front = game.mission.BossPhase != 0 ? -180.0f : 300.0f;
    const glm::vec3 kept{std::clamp(at.x, -350.0f, front), at.y, std::clamp(at.z, -400.0f, 400.0f)};
    if (kept.x != at.x || kept.z != at.z) ship.SetPosition({kept.x, kFlightHeight, kept.z});
}

// The shield's picture cycles through frames 1..5 (a value of 5.5 would
// round to a sixth that does not exist).
void CarryShield(Game& game, double ft) {
    Player& player = game.player;
    const glm::vec3 at = player.ShipMesh.Position();
    player.ShieldMesh.SetPosition(at);
    const long frame = std::clamp(std::lrint(player.ShieldValue), 1L, 5L);
    player.ShieldMesh.SetTexture(game.engine->TextureId("shield" + std::to_string(frame)), -1);
    player.ShieldValue += 0.008 * ft;
    player.ShieldMesh.RotateY(static_cast<float>(0.09 * ft));
    if (player.ShieldValue > 5.5) player.ShieldValue = 1;
    player.ShieldBeam.SetPosition({at.x + 350, at.y, at.z});
}

void FlickerEngineLight(Game& game) {
    scene::Scene& scene = game.engine->scene();
    scene::Light& light = scene.light(scene.LightIndex("silniklight"));
    const glm::vec3 at = game.player.ShipMesh.Position();
    light.position = {at.x - 65, at.y, at.z};
    light.range = static_cast<float>(game.random(50) + 10);
}

}  // namespace

void ReadSteering(Game& game) {
    ReadMouse(game);  // buttons and wheel; steering takes the motion
    const MouseReading mouse = game.engine->ReadMouse();
    mission::MissionState& m = game.mission;
    m.MouseX = mouse.dx;
    m.MouseY = mouse.dy;
    SteerWithKeys(game);
    if (game.JoystickEnabled == 0) return;
    const JoystickState stick = game.engine->ReadJoystick();
    m.MouseX = StickSteer(stick.x);
    m.MouseY = StickSteer(stick.y);
}

void Fly(Game& game) {
    const double ft = game.engine->FrameTimeMs();
    mission::MissionState& m = game.mission;
    Zoom(game, ft);
    SetExhaust(game);
    SetSpeeds(game);
    Bank(game, ft);
    Move(game);
    ReturnFromBank(game.player, ft);
    game.player.ShipMesh.SetRotation({0, 270, static_cast<float>(game.player.Roll)});
    Decay(m.SideSpeed, ft);
    Decay(m.BackSpeed, ft);
    game.engine->SetMousePosition(512, 368);
    KeepInPlayArea(game);
    CarryShield(game, ft);
    FlickerEngineLight(game);
}

void FollowWithCamera(Game& game) {
    mission::MissionState& m = game.mission;
    const int most = static_cast<int>(std::lrint(2 * m.CameraShake));
    float s = static_cast<float>(game.random(most) + 5);
    if (game.random(10) + 1 > 5) s = -s;
    const glm::vec3 ship = game.player.ShipMesh.Position();
    const auto scroll = static_cast<float>(m.ScrollDistance);
    const glm::vec3 lookAt{0, 0.3f * ship.x + scroll / 2 - 50, 0.23f * ship.z};
    if (m.CameraShake > 0) {
        game.engine->scene().SetCamera({s - 500, 800 + scroll + s, -0.05f * ship.z + s}, lookAt);
        m.CameraShake = std::max(0.0, m.CameraShake - 0.02 * game.engine->FrameTimeMs());
    } else {
        game.engine->scene().SetCamera({-500, 800 + scroll, -0.05f * ship.z}, lookAt);
    }
}

}  // namespace kr::gameplay
