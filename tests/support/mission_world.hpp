#pragma once
// A small mission world written into a test game folder: every file the
// construction of a mission reads, with plain boxes for models, so tests of
// the construction do not depend on the shipped art.

#include <string>
#include <vector>

#include "data/mission_files.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "support/temp_game_folder.hpp"

namespace kr::test {

inline model::Primitive BoxPrimitive(float size) {
    const float h = size / 2;
    model::Primitive box;
    const glm::vec3 normals[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const glm::vec3& n : normals) {
        const glm::vec3 u = n.x != 0 ? glm::vec3{0, 1, 0} : glm::vec3{1, 0, 0};
        const glm::vec3 v = glm::cross(n, u);
        const auto base = static_cast<std::uint32_t>(box.vertices.size());
        for (const glm::vec2 c : {glm::vec2{-1, -1}, glm::vec2{1, -1}, glm::vec2{1, 1}, glm::vec2{-1, 1}}) {
            model::Vertex vertex;
            vertex.position = (n + u * c.x + v * c.y) * h;
            vertex.normal = n;
            vertex.uv = (c + 1.0f) / 2.0f;
            box.vertices.push_back(vertex);
        }
        for (std::uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) box.indices.push_back(base + i);
    }
    return box;
}

// A cube of side `size` centred at the origin.
inline model::Model BoxModel(float size) {
    model::Model m;
    m.meshes.push_back({"box", {BoxPrimitive(size)}});
    m.nodes.push_back({"box", -1, {}, {0, 0, 0}, {1, 0, 0, 0}, {1, 1, 1}, 0, -1});
    m.roots = {0};
    return m;
}

// A cube on a root joint with two arms (the last two joints), the arms
// swinging in a one-second loop.
inline model::Model JointedModel(float size) {
    model::Model m;
    model::Primitive box = BoxPrimitive(size);
    for (model::Vertex& v : box.vertices) {
        v.joints = {0, 0, 0, 0};
        v.weights = {1, 0, 0, 0};
    }
    m.meshes.push_back({"body", {box}});
    m.nodes.push_back({"skinned", -1, {}, {0, 0, 0}, {1, 0, 0, 0}, {1, 1, 1}, 0, 0});
    m.nodes.push_back({"root", -1, {2, 3}, {0, 0, 0}, {1, 0, 0, 0}, {1, 1, 1}, -1, -1});
    m.nodes.push_back({"gun1", 1, {}, {size, 0, size / 2}, {1, 0, 0, 0}, {1, 1, 1}, -1, -1});
    m.nodes.push_back({"gun2", 1, {}, {size, 0, -size / 2}, {1, 0, 0, 0}, {1, 1, 1}, -1, -1});
    m.roots = {0, 1};
    m.skins.push_back({"skeleton", {1, 2, 3}, {glm::mat4(1.0f), glm::mat4(1.0f), glm::mat4(1.0f)}, 1});
    model::Animation swing;
    swing.name = "loop";
    swing.samplers.push_back({{0.0f, 0.5f, 1.0f}, {size, 0, size / 2, size, size / 4, size / 2, size, 0, size / 2}});
    swing.channels.push_back({2, model::Path::Translation, 0});
    swing.duration = 1.0f;
    m.animations.push_back(swing);
    return m;
}

inline Bytes SmallDds(std::uint8_t grey) {
    image::Image picture(8, 8);
    for (std::size_t i = 0; i < picture.rgba.size(); ++i) picture.rgba[i] = (i % 4 == 3) ? 255 : grey;
    return image::EncodeDds(image::BuildMipChain(picture), image::DdsFormat::Rgba32);
}

inline Bytes SmallBmp(std::uint8_t grey) {
    image::Image picture(8, 8);
    for (std::size_t i = 0; i < picture.rgba.size(); ++i) picture.rgba[i] = grey;
    return image::EncodeBmp24(picture);
}

// A grey ramp: the ground rises toward +z.
inline Bytes RampJpeg() {
    image::Image picture(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = picture.Pixel(x, y);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(y * 8);
            p[3] = 255;
        }
    return image::EncodeJpeg(picture, 90);
}

struct EnemyTypeSpec {
    std::string name;
    double modelScale = 1;
    int modelTurn = 0;
    int spins = 0;
    int spinRange = 0;
    int hitPoints = 10;
    int engineTrail = 1;
    int shotModel = 1;
};

inline std::string EnemyDefinitionText(const EnemyTypeSpec& t) {
    auto line = [](const std::string& s) { return s + "\r\n"; };
    return line("enemy type") + line("") + line("model scale") + line(std::to_string(t.modelScale)) +
           line("model turn") + line(std::to_string(t.modelTurn)) + line("spins") + line(std::to_string(t.spins)) +
           line("spin range") + line(std::to_string(t.spinRange)) + line("unused") + line("0") +
           line("hit points") + line(std::to_string(t.hitPoints)) + line("engine trail") +
           line(std::to_string(t.engineTrail)) + line("shot model") + line(std::to_string(t.shotModel));
}

struct MissionWorldSpec {
    std::string mapFolder = "testmap";
    std::uint8_t spaceLevel = 0;
    std::string music = "battletheme.wma";
    std::vector<std::string> scenery = {"rock.tvm", "flaga.tvm"};
    std::vector<Placement> placements;  // from index 1; the rest inactive
    std::vector<EnemyTypeSpec> enemyTypes = {{"grunt"}, {"spinner", 2, 90, 1, 3, 40, 0, 2}};
    float sceneryModelSize = 100;
};

inline Placement ActivePlacement(int type, double x, double z, double scale = 1.0) {
    Placement p;
    p.Active = 1;
    p.SceneryType = type;
    p.Scale = scale;
    p.X = x;
    p.Z = z;
    p.RotY = 30;
    return p;
}

inline void WriteModel(const TempGameFolder& temp, const std::string& path, const model::Model& m) {
    temp.Write(path, model::WriteGlb(m));
}

inline void WriteMapFolder(const TempGameFolder& temp, const MissionWorldSpec& spec) {
    const std::string map = "models/" + spec.mapFolder + "/";
    std::string list = std::to_string(spec.scenery.size()) + "\r\n";
    for (const std::string& name : spec.scenery) {
        list += name + "\r\n";
        const std::string file = name == "flaga.tvm" ? "!cannon.tvm" : name;
        WriteModel(temp, map + "obiekty/" + file, BoxModel(spec.sceneryModelSize));
    }
    temp.Write(map + "obiekty/lista.dat", list);
    MapRecord record;
    record.SpaceLevel = spec.spaceLevel;
    record.MapMusicName = spec.music;
    record.SceneryTypeCount = static_cast<std::int32_t>(spec.scenery.size());
    for (std::size_t i = 0; i < spec.placements.size(); ++i)
        record.Placements[static_cast<int>(i) + 1] = spec.placements[i];
    temp.Write(map + "map.dat", MapRecordToBytes(record));
    std::string ships = "enemy ships\r\n" + std::to_string(spec.enemyTypes.size()) + "\r\n";
    for (const EnemyTypeSpec& t : spec.enemyTypes) {
        ships += t.name + "\r\n";
        temp.Write("data/" + t.name + ".dat", EnemyDefinitionText(t));
        WriteModel(temp, "models/" + t.name + "/" + t.name + ".tvm", BoxModel(60));
    }
    temp.Write(map + "ships.dat", ships);
    temp.Write(map + "ground/ground.dds", SmallDds(120));
    temp.Write(map + "ground/heightmap.jpg", RampJpeg());
    for (const char* face : {"front", "left", "right", "back", "top"})
        temp.Write(map + "ground/" + face + ".bmp", SmallBmp(60));
}

// The files every mission shares: powerups, shield, shots, HUD pictures,
// bosses and the gun sounds (copied from the sound the game already has).
inline void WriteSharedMissionFiles(const TempGameFolder& temp, int missions = 2) {
    for (int k = 1; k <= 3; ++k) WriteModel(temp, "models/powerups/powerup" + std::to_string(k) + ".tva", JointedModel(20));
    WriteModel(temp, "models/powerups/shield.tvm", BoxModel(200));
    for (int n = 1; n <= 5; ++n) temp.Write("models/powerups/shield0" + std::to_string(n) + ".dds", SmallDds(200));
    for (const char* gun : {"laser", "plasma", "gauss", "machinegun"})
        for (int level = 1; level <= 4; ++level)
            WriteModel(temp, "models/guns/" + std::string(gun) + "lv" + std::to_string(level) + ".tvm", BoxModel(8));
    WriteModel(temp, "models/guns/rakieta.tvm", BoxModel(10));
    for (int i = 1; i <= 14; ++i) {
        const std::string folder = "models/alienship" + std::to_string(i) + "/";
        WriteModel(temp, folder + "shot1.tvm", BoxModel(6));
        temp.Write(folder + "shot1.bmp", SmallBmp(0));
    }
    temp.Write("Graphics/lasertlo.bmp", SmallBmp(30));
    temp.Write("Graphics/laser.bmp", SmallBmp(220));
    for (const char* hud : {"pas_life", "pas_armo", "pas_tlo", "ico_life", "ico_shield"})
        temp.Write("Graphics/" + std::string(hud) + ".dds", SmallDds(180));
    for (int n = 1; n <= missions; ++n) {
        WriteModel(temp, "models/bosses/boss" + std::to_string(n) + ".tvM", BoxModel(400));
        WriteModel(temp, "models/bosses/boss" + std::to_string(n) + ".tva", JointedModel(400));
    }
}

}  // namespace kr::test
