#pragma once
// One frame as the game drew it, recorded CPU-side. Both back-ends receive
// the same record: the gl back-end turns it into pixels, the headless one
// keeps it for inspection. Commands run in order.

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

#include "engine/colour.hpp"

namespace kr {

using TextureHandle = std::uint32_t;  // back-end texture; 0 draws untextured

// A 2D quad in layout pixels. Corner order: top-left, top-right,
// bottom-left, bottom-right. x1 > x2 mirrors the picture.
struct Quad2D {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::array<Colour, 4> colours{kWhite, kWhite, kWhite, kWhite};
    float u1 = 0, v1 = 0, u2 = 1, v2 = 1;
    TextureHandle texture = 0;
};

struct ClearCommand {
    Colour colour{0, 0, 0, 1};
};
struct QuadsCommand {
    std::vector<Quad2D> quads;
};
using DrawCommand = std::variant<ClearCommand, QuadsCommand>;

struct FrameRecord {
    std::vector<DrawCommand> commands;

    void Clear(Colour colour) { commands.emplace_back(ClearCommand{colour}); }
    // Appends to the last quad batch, starting one when needed.
    void AddQuad(const Quad2D& quad) {
        if (commands.empty() || !std::holds_alternative<QuadsCommand>(commands.back()))
            commands.emplace_back(QuadsCommand{});
        std::get<QuadsCommand>(commands.back()).quads.push_back(quad);
    }
    void Reset() { commands.clear(); }
};

}  // namespace kr
