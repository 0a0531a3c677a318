#pragma once
// OpenGL 3.3 core drawing of recorded frames. Everything is drawn into an
// offscreen target of the layout size (multisampled when asked), resolved,
// then scaled into the window with its aspect kept.

#include <epoxy/gl.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/backend.hpp"
#include "engine/gl/scene_renderer.hpp"

namespace kr::gl {

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
};

class Renderer {
public:
    Renderer();
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    void SetTarget(int width, int height, int samples);
    TextureHandle Upload(const image::MipChain& picture);
    void Release(TextureHandle handle);
    void Update(TextureHandle handle, const image::Image& picture);
    // Draws the frame into the offscreen target and from there into the
    // window's `viewport` (window pixels, origin bottom-left); straight into
    // the window when it is the layout's size and nothing is multisampled.
    void Draw(const FrameRecord& frame, int windowWidth, int windowHeight, const Viewport& viewport,
              image::Image* capture);

private:
    void CreateProgram();
    void DestroyTarget();
    void DrawQuads(const std::vector<Quad2D>& quads);
    void RestoreQuadState();
    void DrawCommands(const FrameRecord& frame, GLuint target);
    // Reads the finished frame from the framebuffer `source` (0: the window).
    void Capture(image::Image& out, GLuint source);
    GLuint TextureName(TextureHandle handle) const;

    GLuint program_ = 0;
    GLint projectionLocation_ = -1;
    GLuint vao_ = 0, vbo_ = 0;
    GLuint sampler_ = 0;
    GLuint white_ = 0;
    GLuint msFbo_ = 0, msColour_ = 0, msDepth_ = 0;
    GLuint fbo_ = 0, colour_ = 0;
    int width_ = 0, height_ = 0, samples_ = 0;
    std::vector<float> vertices_;
    std::unordered_map<TextureHandle, GLuint> textures_;
    TextureHandle nextHandle_ = 1;
    std::unique_ptr<SceneRenderer> scene_;
    long frames_ = 0;
};

}  // namespace kr::gl
