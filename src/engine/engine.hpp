#pragma once
// The engine objects one engine initialisation creates: display set-up,
// frames, textures, 2D drawing, fonts and text, fades, the mouse cursor and
// input reads. Each initialisation makes a new Engine over the same Device.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/colour.hpp"
#include "engine/device.hpp"
#include "engine/fade.hpp"
#include "engine/fonts.hpp"
#include "engine/game_folder.hpp"
#include "engine/scene/scene.hpp"
#include "engine/textures.hpp"

namespace kr {

struct Corners {
    Colour topLeft = kWhite, topRight = kWhite, bottomLeft = kWhite, bottomRight = kWhite;
    static Corners All(Colour c) { return {c, c, c, c}; }
};

struct TexCoords {
    float u1 = 0, v1 = 0, u2 = 1, v2 = 1;
};

class Engine {
public:
    Engine(Device& device, const GameFolder& folder);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    Device& device() { return device_; }
    Log& log() { return device_.log(); }
    const GameFolder& folder() const { return folder_; }

    // Display and frames.
    void InitDisplay(const DisplayMode& mode);
    const DisplayMode& Display() const { return device_.backend().Display(); }
    // keepPicture: only the depth is cleared; the last frame's picture stays
    // and is drawn over (the fade loop relies on it).
    void Clear(bool keepPicture = false);
    void Present();
    double FrameTimeMs() const { return device_.FrameTimeMs(); }
    const FrameRecord& LastFrame() const { return lastFrame_; }

    // The 3D scene.
    scene::Scene& scene() { return scene_; }

    // The glow surface: what is rendered between begin and end goes into
    // it; applying the glow adds it, blurred and tinted, over the frame.
    void BeginGlowSurface() { frame_.commands.emplace_back(SurfaceCommand{true}); }
    void EndGlowSurface() { frame_.commands.emplace_back(SurfaceCommand{false}); }
    void ApplyGlow() { frame_.commands.emplace_back(glow_); }
    void SetGlowColour(const Colour& colour, float strength, float radius) { glow_ = {colour, strength, radius}; }

    // Textures.
    TextureRegistry& textures() { return textures_; }
    int LoadTexture(std::string_view path, std::string_view name, int width = -1, int height = -1,
                    std::int32_t colourKey = colour_key::kNone);
    int TextureId(std::string_view name) const { return textures_.Id(name); }
    void DeleteTexture(std::string_view name) { textures_.Delete(name); }

    // 2D drawing, between Begin2D and End2D.
    void Begin2D();
    void End2D();
    void DrawTexture(int texture, float x1, float y1, float x2, float y2, const Corners& colours = {},
                     const TexCoords& coords = {});
    void DrawFilledBox(float x1, float y1, float x2, float y2, const Corners& colours);

    // Fonts and text, between BeginText and EndText.
    int CreateFont(std::string_view name, std::string_view family, int size, bool bold);
    int FontId(std::string_view name) const { return fonts_.Id(name); }
    void BeginText();
    void EndText();
    // (x, y) is the top-left corner of the text's cell.
    void DrawText(std::string_view cp1250, float x, float y, Colour colour, int font);
    float MeasureText(std::string_view cp1250, int font) const;
    // Width of a text in a family's bold or regular face at an em of emPx.
    float MeasureFamilyText(std::string_view family, bool bold, float emPx, std::string_view cp1250) {
        return fonts_.MeasureAtEm(family, bold, emPx, cp1250);
    }

    // Fades.
    void FadeOut(double durationMs) { fade_.StartOut(durationMs); }
    void FadeIn(double durationMs) { fade_.StartIn(durationMs); }
    bool FadeFinished() const { return fade_.Finished(); }

    // The engine's own mouse cursor, drawn over everything at the pointer.
    void SetCursor(std::string_view textureName, int width, int height);
    void ShowCursor(bool show) { cursorShown_ = show; }
    bool CursorShown() const { return cursorShown_; }

    // Input.
    MouseReading ReadMouse() const { return device_.input().Mouse(); }
    bool KeyDown(int scanCode) const { return device_.input().KeyDown(scanCode); }
    bool KeyPressed(int scanCode) const { return device_.input().KeyPressed(scanCode); }
    void SetMousePosition(int x, int y) { device_.SetMousePosition(x, y); }
    // Steering: the pointer is held in the window and read as motion.
    void CapturePointer(bool capture) { device_.backend().CapturePointer(capture); }
    // The game controller: opened (or closed) at each engine start, read by
    // the flight controls when the joystick option is on.
    bool UseJoystick(bool use) {
        if (use) return device_.backend().OpenFirstController();
        device_.backend().CloseController();
        return false;
    }
    JoystickState ReadJoystick() { return device_.backend().ReadController(); }
    bool JoystickButton(int n) { return ReadJoystick().Button(n); }

private:
    enum class Layer { None, Drawing2D, Text };
    void Enter(Layer layer, const char* what);
    void Require(Layer layer, const char* what) const;
    void AddOverlays();

    Device& device_;
    const GameFolder& folder_;
    TextureRegistry textures_;
    FontRegistry fonts_;
    Fade fade_;
    GlowCommand glow_;
    FrameRecord frame_;
    scene::Scene scene_;
    FrameRecord lastFrame_;
    Layer layer_ = Layer::None;
    int cursorTexture_ = 0;
    int cursorWidth_ = 32, cursorHeight_ = 32;
    bool cursorShown_ = false;
};

}  // namespace kr
