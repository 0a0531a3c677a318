#include "engine/gl/gl_backend.hpp"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/error.hpp"
#include "engine/gl/renderer.hpp"
#include "engine/gl/scancodes.hpp"

namespace kr::gl {

// Maps window pixels to layout pixels and back: the layout is scaled to fit
// the window with its aspect kept and centred (letterboxed).
struct GlBackend::LayoutTransform {
    double scale = 1;
    double offsetX = 0, offsetY = 0;
    int windowWidth = 0, windowHeight = 0;

    int ToLayoutX(int x) const { return static_cast<int>(std::floor((x - offsetX) / scale)); }
    int ToLayoutY(int y) const { return static_cast<int>(std::floor((y - offsetY) / scale)); }
};

GlBackend::GlBackend(const std::string& title) {
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0)
        throw Error(std::string("the display cannot be opened: ") + SDL_GetError());
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);  // the window is drawn into directly when it can be
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, mode_.width,
                               mode_.height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window_) throw Error(std::string("the window cannot be created: ") + SDL_GetError());
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) throw Error(std::string("OpenGL 3.3 is not available: ") + SDL_GetError());
    SDL_GL_SetSwapInterval(1);
    renderer_ = std::make_unique<Renderer>();
    renderer_->SetTarget(mode_.width, mode_.height, 0);
    SDL_RaiseWindow(window_);
}

GlBackend::~GlBackend() {
    CloseController();
    renderer_.reset();
    if (context_) SDL_GL_DeleteContext(context_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void GlBackend::ConfigureDisplay(const DisplayMode& mode) {
    mode_ = mode;
    if (mode.fullScreen) {
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, mode.width, mode.height);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    renderer_->SetTarget(mode.width, mode.height, mode.samples);
}

TextureHandle GlBackend::UploadTexture(const image::MipChain& picture) { return renderer_->Upload(picture); }

void GlBackend::ReleaseTexture(TextureHandle handle) { renderer_->Release(handle); }

void GlBackend::UpdateTexture(TextureHandle handle, const image::Image& picture) {
    renderer_->Update(handle, picture);
}

GlBackend::LayoutTransform GlBackend::Transform() const {
    LayoutTransform t;
    SDL_GL_GetDrawableSize(window_, &t.windowWidth, &t.windowHeight);
    t.scale = std::min(static_cast<double>(t.windowWidth) / mode_.width,
                       static_cast<double>(t.windowHeight) / mode_.height);
    if (t.scale <= 0) t.scale = 1;
    t.offsetX = (t.windowWidth - mode_.width * t.scale) / 2;
    t.offsetY = (t.windowHeight - mode_.height * t.scale) / 2;
    return t;
}

void GlBackend::Render(const FrameRecord& frame, image::Image* capture) {
    LayoutTransform t = Transform();
    Viewport viewport{static_cast<int>(std::lround(t.offsetX)), static_cast<int>(std::lround(t.offsetY)),
                      static_cast<int>(std::lround(mode_.width * t.scale)),
                      static_cast<int>(std::lround(mode_.height * t.scale))};
    renderer_->Draw(frame, t.windowWidth, t.windowHeight, viewport, capture);
    SDL_GL_SwapWindow(window_);
}

void GlBackend::PollEvents(std::vector<InputEvent>& out) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) Translate(event, out);
}

void GlBackend::WaitForEvents(int timeoutMs) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeoutMs)) {
        std::vector<InputEvent> ignored;
        Translate(event, ignored);
    }
}

void GlBackend::Translate(const SDL_Event& event, std::vector<InputEvent>& out) {
    switch (event.type) {
        case SDL_QUIT: quit_ = true; break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) focused_ = true;
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) focused_ = false;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (event.key.repeat) break;
            if (int code = ToSetOneScanCode(event.key.keysym.scancode))
                out.push_back(KeyEvent{code, event.type == SDL_KEYDOWN});
            break;
        case SDL_MOUSEMOTION: {
            LayoutTransform t = Transform();
            out.push_back(MouseMoveEvent{t.ToLayoutX(event.motion.x), t.ToLayoutY(event.motion.y)});
            if (event.motion.xrel || event.motion.yrel)
                out.push_back(MouseMotionEvent{event.motion.xrel, event.motion.yrel});
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            static constexpr int kButtons[] = {0, 1, 3, 2, 4};  // SDL left, middle, right, x1
            int button = event.button.button < 5 ? kButtons[event.button.button] : 0;
            if (button) out.push_back(MouseButtonEvent{button, event.type == SDL_MOUSEBUTTONDOWN});
            break;
        }
        case SDL_MOUSEWHEEL:
            if (event.wheel.y) out.push_back(WheelEvent{event.wheel.y});
            break;
        default: break;
    }
}

void GlBackend::WarpMouse(int x, int y) {
    LayoutTransform t = Transform();
    int windowX = 0, windowY = 0;
    SDL_GetWindowSize(window_, &windowX, &windowY);
    // Drawable and window sizes differ on high-density displays.
    double ratio = t.windowWidth > 0 ? static_cast<double>(windowX) / t.windowWidth : 1.0;
    SDL_WarpMouseInWindow(window_, static_cast<int>((x * t.scale + t.offsetX) * ratio),
                          static_cast<int>((y * t.scale + t.offsetY) * ratio));
}

void GlBackend::ShowSystemPointer(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void GlBackend::CapturePointer(bool capture) { SDL_SetRelativeMouseMode(capture ? SDL_TRUE : SDL_FALSE); }

int GlBackend::GameControllerCount() const {
    // Joysticks are looked for on first use; without the subsystem there are none.
    if (!SDL_WasInit(SDL_INIT_JOYSTICK) && SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return 0;
    return std::max(SDL_NumJoysticks(), 0);
}

bool GlBackend::OpenFirstController() {
    CloseController();
    if (GameControllerCount() == 0) return false;
    controller_ = SDL_JoystickOpen(0);
    return controller_ != nullptr;
}

void GlBackend::CloseController() {
    if (controller_) SDL_JoystickClose(controller_);
    controller_ = nullptr;
}

namespace {
// SDL's axes run from -32768 to 32767; the game's from 0 to 10000.
std::int32_t GameAxis(Sint16 value) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(value) + 32768) * kJoystickAxisMax / 65535);
}
}  // namespace

JoystickState GlBackend::ReadController() {
    JoystickState state;
    if (!controller_) return state;
    SDL_JoystickUpdate();
    if (SDL_JoystickNumAxes(controller_) >= 2) {
        state.x = GameAxis(SDL_JoystickGetAxis(controller_, 0));
        state.y = GameAxis(SDL_JoystickGetAxis(controller_, 1));
    }
    int buttons = std::min(SDL_JoystickNumButtons(controller_), 32);
    for (int n = 0; n < buttons; ++n)
        if (SDL_JoystickGetButton(controller_, n)) state.buttons |= 1U << n;
    return state;
}

double GlBackend::NowMs() const {
    return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
           static_cast<double>(SDL_GetPerformanceFrequency());
}

void GlBackend::ShowError(const std::string& title, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_);
}

}  // namespace kr::gl
