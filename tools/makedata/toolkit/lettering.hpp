#pragma once
// Text from a font file painted into coverage masks: labels, captions and
// numbers on generated pictures. Sizes are character-cell heights in texels
// (ascent + descent), the way the game sizes its own fonts.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include <glm/glm.hpp>

#include "engine/game_folder.hpp"
#include "toolkit/field.hpp"

namespace kr::text {
class Font;
}

namespace kr::toolkit {

class Lettering {
public:
    // `name` labels errors (a bad font file, a size out of range).
    Lettering(Bytes ttf, std::string name);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // Advance width in texels of UTF-8 `text` at cell height `size`, with
    // `tracking` texels added after every character but the last.
    float Width(std::string_view text, float size, float tracking = 0.0f);

    // Draws the text with its cell's top-left corner at `topLeft`; coverage
    // joins the mask by maximum.
    void Draw(Field& mask, std::string_view text, float size, glm::vec2 topLeft, float tracking = 0.0f);
    // The same with the cell centred on `centre`.
    void DrawCentred(Field& mask, std::string_view text, float size, glm::vec2 centre, float tracking = 0.0f);

private:
    const text::Font& FontAt(float size);

    Bytes ttf_;
    std::string name_;
    std::map<int, std::unique_ptr<text::Font>> fonts_;
};

}  // namespace kr::toolkit
