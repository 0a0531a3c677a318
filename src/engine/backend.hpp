#pragma once
// What a back-end provides: a display, textures, drawing a recorded frame,
// input events, a clock. Only back-ends include SDL or GL; the game and the
// engine core see this interface.

#include <optional>
#include <string>
#include <vector>

#include "engine/draw_list.hpp"
#include "engine/image/image.hpp"
#include "engine/input.hpp"

namespace kr {

struct DisplayMode {
    int width = 1024;   // layout size: the game draws in these pixels
    int height = 768;
    int colourDepth = 32;
    bool fullScreen = false;  // on the desktop's resolution, layout scaled and letterboxed
    int samples = 0;          // multisampling, where the driver has it
};

class Backend {
public:
    virtual ~Backend() = default;

    virtual bool IsHeadless() const = 0;
    virtual void ConfigureDisplay(const DisplayMode& mode) = 0;
    virtual const DisplayMode& Display() const = 0;

    virtual TextureHandle UploadTexture(const image::MipChain& picture) = 0;
    virtual void ReleaseTexture(TextureHandle handle) = 0;
    // Replaces a texture's picture (same size or not), e.g. each video frame.
    virtual void UpdateTexture(TextureHandle handle, const image::Image& picture) = 0;

    // Draws a frame and shows it; with `capture`, the frame's pixels (layout
    // size, top-down) are read back before it is shown.
    virtual void Render(const FrameRecord& frame, image::Image* capture) = 0;

    // Input that arrived since the last call, already in layout pixels.
    virtual void PollEvents(std::vector<InputEvent>& out) = 0;
    virtual void WaitForEvents(int timeoutMs) = 0;
    virtual bool HasFocus() const = 0;
    virtual bool QuitRequested() const = 0;
    virtual void WarpMouse(int x, int y) = 0;
    virtual void ShowSystemPointer(bool show) = 0;
    // While captured the pointer stays in the window and only its motion
    // counts (steering in a mission).
    virtual void CapturePointer(bool /*capture*/) {}

    // Joysticks and game pads plugged in.
    virtual int GameControllerCount() const { return 0; }
    // Opens the first controller (closing any open one); false when none is
    // plugged in. Closing when none is open is harmless.
    virtual bool OpenFirstController() { return false; }
    virtual void CloseController() {}
    // The open controller now; centred and released when none is open.
    virtual JoystickState ReadController() { return {}; }

    virtual double NowMs() const = 0;
    virtual void ShowError(const std::string& title, const std::string& message) = 0;
};

}  // namespace kr
