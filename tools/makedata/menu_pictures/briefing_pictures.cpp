#include "menu_pictures/briefing_pictures.hpp"

#include <string>

#include "engine/model/glb.hpp"
#include "engine/scene/transform.hpp"
#include "menu_pictures/mission_world.hpp"
#include "menu_pictures/picture_groups.hpp"
#include "ships/ship_frame.hpp"
#include "toolkit/model_render.hpp"
#include "toolkit/parallel.hpp"
#include "toolkit/texture_files.hpp"

namespace kr::makedata {
namespace {

using glm::vec3;
using menu::Canvas;

// Drawn 512 x 256 in the hangar; rendered at twice that and averaged down.
constexpr int kWidth = 512, kHeight = 256, kSupersampling = 2;

// The player's fighter in the picture, and where its engines glow.
struct Flier {
    vec3 position{0.0f};
    vec3 rotation{0.0f};  // degrees; (0, 270, 0) flies along +x
    float scale = 0.18f;
};

struct Shot {
    std::string map;
    int mission = 1;
    scene::Camera camera;
    toolkit::Sunlight light;
    toolkit::Fog fog;
    Flier ship;
};

glm::mat4 ShipMatrix(const Flier& ship) { return scene::Transform{ship.position, ship.rotation, vec3(ship.scale)}.Matrix(); }

// Engine glows at the nozzles of ship 1, in output pixels.
void AddEngineGlow(Canvas& picture, const toolkit::Rasterizer& view, const Flier& ship) {
    const glm::mat4 world = ShipMatrix(ship);
    for (const vec3& offset : ships::kFlameOffsets[0]) {
        const vec3 nozzle = vec3(world * glm::vec4(ships::ModelPointOfMissionOffset(offset), 1.0f));
        const vec3 at = view.Project(nozzle);
        if (at.z <= 0.0f) continue;
        const float size = 900.0f * ship.scale / at.z;
        menu::AddFlare(picture, glm::vec2(at) / static_cast<float>(kSupersampling), size * 2.0f, menu::palette::kEngine, 0.9f);
    }
}

Canvas Render(const GameFolder& folder, const Shot& shot, const toolkit::DrawableModel& fighter) {
    const menu::MissionWorld world(folder, shot.map, shot.mission);
    toolkit::Rasterizer view(kWidth * kSupersampling, kHeight * kSupersampling, shot.camera);
    view.SetLight(shot.light);
    view.SetFog(shot.fog);
    world.DrawSky(view);
    world.DrawGround(view);
    world.DrawScenery(view);
    fighter.Draw(view, ShipMatrix(shot.ship));
    Canvas picture = view.Resolve(kSupersampling);
    AddEngineGlow(picture, view, shot.ship);
    menu::Vignette(picture, 0.3f);
    return picture;
}

// Dusk over the desert: low over the dry river bed, the canyon wall on the
// right, scenery and a cannon outpost along the path.
Shot DunesShot() {
    Shot shot;
    shot.map = "dunes";
    shot.mission = 1;
    shot.camera.position = {760.0f, 15.0f, 380.0f};
    shot.camera.lookAt = {1900.0f, -170.0f, 200.0f};
    shot.camera.fieldOfViewDeg = 45.0f;
    shot.camera.nearPlane = 4.0f;
    shot.camera.farPlane = 12000.0f;
    shot.light = {glm::normalize(vec3(0.2f, -0.55f, -0.8f)), vec3(1.2f, 0.8f, 0.55f), vec3(0.2f, 0.21f, 0.3f)};
    shot.fog = {900.0f, 9000.0f, 1.0f};
    shot.ship = {{872.0f, -22.0f, 398.0f}, {0.0f, 290.0f, -25.0f}, 0.18f};
    return shot;
}

// High orbit: over the asteroid field towards the gas giant, the nebula
// beyond.
Shot OrbitShot() {
    Shot shot;
    shot.map = "orbit";
    shot.mission = 2;
    shot.camera.position = {700.0f, 80.0f, 500.0f};
    shot.camera.lookAt = {2400.0f, -500.0f, -700.0f};
    shot.camera.fieldOfViewDeg = 45.0f;
    shot.camera.nearPlane = 4.0f;
    shot.camera.farPlane = 12000.0f;
    shot.light = {glm::normalize(vec3(0.8f, -0.3f, -0.5f)), vec3(1.0f, 0.92f, 0.85f), vec3(0.12f, 0.12f, 0.18f)};
    shot.fog = {3000.0f, 12000.0f, 0.7f};
    shot.ship = {{835.0f, 22.0f, 445.0f}, {0.0f, 300.0f, -30.0f}, 0.18f};
    return shot;
}

}  // namespace

void WriteBriefingPictures(OutputFolder& out) {
    const GameFolder folder(out.root());
    const std::string shipFile = "models\\ship1\\fighter.tvm";
    const toolkit::DrawableModel fighter(model::LoadGlb(folder.ReadAll(shipFile), shipFile));
    const Shot shots[] = {DunesShot(), OrbitShot()};
    static_assert(std::size(shots) == menu::kMissionCount, "one picture per mission");
    std::vector<Bytes> files(std::size(shots));
    ParallelFor(files.size(), [&](std::size_t i) {
        const Canvas picture = menu::WithoutPureRed(menu::Framed(Render(folder, shots[i], fighter)));
        files[i] = EncodeMenuPicture(menu::DdsPicture("", picture));
    });
    for (std::size_t i = 0; i < files.size(); ++i) out.Write("graphics\\loa" + std::to_string(i + 1) + ".dds", files[i]);
}

}  // namespace kr::makedata
