#include "arsenal/arsenal.hpp"

#include <functional>
#include <string>
#include <vector>

#include "arsenal/alien_shots.hpp"
#include "arsenal/hud_bars.hpp"
#include "arsenal/player_shots.hpp"
#include "arsenal/powerups.hpp"
#include "arsenal/rocket.hpp"
#include "arsenal/shield.hpp"
#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "toolkit/parallel.hpp"
#include "toolkit/texture_files.hpp"

namespace kr::makedata {
namespace {

struct File {
    std::string name;
    std::function<Bytes()> make;
};

// "shield01": two digits.
std::string TwoDigits(const char* prefix, int n) { return prefix + std::string(n < 10 ? "0" : "") + std::to_string(n); }

void AddShots(std::vector<File>& files) {
    for (const char* gun : arsenal::kGuns)
        for (int level = 1; level <= arsenal::kGunLevels; ++level)
            files.push_back({"models\\guns\\" + std::string(gun) + "lv" + std::to_string(level) + ".tvm",
                             [gun, level] { return model::WriteGlb(arsenal::GunShotModel(gun, level)); }});
    files.push_back({"models\\guns\\rakieta.tvm", [] { return model::WriteGlb(arsenal::RocketModel()); }});
    for (int kind = 1; kind <= arsenal::kAlienShotKinds; ++kind) {
        const std::string folder = "models\\alienship" + std::to_string(kind) + "\\";
        files.push_back({folder + "shot1.tvm", [kind] { return model::WriteGlb(arsenal::MakeAlienShot(kind).model); }});
        files.push_back({folder + "shot1.bmp", [kind] { return image::EncodeBmp24(arsenal::MakeAlienShot(kind).picture); }});
    }
}

void AddPickups(std::vector<File>& files) {
    for (int kind = 1; kind <= arsenal::kPowerupKinds; ++kind)
        files.push_back({"models\\powerups\\powerup" + std::to_string(kind) + ".tva",
                         [kind] { return model::WriteGlb(arsenal::PowerupModel(kind)); }});
    files.push_back({"models\\powerups\\shield.tvm",
                     [] { return model::WriteGlb(arsenal::ShieldModel(arsenal::ShieldFrame(0))); }});
    for (int frame = 0; frame < arsenal::kShieldFrames; ++frame)
        files.push_back({"models\\powerups\\" + TwoDigits("shield", frame + 1) + ".dds",
                         [frame] { return toolkit::EncodeTextureDds(arsenal::ShieldFrame(frame)); }});
}

Bytes EncodeHud(const arsenal::HudPicture& picture) {
    if (picture.format == arsenal::HudFormat::Bmp24) return image::EncodeBmp24(picture.picture);
    return toolkit::EncodeTextureDds(picture.picture);
}

}  // namespace

void WriteArsenal(OutputFolder& out) {
    std::vector<File> files;
    AddShots(files);
    AddPickups(files);
    std::vector<Bytes> bytes(files.size());
    ParallelFor(files.size(), [&](std::size_t i) { bytes[i] = files[i].make(); });
    for (std::size_t i = 0; i < files.size(); ++i) out.Write(files[i].name, bytes[i]);
    for (const arsenal::HudPicture& picture : arsenal::HudGaugePictures()) out.Write(picture.file, EncodeHud(picture));
}

}  // namespace kr::makedata
