#include "engine/fonts.hpp"

#include "engine/error.hpp"

namespace kr {

std::string FontFileFor(std::string_view family, bool bold) {
    if (family == "Astron Boy") return bold ? "Fonts\\Play-Bold.ttf" : "Fonts\\Play-Regular.ttf";
    if (family == "Arial") return bold ? "Fonts\\LiberationSans-Bold.ttf" : "Fonts\\LiberationSans-Regular.ttf";
    throw Error("font family '" + std::string(family) + "' is not available");
}

FontRegistry::FontRegistry(const GameFolder& folder, TextureRegistry& textures)
    : folder_(folder), textures_(textures) {}

const Bytes& FontRegistry::FileBytes(const std::string& file) {
    auto it = files_.find(file);
    if (it == files_.end()) it = files_.emplace(file, folder_.ReadAll(file)).first;
    return it->second;
}

int FontRegistry::Create(std::string_view name, std::string_view family, int size, bool bold) {
    if (size < 1 || size > 400)
        throw Error("font '" + std::string(name) + "': size " + std::to_string(size) + " is out of range");
    std::string file = FontFileFor(family, bold);
    RegisteredFont entry;
    entry.name = name;
    entry.font = std::make_unique<text::Font>(FileBytes(file), static_cast<float>(size), file);
    image::MipChain atlas;
    atlas.levels.push_back(entry.font->Atlas());
    entry.atlasTexture = textures_.Add("font:" + entry.name, atlas);
    fonts_.push_back(std::move(entry));
    return static_cast<int>(fonts_.size());
}

int FontRegistry::Id(std::string_view name) const {
    for (std::size_t i = fonts_.size(); i-- > 0;) {
        if (fonts_[i].name == name) return static_cast<int>(i + 1);
    }
    throw Error("font '" + std::string(name) + "' has not been created");
}

const RegisteredFont& FontRegistry::Get(int id) const {
    if (id < 1 || id > static_cast<int>(fonts_.size()))
        throw Error("font id " + std::to_string(id) + " does not exist");
    return fonts_[id - 1];
}

float FontRegistry::MeasureAtEm(std::string_view family, bool bold, float emPx, std::string_view cp1250) {
    std::string file = FontFileFor(family, bold);
    auto it = measurers_.find(file);
    if (it == measurers_.end()) it = measurers_.emplace(file, text::TextMeasurer(FileBytes(file), file)).first;
    return it->second.Measure(emPx, cp1250);
}

}  // namespace kr
