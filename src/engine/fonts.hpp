#pragma once
// Fonts created under names with a family, a size and a bold flag. Families
// resolve to font files the game folder ships under "Fonts\".

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/game_folder.hpp"
#include "engine/text/font.hpp"
#include "engine/text/text_measurer.hpp"
#include "engine/textures.hpp"

namespace kr {

// The font file of a family: "Astron Boy" is the display face, "Arial" the
// plain sans. Throws for a family the game does not ship.
std::string FontFileFor(std::string_view family, bool bold);

struct RegisteredFont {
    std::string name;
    std::unique_ptr<text::Font> font;
    int atlasTexture = 0;
};

class FontRegistry {
public:
    FontRegistry(const GameFolder& folder, TextureRegistry& textures);

    // The size is the height of the character cell in pixels.
    int Create(std::string_view name, std::string_view family, int size, bool bold);
    // Throws when no font has that name.
    int Id(std::string_view name) const;
    const RegisteredFont& Get(int id) const;
    // Width of a text in a family's face scaled to an em of emPx pixels,
    // independent of any created font (for measuring at arbitrary sizes).
    float MeasureAtEm(std::string_view family, bool bold, float emPx, std::string_view cp1250);

private:
    const Bytes& FileBytes(const std::string& file);

    const GameFolder& folder_;
    TextureRegistry& textures_;
    std::vector<RegisteredFont> fonts_;
    std::unordered_map<std::string, Bytes> files_;
    std::unordered_map<std::string, text::TextMeasurer> measurers_;
};

}  // namespace kr
