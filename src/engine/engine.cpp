#include "engine/engine.hpp"

#include "engine/error.hpp"

namespace kr {

Engine::Engine(Device& device, const GameFolder& folder)
    : device_(device),
      folder_(folder),
      textures_(device.backend(), folder),
      fonts_(folder, textures_),
      scene_(textures_, folder, frame_) {
    const DisplayMode& mode = Display();
    scene_.SetAspect(static_cast<float>(mode.width) / static_cast<float>(mode.height));
}

Engine::~Engine() = default;

void Engine::InitDisplay(const DisplayMode& mode) {
    if (mode.width < 320 || mode.height < 200 || mode.width > 16384 || mode.height > 16384)
        throw Error("display size " + std::to_string(mode.width) + "x" + std::to_string(mode.height) +
                    " is not supported");
    device_.backend().ConfigureDisplay(mode);
    scene_.SetAspect(static_cast<float>(mode.width) / static_cast<float>(mode.height));
    log().WriteEngine("ENGINE : display " + std::to_string(mode.width) + "x" + std::to_string(mode.height) +
                      (mode.fullScreen ? " full screen" : " in a window"));
}

void Engine::Clear(bool keepPicture) {
    if (keepPicture) {
        frame_ = lastFrame_;
    } else {
        // What went to the glow surface before the clear stays: the menus
        // fill the surface first, then clear and draw the frame.
        frame_.Clear(scene_.Background());
    }
}

void Engine::Present() {
    if (layer_ != Layer::None) throw Error("frame presented inside 2D or text drawing");
    lastFrame_ = frame_;
    fade_.Advance(device_.FrameTimeMs());  // the veil shows where the fade stands at the end of this frame
    AddOverlays();
    device_.Present(frame_);
    frame_ = FrameRecord{};
    scene_.Update(device_.FrameTimeMs());
}

// The cursor and the fade veil go on top of what the game drew. They are
// not kept in the last frame, so redrawing it does not stack them.
void Engine::AddOverlays() {
    if (cursorShown_ && cursorTexture_ && cursorWidth_ > 0 && cursorHeight_ > 0) {
        MouseReading mouse = ReadMouse();
        Quad2D quad;
        quad.x1 = static_cast<float>(mouse.x);
        quad.y1 = static_cast<float>(mouse.y);
        quad.x2 = quad.x1 + static_cast<float>(cursorWidth_);
        quad.y2 = quad.y1 + static_cast<float>(cursorHeight_);
        quad.texture = textures_.Handle(cursorTexture_);
        frame_.AddQuad(quad);
    }
    if (float veil = fade_.Veil(); veil > 0.0f) {
        const DisplayMode& mode = Display();
        Quad2D quad;
        quad.x2 = static_cast<float>(mode.width);
        quad.y2 = static_cast<float>(mode.height);
        quad.colours.fill(Colour{0, 0, 0, veil});
        frame_.AddQuad(quad);
    }
}

int Engine::LoadTexture(std::string_view path, std::string_view name, int width, int height,
                        std::int32_t colourKey) {
    return textures_.Load(path, name, width, height, colourKey);
}

void Engine::Enter(Layer layer, const char* what) {
    if (layer_ != Layer::None) throw Error(std::string(what) + " while another drawing is open");
    layer_ = layer;
}

void Engine::Require(Layer layer, const char* what) const {
    if (layer_ != layer) throw Error(std::string(what) + " outside its begin and end");
}

void Engine::Begin2D() { Enter(Layer::Drawing2D, "2D drawing begun"); }

void Engine::End2D() {
    Require(Layer::Drawing2D, "end of 2D drawing");
    layer_ = Layer::None;
}

void Engine::DrawTexture(int texture, float x1, float y1, float x2, float y2, const Corners& colours,
                         const TexCoords& coords) {
    Require(Layer::Drawing2D, "texture drawn");
    if (texture == 0) throw Error("texture drawn without a texture");
    Quad2D quad{x1, y1, x2, y2,
                {colours.topLeft, colours.topRight, colours.bottomLeft, colours.bottomRight},
                coords.u1, coords.v1, coords.u2, coords.v2, textures_.Handle(texture)};
    frame_.AddQuad(quad);
}

void Engine::DrawFilledBox(float x1, float y1, float x2, float y2, const Corners& colours) {
    Require(Layer::Drawing2D, "box drawn");
    frame_.AddQuad(Quad2D{x1, y1, x2, y2,
                          {colours.topLeft, colours.topRight, colours.bottomLeft, colours.bottomRight},
                          0, 0, 1, 1, 0});
}

int Engine::CreateFont(std::string_view name, std::string_view family, int size, bool bold) {
    return fonts_.Create(name, family, size, bold);
}

void Engine::BeginText() { Enter(Layer::Text, "text begun"); }

void Engine::EndText() {
    Require(Layer::Text, "end of text");
    layer_ = Layer::None;
}

void Engine::DrawText(std::string_view cp1250, float x, float y, Colour colour, int font) {
    Require(Layer::Text, "text drawn");
    const RegisteredFont& entry = fonts_.Get(font);
    std::vector<text::GlyphQuad> glyphs;
    entry.font->Layout(cp1250, x, y, glyphs);
    frame_.texts.push_back({std::string(cp1250), x, y, colour});
    TextureHandle atlas = textures_.Handle(entry.atlasTexture);
    for (const auto& g : glyphs) {
        Quad2D quad{g.x0, g.y0, g.x1, g.y1, {colour, colour, colour, colour}, g.u0, g.v0, g.u1, g.v1, atlas};
        frame_.AddQuad(quad);
    }
}

float Engine::MeasureText(std::string_view cp1250, int font) const {
    return fonts_.Get(font).font->Measure(cp1250);
}

void Engine::SetCursor(std::string_view textureName, int width, int height) {
    cursorTexture_ = textureName.empty() ? 0 : textures_.Id(textureName);
    cursorWidth_ = width;
    cursorHeight_ = height;
}

}  // namespace kr
