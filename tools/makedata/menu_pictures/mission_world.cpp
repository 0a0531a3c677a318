#include "menu_pictures/mission_world.hpp"

#include <algorithm>

#include "data/mission_files.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "engine/scene/transform.hpp"
#include "toolkit/sky_box.hpp"
#include "worlds/world_frame.hpp"

namespace kr::makedata::menu {
namespace {

// The game repeats the ground picture this often across one grid cell.
constexpr float kGroundTiling = 4.0f;
constexpr const char* kSkyFaces[] = {"front", "back", "left", "right", "top"};

image::Image ReadPicture(const GameFolder& folder, const std::string& file) {
    return image::DecodeImage(folder.ReadAll(file), file).levels.front();
}

std::string GroundFile(const std::string& map, const std::string& name) {
    return MapFile(map, "ground\\" + name, "the mission pictures");
}

scene::Landscape ReadLandscape(const GameFolder& folder, const std::string& map) {
    scene::Landscape ground;
    ground.Generate(ReadPicture(folder, GroundFile(map, "heightmap.jpg")), worlds::kLandscapeCellsX, worlds::kLandscapeCellsZ,
                    worlds::kLandscapePrecision);
    ground.SetScale(worlds::kLandscapeScale);
    ground.SetPosition(worlds::kLandscapePosition);
    return ground;
}

}  // namespace

MissionWorld::MissionWorld(const GameFolder& folder, const std::string& map, int mission) {
    for (const char* face : kSkyFaces)
        sky_.emplace_back(ReadPicture(folder, GroundFile(map, std::string(face) + ".bmp")), toolkit::TextureWrap::Clamp,
                          toolkit::TextureLevels::Single);
    const MapRecord record = ReadMapRecord(folder, map, "the mission pictures");
    if (record.SpaceLevel == 0) {
        ground_ = ReadLandscape(folder, map);
        groundTexture_.emplace(ReadPicture(folder, GroundFile(map, "ground.dds")));
    }
    const std::vector<std::string> names = ReadSceneryList(folder, map);
    for (const std::string& name : names) {
        const std::string file = SceneryFile(map, name);
        kinds_.emplace_back(model::LoadGlb(folder.ReadAll(file), file));
    }
    CheckPlacementTypes(record, static_cast<int>(names.size()), MapFile(map, "map.dat", "the mission pictures"));
    for (int i = 1; i <= kMapPlacements; ++i) {
        const Placement& p = record.Placements[i];
        if (!p.Active) continue;
        const std::string& name = names[static_cast<std::size_t>(p.SceneryType - 1)];
        const float scale = PlacedScale(name, p.Scale, mission);
        const glm::vec3 rotation(static_cast<float>(p.RotX), static_cast<float>(p.RotY), static_cast<float>(p.RotZ));
        placed_.push_back({p.SceneryType - 1, scene::Transform{PlacedPosition(p), rotation, glm::vec3(scale)}.Matrix()});
    }
}

glm::vec3 MissionWorld::Sky(glm::vec3 direction) const {
    const toolkit::SkyFacePoint at = toolkit::SkyFaceAt(direction);
    // The game shows the top picture on the bottom face too.
    const auto face = std::min(static_cast<std::size_t>(at.face), sky_.size() - 1);
    return glm::vec3(sky_[face].Sample(at.uv));
}

float MissionWorld::GroundHeight(float x, float z) const { return ground_ ? ground_->HeightAt(x, z) : 0.0f; }

void MissionWorld::DrawSky(toolkit::Rasterizer& target) const {
    // Over the ground the land hides what lies below the horizon, and the
    // distance fades into the glow along it instead of the flat haze.
    constexpr float kHorizonGlow = 0.035f;
    target.DrawBackground([this](glm::vec3 d) {
        if (ground_ && d.y < kHorizonGlow) d = glm::normalize(glm::vec3(d.x, 0.0f, d.z)) + glm::vec3(0.0f, kHorizonGlow, 0.0f);
        return Sky(glm::normalize(d));
    });
}

void MissionWorld::DrawGround(toolkit::Rasterizer& target) const {
    if (!ground_) return;
    for (int cz = 0; cz < worlds::kLandscapeCellsZ; ++cz)
        for (int cx = 0; cx < worlds::kLandscapeCellsX; ++cx) DrawGroundChunk(target, cx, cz);
}

void MissionWorld::DrawGroundChunk(toolkit::Rasterizer& target, int cx, int cz) const {
    const scene::Landscape& land = *ground_;
    const int quads = land.QuadsX() / worlds::kLandscapeCellsX;
    const glm::vec3 scale = land.Scale(), origin = land.Position();
    const float step = land.QuadSize();
    const auto height = [&](int gx, int gz) {
        gx = std::clamp(gx, 0, land.QuadsX()), gz = std::clamp(gz, 0, land.QuadsZ());
        return land.Heights()[static_cast<std::size_t>(gz) * (land.QuadsX() + 1) + gx] * scale.y;
    };
    const float size = step * static_cast<float>(quads);
    const glm::vec3 middle = origin + glm::vec3((cx + 0.5f) * size * scale.x, 128.0f * scale.y, (cz + 0.5f) * size * scale.z);
    if (!target.MayShow(middle, size * scale.x)) return;
    std::vector<toolkit::Corner> corners;
    for (int iz = 0; iz <= quads; ++iz) {
        for (int ix = 0; ix <= quads; ++ix) {
            const int gx = cx * quads + ix, gz = cz * quads + iz;
            const glm::vec3 position = origin + glm::vec3(gx * step * scale.x, height(gx, gz), gz * step * scale.z);
            const float dx = (height(gx + 1, gz) - height(gx - 1, gz)) / (2.0f * step * scale.x);
            const float dz = (height(gx, gz + 1) - height(gx, gz - 1)) / (2.0f * step * scale.z);
            const glm::vec2 uv = glm::vec2(ix, iz) / static_cast<float>(quads) * kGroundTiling;
            corners.push_back({position, glm::normalize(glm::vec3(-dx, 1.0f, -dz)), uv});
        }
    }
    std::vector<std::uint32_t> indices;
    const auto index = [&](int ix, int iz) { return static_cast<std::uint32_t>(iz * (quads + 1) + ix); };
    for (int iz = 0; iz < quads; ++iz)
        for (int ix = 0; ix < quads; ++ix)
            indices.insert(indices.end(), {index(ix, iz), index(ix, iz + 1), index(ix + 1, iz + 1), index(ix, iz),
                                           index(ix + 1, iz + 1), index(ix + 1, iz)});
    toolkit::Look look;
    look.texture = &*groundTexture_;
    target.DrawTriangles(corners, indices, look);
}

void MissionWorld::DrawScenery(toolkit::Rasterizer& target) const {
    for (const Placed& p : placed_) kinds_[static_cast<std::size_t>(p.kind)].Draw(target, p.world);
}

}  // namespace kr::makedata::menu
