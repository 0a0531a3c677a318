#include "ships/ship_files.hpp"

#include <string>
#include <vector>

#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "ships/carousel.hpp"
#include "ships/ship_frame.hpp"
#include "ships/ship_model.hpp"

namespace kr::makedata {
namespace {

// The clean skin inside the model file, for whoever loads it with its own
// pictures (the menu's parked ships).
constexpr int kEmbeddedSkinSize = 256;

Bytes EncodeSkin(const image::Image& skin) { return image::EncodeDds(image::BuildMipChain(skin), image::DdsFormat::Bc1); }

}  // namespace

void WriteShipModels(OutputFolder& out) {
    const ships::SkinPatterns patterns = ships::MakeSkinPatterns(ships::kSkinSize);
    std::vector<ships::ShipModel> fleet;
    for (int number = 1; number <= ships::kShipCount; ++number) {
        ships::ShipModel ship = ships::MakeShipModel(number, patterns);
        const std::string folder = "models\\ship" + std::to_string(number) + "\\";
        out.Write(folder + "fighter.tvm", model::WriteGlb(ships::FighterModel(ship, kEmbeddedSkinSize)));
        for (int level = 0; level < ships::kWearLevels; ++level)
            out.Write(folder + std::to_string(level) + ".dds", EncodeSkin(ship.skins[static_cast<std::size_t>(level)]));
        fleet.push_back(std::move(ship));
    }
    out.Write("models\\selection\\selection.tvm", model::WriteGlb(ships::CarouselModel(fleet)));
}

}  // namespace kr::makedata
