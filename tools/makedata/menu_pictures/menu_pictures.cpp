#include "menu_pictures/menu_pictures.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <iterator>
#include <thread>
#include <utility>

#include "engine/fonts.hpp"
#include "toolkit/parallel.hpp"
#include "menu_pictures/picture_groups.hpp"
#include "toolkit/texture_files.hpp"

namespace kr::makedata {
namespace menu {

MenuPicture DdsPicture(std::string name, const Canvas& canvas, std::int32_t key) {
    return MenuPicture{std::move(name), Finish(canvas), PictureFormat::Dds, key};
}

MenuPicture KeyedBmpPicture(std::string name, const Canvas& canvas, std::int32_t key, glm::vec3 matte) {
    toolkit::KeyedFlatten how;
    how.key = toolkit::ColourKeyRgb(key);
    how.matte = glm::u8vec3(glm::round(glm::clamp(matte, 0.0f, 1.0f) * 255.0f));
    return MenuPicture{std::move(name), toolkit::FlattenForColourKey(Finish(canvas), how), PictureFormat::Bmp24, key};
}

MenuPicture OpaqueBmpPicture(std::string name, const Canvas& canvas) {
    image::Image picture = Finish(canvas);
    for (std::size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;
    return MenuPicture{std::move(name), std::move(picture), PictureFormat::Bmp24, kKeyNone};
}

}  // namespace menu

namespace {

using Group = std::vector<MenuPicture> (*)(menu::Faces&, const PictureFonts&);

// The groups, heaviest first so that parallel workers finish together.
constexpr Group kGroups[] = {
    [](menu::Faces& f, const PictureFonts& fonts) { return menu::TitleScreenPictures(f, fonts.display); },
    [](menu::Faces& f, const PictureFonts& fonts) { return menu::MakerScreenPictures(f, fonts.display); },
    [](menu::Faces& f, const PictureFonts& fonts) { return menu::LogoPictures(f, fonts.display); },
    [](menu::Faces& f, const PictureFonts&) { return menu::VistaPictures(f); },
    [](menu::Faces& f, const PictureFonts&) { return menu::FramePictures(f); },
    [](menu::Faces& f, const PictureFonts&) { return menu::PanelPictures(f); },
    [](menu::Faces& f, const PictureFonts&) { return menu::HelpPictures(f); },
    [](menu::Faces& f, const PictureFonts&) { return menu::ShipCardPictures(f); },
    [](menu::Faces& f, const PictureFonts&) { return menu::HudPictures(f); },
    [](menu::Faces&, const PictureFonts&) { return menu::IconPictures(); },
    [](menu::Faces& f, const PictureFonts&) { return menu::ScreenIconPictures(f); },
};

std::vector<MenuPicture> RenderGroup(Group group, const PictureFonts& fonts) {
    toolkit::Lettering display(fonts.display, "display face");
    toolkit::Lettering plain(fonts.plain, "plain face");
    menu::Faces faces{display, plain};
    return group(faces, fonts);
}

}  // namespace

std::vector<MenuPicture> RenderMenuPictures(const PictureFonts& fonts) {
    std::vector<std::vector<MenuPicture>> results(std::size(kGroups));
    ParallelFor(results.size(), [&](std::size_t i) { results[i] = RenderGroup(kGroups[i], fonts); });
    std::vector<MenuPicture> all;
    for (auto& group : results)
        for (auto& picture : group) all.push_back(std::move(picture));
    return all;
}

Bytes EncodeMenuPicture(const MenuPicture& picture) {
    if (picture.format == PictureFormat::Bmp24) return image::EncodeBmp24(picture.picture);
    return toolkit::EncodeTextureDds(picture.picture);
}

void WriteMenuPictures(OutputFolder& out) {
    const GameFolder folder(out.root());
    const PictureFonts fonts{folder.ReadAll(FontFileFor("Astron Boy", true)), folder.ReadAll(FontFileFor("Arial", true))};
    const std::vector<MenuPicture> pictures = RenderMenuPictures(fonts);
    std::vector<Bytes> files(pictures.size());
    ParallelFor(files.size(), [&](std::size_t i) { files[i] = EncodeMenuPicture(pictures[i]); });
    for (std::size_t i = 0; i < pictures.size(); ++i) out.Write(pictures[i].file, files[i]);
}

}  // namespace kr::makedata
