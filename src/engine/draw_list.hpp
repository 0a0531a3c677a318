#pragma once
// One frame as the game drew it, recorded CPU-side. Both back-ends receive
// the same record: the gl back-end turns it into pixels, the headless one
// keeps it for inspection. Commands run in order.

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "engine/colour.hpp"
#include "engine/scene/draw_items.hpp"

namespace kr {

using TextureHandle = scene::TextureHandle;  // back-end texture; 0 draws untextured

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
// 3D objects drawn with one camera, lights and fog.
using SceneCommand = scene::ScenePass;
// Drawing goes to the glow surface between its begin and end.
struct SurfaceCommand {
    bool begin = true;
};
// The glow surface, blurred, added over the frame.
struct GlowCommand {
    Colour colour{0.8f, 0.8f, 0.8f, 1};
    float strength = 0;  // 0: the default strength
    float radius = 0;    // 0: the default blur
};
using DrawCommand = std::variant<ClearCommand, QuadsCommand, SceneCommand, SurfaceCommand, GlowCommand>;

// A text as a screen asked for it, kept beside its glyph quads so that
// tools and tests can read what a frame says.
struct DrawnText {
    std::string text;  // Windows-1250
    float x = 0, y = 0;
    Colour colour;
};

struct FrameRecord {
    std::vector<DrawCommand> commands;
    std::vector<DrawnText> texts;

    void Clear(Colour colour) { commands.emplace_back(ClearCommand{colour}); }
    // Appends to the last quad batch, starting one when needed.
    void AddQuad(const Quad2D& quad) {
        if (commands.empty() || !std::holds_alternative<QuadsCommand>(commands.back()))
            commands.emplace_back(QuadsCommand{});
        std::get<QuadsCommand>(commands.back()).quads.push_back(quad);
    }
    // The 3D pass to add to: the last command when it is one, otherwise a
    // new pass drawn in `setup`.
    scene::ScenePass& CurrentPass(const scene::PassSetup& setup) {
        if (commands.empty() || !std::holds_alternative<SceneCommand>(commands.back())) {
            scene::ScenePass pass;
            pass.setup = setup;
            commands.emplace_back(std::move(pass));
        }
        return std::get<SceneCommand>(commands.back());
    }
    void Reset() { commands.clear(); }
};

}  // namespace kr
