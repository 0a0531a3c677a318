#pragma once
// The windowed back-end: an SDL2 window with an OpenGL 3.3 core context.

#include <memory>
#include <string>

#include "engine/backend.hpp"

struct SDL_Window;
struct _SDL_Joystick;
union SDL_Event;

namespace kr::gl {

class Renderer;

class GlBackend final : public Backend {
public:
    explicit GlBackend(const std::string& title);
    ~GlBackend() override;

    bool IsHeadless() const override { return false; }
    void ConfigureDisplay(const DisplayMode& mode) override;
    const DisplayMode& Display() const override { return mode_; }

    TextureHandle UploadTexture(const image::MipChain& picture) override;
    void ReleaseTexture(TextureHandle handle) override;
    void UpdateTexture(TextureHandle handle, const image::Image& picture) override;
    void Render(const FrameRecord& frame, image::Image* capture) override;

    void PollEvents(std::vector<InputEvent>& out) override;
    void WaitForEvents(int timeoutMs) override;
    bool HasFocus() const override { return focused_; }
    bool QuitRequested() const override { return quit_; }
    void WarpMouse(int x, int y) override;
    void ShowSystemPointer(bool show) override;
    void CapturePointer(bool capture) override;

    double NowMs() const override;
    int GameControllerCount() const override;
    bool OpenFirstController() override;
    void CloseController() override;
    JoystickState ReadController() override;
    void ShowError(const std::string& title, const std::string& message) override;

private:
    struct LayoutTransform;
    LayoutTransform Transform() const;
    void Translate(const SDL_Event& event, std::vector<InputEvent>& out);

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    DisplayMode mode_;
    _SDL_Joystick* controller_ = nullptr;
    bool focused_ = true;
    bool quit_ = false;
};

}  // namespace kr::gl
