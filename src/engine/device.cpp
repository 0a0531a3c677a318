#include "engine/device.hpp"

#include "engine/error.hpp"
#include "engine/image/image.hpp"

#include <algorithm>
#include <fstream>

namespace kr {

Device::Device(Backend& backend, DriverOptions options) : backend_(backend), options_(std::move(options)) {
    if (!options_.recordPath.empty()) recorder_ = std::make_unique<InputRecorder>(options_.recordPath);
    if (backend_.IsHeadless() && !options_.fixedFrameMs) options_.fixedFrameMs = kDefaultHeadlessFrameMs;
    lastPresentMs_ = backend_.NowMs();
    StartFrame();
}

void Device::Present(const FrameRecord& frame) {
    ++presented_;
    auto shot = std::find_if(options_.screenshots.begin(), options_.screenshots.end(),
                             [this](const Screenshot& s) { return s.frame == presented_; });
    if (shot != options_.screenshots.end()) {
        TakeScreenshot(frame, shot->path);
    } else {
        backend_.Render(frame, nullptr);
    }
    if (options_.maxFrames > 0 && presented_ >= options_.maxFrames) throw StopRequested{0};
    if (backend_.QuitRequested()) throw StopRequested{0};
    StartFrame();
}

void Device::Idle() {
    if (backend_.IsHeadless()) {
        Present(FrameRecord{});
        return;
    }
    backend_.WaitForEvents(1);
    if (backend_.QuitRequested()) throw StopRequested{0};
    TakeInput(false);
}

void Device::WaitWhileUnfocused() {
    backend_.WaitForEvents(100);
    if (backend_.QuitRequested()) throw StopRequested{0};
    std::vector<InputEvent> ignored;
    backend_.PollEvents(ignored);  // nothing typed elsewhere reaches the game
    input_.ReleaseAll();
    lastPresentMs_ = backend_.NowMs();
}

void Device::SetMousePosition(int x, int y) {
    input_.SetMousePosition(x, y);
    backend_.WarpMouse(x, y);
}

// The next frame begins: its frame time, then its input.
void Device::StartFrame() {
    double now = backend_.NowMs();
    double measured = now - lastPresentMs_;
    lastPresentMs_ = now;
    const ScriptFrame* scripted = options_.script ? options_.script->At(presented_ + 1) : nullptr;
    if (scripted && scripted->dt) options_.fixedFrameMs = *scripted->dt;
    frameMs_ = options_.fixedFrameMs.value_or(measured);
    clockMs_ += frameMs_;
    for (const auto& listener : listeners_) listener(frameMs_);
    input_.BeginFrame();
    TakeInput(true);
}

// Input for the coming frame, from the back-end and the script, into the
// recording. The script is consulted only when the frame starts.
void Device::TakeInput(bool frameStart) {
    long frame = presented_ + 1;
    pending_.clear();
    backend_.PollEvents(pending_);
    const ScriptFrame* scripted = options_.script && frameStart ? options_.script->At(frame) : nullptr;
    if (scripted) pending_.insert(pending_.end(), scripted->events.begin(), scripted->events.end());
    for (const auto& event : pending_) input_.Apply(event);
    if (recorder_) recorder_->Record(frame, frameMs_, pending_);
}

void Device::TakeScreenshot(const FrameRecord& frame, const std::filesystem::path& path) {
    image::Image pixels;
    backend_.Render(frame, &pixels);
    if (pixels.width == 0) throw Error("screenshots need the gl back-end");
    Bytes png = image::EncodePng(pixels);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) throw FileError(path.string(), "the screenshot cannot be written");
}

}  // namespace kr
