#pragma once
// A back-end without window, GPU or audio device: it keeps the display
// settings, hands out texture handles and counts frames. Frame time and
// input come from the test driver.

#include "engine/backend.hpp"

namespace kr {

class HeadlessBackend final : public Backend {
public:
    bool IsHeadless() const override { return true; }
    void ConfigureDisplay(const DisplayMode& mode) override { mode_ = mode; }
    const DisplayMode& Display() const override { return mode_; }

    TextureHandle UploadTexture(const image::MipChain& picture) override;
    void ReleaseTexture(TextureHandle handle) override;
    void UpdateTexture(TextureHandle, const image::Image&) override {}
    void Render(const FrameRecord& frame, image::Image* capture) override;

    void PollEvents(std::vector<InputEvent>&) override {}
    void WaitForEvents(int) override {}
    bool HasFocus() const override { return true; }
    bool QuitRequested() const override { return false; }
    void WarpMouse(int, int) override {}
    void ShowSystemPointer(bool) override {}

    double NowMs() const override;
    void ShowError(const std::string& title, const std::string& message) override;

    long RenderedFrames() const { return rendered_; }
    int LiveTextures() const { return liveTextures_; }

private:
    DisplayMode mode_;
    TextureHandle nextHandle_ = 1;
    int liveTextures_ = 0;
    long rendered_ = 0;
};

}  // namespace kr
