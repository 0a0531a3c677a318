#include "menu_scene/menu_scene.hpp"

#include <string>

#include "engine/image/image.hpp"
#include "engine/model/glb.hpp"
#include "menu_scene/hangar_model.hpp"
#include "menu_scene/hangar_textures.hpp"
#include "menu_scene/sphere_pictures.hpp"
#include "menu_scene/welder_model.hpp"

namespace kr::makedata {

namespace {

Bytes Dds(const image::Image& picture, image::DdsFormat format) {
    return image::EncodeDds(image::BuildMipChain(picture), format);
}

}  // namespace

void WriteMenuSceneModels(OutputFolder& out) {
    out.Write("models\\mainmenu\\mainmenu.tvm", model::WriteGlb(menu_scene::BuildHangarModel()));
    const image::Image atlas = menu_scene::TrimAtlasPicture();
    for (int ship = 1; ship <= menu_scene::kShipCount; ++ship)
        out.Write("models\\mainmenu\\Spawacz_anim" + std::to_string(ship) + ".tva",
                  model::WriteGlb(menu_scene::BuildWelderModel(ship, atlas)));
    out.Write("graphics\\night.dds", Dds(menu_scene::NightPicture(), image::DdsFormat::Bc1));
    out.Write("graphics\\crlogo.dds", Dds(menu_scene::CreditsLogoPicture(), image::DdsFormat::Bc3));
    out.Write("graphics\\crlogo2.dds", Dds(menu_scene::CreditsLogo2Picture(), image::DdsFormat::Bc3));
    out.Write("graphics\\kravexp.dds", Dds(menu_scene::ShieldPicture(), image::DdsFormat::Bc3));
}

}  // namespace kr::makedata
