#pragma once
// A back-end for tests: no window, a clock the test moves, focus and input
// the test controls, and every rendered frame kept.

#include <deque>
#include <functional>
#include <vector>

#include "engine/backend.hpp"

namespace kr::test {

class TestBackend final : public Backend {
public:
    bool IsHeadless() const override { return headless; }
    void ConfigureDisplay(const DisplayMode& m) override { mode = m; }
    const DisplayMode& Display() const override { return mode; }

    TextureHandle UploadTexture(const image::MipChain& picture) override {
        uploaded.push_back(picture);
        ++liveTextures;
        return static_cast<TextureHandle>(uploaded.size());
    }
    void ReleaseTexture(TextureHandle handle) override {
        if (handle) --liveTextures;
    }
    void UpdateTexture(TextureHandle handle, const image::Image& picture) override {
        updated.emplace_back(handle, picture);
    }
    void Render(const FrameRecord& frame, image::Image*) override {
        if (!keepEveryFrame) frames.clear();
        frames.push_back(frame);
        if (onRender) onRender();
    }

    void PollEvents(std::vector<InputEvent>& out) override {
        out.insert(out.end(), queued.begin(), queued.end());
        queued.clear();
    }
    void WaitForEvents(int) override { ++waits; }
    bool HasFocus() const override { return focused; }
    bool QuitRequested() const override { return quit; }
    void WarpMouse(int x, int y) override { warps.push_back({x, y}); }
    void ShowSystemPointer(bool show) override { pointerShown = show; }
    void CapturePointer(bool capture) override { pointerCaptured = capture; }
    double NowMs() const override { return nowMs; }
    void ShowError(const std::string&, const std::string& message) override { errors.push_back(message); }
    int GameControllerCount() const override { return controllers; }
    bool OpenFirstController() override {
        controllerOpen = controllers > 0;
        return controllerOpen;
    }
    void CloseController() override { controllerOpen = false; }
    JoystickState ReadController() override { return controllerOpen ? joystick : JoystickState{}; }

    bool headless = true;
    bool keepEveryFrame = true;  // false: only the last one (long runs)
    bool focused = true;
    bool quit = false;
    bool pointerShown = true;
    bool pointerCaptured = false;
    int controllers = 0;
    bool controllerOpen = false;
    JoystickState joystick;
    std::function<void()> onRender;  // after each frame is kept: tests feed timed input here
    double nowMs = 1000;
    int waits = 0;
    int liveTextures = 0;
    DisplayMode mode;
    std::vector<image::MipChain> uploaded;
    std::vector<FrameRecord> frames;
    std::vector<std::pair<TextureHandle, image::Image>> updated;
    std::vector<InputEvent> queued;
    std::vector<std::pair<int, int>> warps;
    std::vector<std::string> errors;
};

}  // namespace kr::test
