#include "engine/headless/headless_backend.hpp"

#include <chrono>
#include <cstdio>

namespace kr {

TextureHandle HeadlessBackend::UploadTexture(const image::MipChain&) {
    ++liveTextures_;
    return nextHandle_++;
}

void HeadlessBackend::ReleaseTexture(TextureHandle handle) {
    if (handle) --liveTextures_;
}

void HeadlessBackend::Render(const FrameRecord&, image::Image*) { ++rendered_; }

double HeadlessBackend::NowMs() const {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void HeadlessBackend::ShowError(const std::string& title, const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

}  // namespace kr
