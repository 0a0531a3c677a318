#include "engine/gl/renderer.hpp"

#include <algorithm>
#include <string>

#include "engine/error.hpp"
#include "engine/gl/shader_program.hpp"
#include "engine/overloaded.hpp"

namespace kr::gl {

namespace {

constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 texCoord;
layout(location = 2) in vec4 colour;
uniform vec2 layoutSize;
out vec2 vTexCoord;
out vec4 vColour;
void main() {
    vec2 clip = position / layoutSize * 2.0 - 1.0;
    gl_Position = vec4(clip.x, -clip.y, 0.0, 1.0);
    vTexCoord = texCoord;
    vColour = colour;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec2 vTexCoord;
in vec4 vColour;
uniform sampler2D picture;
out vec4 fragColour;
void main() {
    fragColour = texture(picture, vTexCoord) * vColour;
}
)";

constexpr int kFloatsPerVertex = 8;

void PushVertex(std::vector<float>& out, float x, float y, float u, float v, const Colour& c) {
    out.insert(out.end(), {x, y, u, v, c.r, c.g, c.b, c.a});
}

}  // namespace

Renderer::Renderer() {
    CreateProgram();
    glGenVertexArrays(1, &vao_);
    glGenBuffers(1, &vbo_);
    glBindVertexArray(vao_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    const auto stride = static_cast<GLsizei>(kFloatsPerVertex * sizeof(float));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(2 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(4 * sizeof(float)));

    glGenSamplers(1, &sampler_);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    image::MipChain white;
    white.levels.emplace_back(1, 1);
    std::fill(white.levels[0].rgba.begin(), white.levels[0].rgba.end(), 255);
    white_ = textures_[Upload(white)];
    scene_ = std::make_unique<SceneRenderer>([this](TextureHandle h) { return TextureName(h); }, white_);
}

GLuint Renderer::TextureName(TextureHandle handle) const {
    auto it = textures_.find(handle);
    return it != textures_.end() ? it->second : 0;
}

Renderer::~Renderer() {
    scene_.reset();
    DestroyTarget();
    for (auto& [handle, name] : textures_) glDeleteTextures(1, &name);
    glDeleteSamplers(1, &sampler_);
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
    glDeleteProgram(program_);
}

void Renderer::CreateProgram() {
    program_ = BuildProgram(kVertexShader, kFragmentShader);
    projectionLocation_ = glGetUniformLocation(program_, "layoutSize");
    glUseProgram(program_);
    glUniform1i(glGetUniformLocation(program_, "picture"), 0);
}

void Renderer::DestroyTarget() {
    glDeleteFramebuffers(1, &msFbo_);
    glDeleteRenderbuffers(1, &msColour_);
    glDeleteRenderbuffers(1, &msDepth_);
    glDeleteFramebuffers(1, &fbo_);
    glDeleteTextures(1, &colour_);
    msFbo_ = msColour_ = msDepth_ = fbo_ = colour_ = 0;
}

void Renderer::SetTarget(int width, int height, int samples) {
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    samples = std::clamp(samples, 0, static_cast<int>(maxSamples));
    if (width == width_ && height == height_ && samples == samples_ && fbo_) return;
    DestroyTarget();
    width_ = width;
    height_ = height;
    samples_ = samples;
    scene_->SetLayout(width, height);

    glGenRenderbuffers(1, &msColour_);
    glBindRenderbuffer(GL_RENDERBUFFER, msColour_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glGenRenderbuffers(1, &msDepth_);
    glBindRenderbuffer(GL_RENDERBUFFER, msDepth_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
    glGenFramebuffers(1, &msFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, msFbo_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, msColour_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, msDepth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw Error("the drawing target cannot be created");

    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenFramebuffers(1, &fbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw Error("the resolve target cannot be created");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TextureHandle Renderer::Upload(const image::MipChain& picture) {
    const image::Image& top = picture.levels[0];
    bool fullChain = picture.levels.size() > 1 && picture.levels.back().width == 1 && picture.levels.back().height == 1;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    auto put = [](GLint level, const image::Image& img) {
        glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, img.width, img.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     img.rgba.data());
    };
    GLint levels = 0;
    put(levels++, top);
    if (fullChain) {
        for (; levels < static_cast<GLint>(picture.levels.size()); ++levels)
            put(levels, picture.levels[static_cast<std::size_t>(levels)]);
    } else {
        // A partial chain is completed here from its top level: cheaper than
        // the driver's own mipmap generation on a software rasteriser, and
        // the same everywhere.
        image::Image level;
        for (const image::Image* from = &top; from->width > 1 || from->height > 1; from = &level) {
            level = image::NextMipLevel(*from);
            put(levels++, level);
        }
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, levels - 1);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        throw Error("a texture of " + std::to_string(top.width) + "x" + std::to_string(top.height) +
                    " cannot be created");
    }
    TextureHandle handle = nextHandle_++;
    textures_[handle] = name;
    return handle;
}

void Renderer::Release(TextureHandle handle) {
    auto it = textures_.find(handle);
    if (it == textures_.end()) return;
    glDeleteTextures(1, &it->second);
    textures_.erase(it);
}

void Renderer::Update(TextureHandle handle, const image::Image& picture) {
    auto it = textures_.find(handle);
    if (it == textures_.end()) return;
    glBindTexture(GL_TEXTURE_2D, it->second);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.width, picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 picture.rgba.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);  // a changing picture keeps no smaller levels
}

void Renderer::Draw(const FrameRecord& frame, int windowWidth, int windowHeight, const Viewport& viewport,
                    image::Image* capture) {
    // Without multisampling, a window of the layout's size is drawn into
    // straight away: no copies of the whole frame.
    bool direct = samples_ == 0 && windowWidth == width_ && windowHeight == height_ && viewport.x == 0 &&
                  viewport.y == 0 && viewport.width == width_ && viewport.height == height_;
    GLuint target = direct ? 0 : msFbo_;
    DrawCommands(frame, target);
    if (++frames_ % 120 == 0) scene_->CollectGarbage();
    if (direct) {
        if (capture) Capture(*capture, 0);
        return;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, msFbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    if (capture) Capture(*capture, fbo_);

    glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, windowWidth, windowHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlitFramebuffer(0, 0, width_, height_, viewport.x, viewport.y, viewport.x + viewport.width,
                      viewport.y + viewport.height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void Renderer::DrawCommands(const FrameRecord& frame, GLuint target) {
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, width_, height_);
    RestoreQuadState();
    for (const auto& command : frame.commands) {
        std::visit(Overloaded{
                       [](const ClearCommand& c) {
                           glClearColor(c.colour.r, c.colour.g, c.colour.b, c.colour.a);
                           glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
                       },
                       [this](const QuadsCommand& q) { DrawQuads(q.quads); },
                       [this](const SceneCommand& pass) {
                           scene_->DrawPass(pass);
                           RestoreQuadState();
                       },
                       [this, target](const SurfaceCommand& surface) {
                           if (surface.begin) {
                               scene_->BeginSurface();
                           } else {
                               scene_->EndSurface(target);
                           }
                       },
                       [this, target](const GlowCommand& glow) {
                           scene_->ApplyGlow(glow, target);
                           RestoreQuadState();
                       },
                   },
                   command);
    }
}

// The 2D program and its state, after a 3D pass changed them.
void Renderer::RestoreQuadState() {
    glUseProgram(program_);
    glUniform2f(projectionLocation_, static_cast<float>(width_), static_cast<float>(height_));
    glBindVertexArray(vao_);
    glBindSampler(0, sampler_);
    glActiveTexture(GL_TEXTURE0);
}

void Renderer::DrawQuads(const std::vector<Quad2D>& quads) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    std::size_t start = 0;
    while (start < quads.size()) {
        TextureHandle texture = quads[start].texture;
        std::size_t end = start;
        vertices_.clear();
        for (; end < quads.size() && quads[end].texture == texture; ++end) {
            const Quad2D& q = quads[end];
            PushVertex(vertices_, q.x1, q.y1, q.u1, q.v1, q.colours[0]);
            PushVertex(vertices_, q.x2, q.y1, q.u2, q.v1, q.colours[1]);
            PushVertex(vertices_, q.x1, q.y2, q.u1, q.v2, q.colours[2]);
            PushVertex(vertices_, q.x2, q.y1, q.u2, q.v1, q.colours[1]);
            PushVertex(vertices_, q.x2, q.y2, q.u2, q.v2, q.colours[3]);
            PushVertex(vertices_, q.x1, q.y2, q.u1, q.v2, q.colours[2]);
        }
        auto found = textures_.find(texture);
        glBindTexture(GL_TEXTURE_2D, found != textures_.end() ? found->second : white_);
        glBindBuffer(GL_ARRAY_BUFFER, vbo_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices_.size() * sizeof(float)), vertices_.data(),
                     GL_STREAM_DRAW);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices_.size() / kFloatsPerVertex));
        start = end;
    }
}

void Renderer::Capture(image::Image& out, GLuint source) {
    out = image::Image(width_, height_);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> rows(out.rgba.size());
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const std::size_t stride = static_cast<std::size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y) {  // GL rows are bottom-up
        std::copy_n(&rows[static_cast<std::size_t>(height_ - 1 - y) * stride], stride, out.Pixel(0, y));
    }
    for (std::size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
}

}  // namespace kr::gl
