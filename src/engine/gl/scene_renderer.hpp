#pragma once
// OpenGL drawing of 3D passes: lit meshes (per vertex or per pixel), fog,
// the sky box, particle billboards, and the glow surface with its blur.

#include <epoxy/gl.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/draw_list.hpp"
#include "engine/gl/mesh_programs.hpp"
#include "engine/scene/light_reach.hpp"

namespace kr::gl {

class SceneRenderer {
public:
    // `textureOf` turns a back-end texture handle into a GL texture name
    // (0 for none); `white` is a 1x1 white texture for untextured draws.
    SceneRenderer(std::function<GLuint(TextureHandle)> textureOf, GLuint white);
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    void SetLayout(int width, int height) { width_ = width, height_ = height; }
    void DrawPass(const scene::ScenePass& pass);

    // The glow surface: drawing between begin and end goes into it; the glow
    // command blurs it and adds it over `target`.
    void BeginSurface();
    void EndSurface(GLuint target);
    void ApplyGlow(const GlowCommand& glow, GLuint target);
    // Frees buffers of geometry nobody holds any more.
    void CollectGarbage();

private:
    struct GpuPrimitive {
        GLuint vao = 0, vbo = 0, ibo = 0;
        GLsizei count = 0;
    };
    struct GpuGeometry {
        std::weak_ptr<const scene::Geometry> source;
        std::vector<GpuPrimitive> primitives;
    };

    const GpuGeometry& Upload(const scene::GeometryPtr& geometry);
    void Release(GpuGeometry& entry);
    void SetupPass(const scene::PassSetup& setup);
    void ApplyTextureQuality(const scene::TextureQuality& quality);
    void DrawMesh(const scene::MeshDraw& mesh);
    void DrawGlowParts(const scene::MeshDraw& mesh);
    void DrawDepth(const scene::MeshDraw& mesh);
    void Cull(const scene::MeshDraw& mesh);
    // One primitive with its picture (white when it has none).
    void DrawPrimitive(const GpuGeometry& gpu, const scene::MeshDraw& mesh, std::size_t i);
    void DrawSky(const scene::SkyDraw& sky, const scene::PassSetup& setup);
    void DrawParticles(const scene::ParticleDraw& particles, const scene::PassSetup& setup);
    void CreateGlowTargets();
    void Blur(GLuint source, GLuint target, bool horizontal);

    std::function<GLuint(TextureHandle)> textureOf_;
    GLuint white_ = 0;
    MeshPrograms programs_;
    GLuint blurProgram_ = 0;
    GLuint glowAddProgram_ = 0;
    GLuint dynamicVao_ = 0, dynamicVbo_ = 0;
    GLuint emptyVao_ = 0;
    GLuint sampler_ = 0;  // repeat, trilinear: model textures tile
    std::unordered_map<const scene::Geometry*, GpuGeometry> cache_;
    int width_ = 1024, height_ = 768;
    GLuint surfaceFbo_ = 0, surfaceColour_ = 0, surfaceDepth_ = 0;
    GLuint blurFbo_[2] = {0, 0}, blurColour_[2] = {0, 0};
    GLint previousFbo_ = 0;
    glm::mat4 view_{1.0f}, projection_{1.0f};
    bool fogOn_ = false;  // in the pass being drawn
    scene::LightReach lightReach_;  // likewise
    scene::TextureQuality samplerQuality_;  // what sampler_ is set to
    std::vector<float> scratch_;
};

}  // namespace kr::gl
