#include "engine/gl/scene_renderer.hpp"

#include <algorithm>
#include <string>

#include <glm/gtc/matrix_inverse.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "engine/error.hpp"
#include "engine/gl/scene_shaders.hpp"
#include "engine/gl/shader_program.hpp"

namespace kr::gl {

namespace {

constexpr int kSurfaceSize = 256;  // blurred at this size anyway: rendering it larger only costs fill
constexpr int kBlurSize = 256;
constexpr GLsizei kVertexStride = 12 * sizeof(float);  // position, normal, uv, colour

void SetColour(GLint location, const Colour& c) { glUniform4f(location, c.r, c.g, c.b, c.a); }

void SetColour(GLint location, const glm::vec3& rgb, float alpha) { glUniform4f(location, rgb.r, rgb.g, rgb.b, alpha); }

// The mesh's own values for every per-draw uniform the variant reads.
void SetDrawUniforms(const MeshProgram& program, const scene::MeshDraw& mesh) {
    glUniformMatrix4fv(program.model, 1, GL_FALSE, glm::value_ptr(mesh.world));
    if (program.normalMatrix >= 0) {  // only the lit variants read it
        glm::mat3 normalMatrix = glm::inverseTranspose(glm::mat3(mesh.world));
        glUniformMatrix3fv(program.normalMatrix, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    }
    SetColour(program.tint, mesh.tint);
    glUniform2f(program.uvScale, mesh.uvScale.x, mesh.uvScale.y);
    SetColour(program.matAmbient, mesh.material.ambient);
    SetColour(program.matEmissive, mesh.material.emissive);
    SetColour(program.matSpecular, mesh.material.specular);
    glUniform1f(program.matPower, std::max(mesh.material.power, 1.0f));
    glUniform1f(program.alphaReference, mesh.alphaReference);
}

// Unit values for draws that bring no transform or material of their own.
void SetPlainUniforms(const MeshProgram& program, const glm::mat4& model) {
    glUniformMatrix4fv(program.model, 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix3fv(program.normalMatrix, 1, GL_FALSE, glm::value_ptr(glm::mat3(1.0f)));
    glUniform2f(program.uvScale, 1, 1);
    SetColour(program.tint, kWhite);
    SetColour(program.matDiffuse, kWhite);
    glUniform1f(program.alphaReference, -1.0f);
}

ShadeMode ModeOf(scene::Lighting lighting) {
    return lighting == scene::Lighting::Unlit ? ShadeMode::Unlit
         : lighting == scene::Lighting::PerVertex ? ShadeMode::PerVertex
                                                  : ShadeMode::PerPixel;
}

void DescribeVertexLayout() {
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, kVertexStride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, kVertexStride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, kVertexStride, reinterpret_cast<void*>(6 * sizeof(float)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, kVertexStride, reinterpret_cast<void*>(8 * sizeof(float)));
}

void PushVertex(std::vector<float>& out, const glm::vec3& p, const glm::vec3& n, const glm::vec2& uv,
                const Colour& c) {
    out.insert(out.end(), {p.x, p.y, p.z, n.x, n.y, n.z, uv.x, uv.y, c.r, c.g, c.b, c.a});
}

}  // namespace

SceneRenderer::SceneRenderer(std::function<GLuint(TextureHandle)> textureOf, GLuint white)
    : textureOf_(std::move(textureOf)), white_(white) {
    blurProgram_ = BuildProgram(shaders::kFullScreenVertex, shaders::kBlurFragment);
    glowAddProgram_ = BuildProgram(shaders::kFullScreenVertex, shaders::kGlowAddFragment);
    glGenVertexArrays(1, &dynamicVao_);
    glGenBuffers(1, &dynamicVbo_);
    glBindVertexArray(dynamicVao_);
    glBindBuffer(GL_ARRAY_BUFFER, dynamicVbo_);
    DescribeVertexLayout();
    glGenVertexArrays(1, &emptyVao_);
    glGenSamplers(1, &sampler_);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
    CreateGlowTargets();
}

SceneRenderer::~SceneRenderer() {
    for (auto& [key, entry] : cache_) Release(entry);
    glDeleteFramebuffers(1, &surfaceFbo_);
    glDeleteTextures(1, &surfaceColour_);
    glDeleteRenderbuffers(1, &surfaceDepth_);
    glDeleteFramebuffers(2, blurFbo_);
    glDeleteTextures(2, blurColour_);
    glDeleteVertexArrays(1, &dynamicVao_);
    glDeleteBuffers(1, &dynamicVbo_);
    glDeleteVertexArrays(1, &emptyVao_);
    glDeleteSamplers(1, &sampler_);
    glDeleteProgram(blurProgram_);
    glDeleteProgram(glowAddProgram_);
}

// ---- geometry buffers -------------------------------------------------------

const SceneRenderer::GpuGeometry& SceneRenderer::Upload(const scene::GeometryPtr& geometry) {
    auto it = cache_.find(geometry.get());
    if (it != cache_.end()) {
        if (it->second.source.lock() == geometry) return it->second;
        Release(it->second);  // a new geometry at the address of a freed one
        cache_.erase(it);
    }
    GpuGeometry entry;
    entry.source = geometry;
    for (const auto& primitive : geometry->primitives) {
        scratch_.clear();
        for (const auto& v : primitive.vertices) PushVertex(scratch_, v.position, v.normal, v.uv, kWhite);
        GpuPrimitive gpu;
        glGenVertexArrays(1, &gpu.vao);
        glBindVertexArray(gpu.vao);
        glGenBuffers(1, &gpu.vbo);
        glBindBuffer(GL_ARRAY_BUFFER, gpu.vbo);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(scratch_.size() * sizeof(float)), scratch_.data(),
                     GL_STATIC_DRAW);
        DescribeVertexLayout();
        glGenBuffers(1, &gpu.ibo);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.ibo);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(primitive.indices.size() * sizeof(std::uint32_t)),
                     primitive.indices.data(), GL_STATIC_DRAW);
        gpu.count = static_cast<GLsizei>(primitive.indices.size());
        entry.primitives.push_back(gpu);
    }
    glBindVertexArray(0);
    return cache_[geometry.get()] = std::move(entry);
}

void SceneRenderer::Release(GpuGeometry& entry) {
    for (auto& p : entry.primitives) {
        glDeleteBuffers(1, &p.vbo);
        glDeleteBuffers(1, &p.ibo);
        glDeleteVertexArrays(1, &p.vao);
    }
    entry.primitives.clear();
}

void SceneRenderer::CollectGarbage() {
    for (auto it = cache_.begin(); it != cache_.end();) {
        if (it->second.source.expired()) {
            Release(it->second);
            it = cache_.erase(it);
        } else {
            ++it;
        }
    }
}

// ---- passes -------------------------------------------------------------------

void SceneRenderer::ApplyTextureQuality(const scene::TextureQuality& quality) {
    if (quality == samplerQuality_) return;
    samplerQuality_ = quality;
    static constexpr GLint kMinFilter[] = {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_LINEAR,
                                          GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    int level = std::clamp(quality.filterLevel, 0, 4);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, kMinFilter[level]);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, level == 0 ? GL_NEAREST : GL_LINEAR);
    glSamplerParameterf(sampler_, GL_TEXTURE_LOD_BIAS, quality.lodBias);
    if (epoxy_has_gl_extension("GL_EXT_texture_filter_anisotropic")) {
        float anisotropy = level == 4 ? 16.0f : level == 3 ? 4.0f : 1.0f;
        GLfloat most = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &most);
        glSamplerParameterf(sampler_, GL_TEXTURE_MAX_ANISOTROPY_EXT, std::min(anisotropy, most));
    }
}

void SceneRenderer::SetupPass(const scene::PassSetup& setup) {
    ApplyTextureQuality(setup.textureQuality);
    float aspect = static_cast<float>(width_) / static_cast<float>(std::max(height_, 1));
    view_ = scene::ViewMatrix(setup.camera);
    projection_ = scene::ProjectionMatrix(setup.camera, aspect);
    PassBlock block;
    block.viewProjection = projection_ * view_;
    block.eye = glm::vec4(setup.camera.position, 1.0f);
    block.ambient = glm::vec4(setup.ambient.r, setup.ambient.g, setup.ambient.b, 1.0f);
    lightReach_ = scene::LightReach(setup.lights);
    fogOn_ = setup.fog.enabled && setup.fog.mode != scene::FogMode::None;
    block.fogColour = glm::vec4(setup.fog.colour.r, setup.fog.colour.g, setup.fog.colour.b, 1.0f);
    block.fogRange = glm::vec4(setup.fog.start, setup.fog.end, 0.0f, 0.0f);
    programs_.SetPass(block);
    programs_.ForgetCurrent();
    glActiveTexture(GL_TEXTURE0);
    glBindSampler(0, sampler_);
}

void SceneRenderer::DrawPass(const scene::ScenePass& pass) {
    SetupPass(pass.setup);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glClear(GL_DEPTH_BUFFER_BIT);
    // Opaque meshes first, then the sky behind them (only where nothing was
    // drawn: the costly full-screen fill shrinks to the uncovered part), then
    // everything see-through in the order it was rendered.
    auto opaque = [&](scene::ScenePass::Kind kind, std::uint32_t index) {
        if (kind != scene::ScenePass::Kind::Mesh) return false;
        const scene::MeshDraw& mesh = pass.meshes[index];
        return !mesh.alphaBlend && mesh.depthWrite && !mesh.glowParts;
    };
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    for (const auto& [kind, index] : pass.order)
        if (opaque(kind, index) && pass.meshes[index].alphaReference < 0) DrawDepth(pass.meshes[index]);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    for (const auto& [kind, index] : pass.order)
        if (opaque(kind, index)) DrawMesh(pass.meshes[index]);
    for (const auto& [kind, index] : pass.order)
        if (kind == scene::ScenePass::Kind::Sky) DrawSky(pass.skies[index], pass.setup);
    for (const auto& [kind, index] : pass.order) {
        if (kind == scene::ScenePass::Kind::Mesh && !opaque(kind, index)) DrawMesh(pass.meshes[index]);
        if (kind == scene::ScenePass::Kind::Particles) DrawParticles(pass.particles[index], pass.setup);
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glBindVertexArray(0);
}

void SceneRenderer::DrawMesh(const scene::MeshDraw& mesh) {
    if (mesh.glowParts) {
        DrawGlowParts(mesh);
        return;
    }
    const GpuGeometry& gpu = Upload(mesh.geometry);
    ShadeMode mode = ModeOf(mesh.lighting);
    scene::ReachingLights lights;
    if (mode != ShadeMode::Unlit) lights = lightReach_.For(mesh.world, mesh.geometry->bounds);
    const MeshProgram& program = programs_.Use({mode, fogOn_, mesh.alphaReference >= 0, false, false, lights.count});
    SetDrawUniforms(program, mesh);
    if (lights.count > 0) {
        glUniform4fv(program.lightPosition, lights.count, glm::value_ptr(lights.position[0]));
        glUniform4fv(program.lightColour, lights.count, glm::value_ptr(lights.colour[0]));
    }
    Cull(mesh);
    if (mesh.alphaBlend) {
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    glDepthMask(mesh.depthWrite ? GL_TRUE : GL_FALSE);
    for (std::size_t i = 0; i < gpu.primitives.size(); ++i) {
        const model::Material& own = mesh.geometry->materials[i];
        Colour diffuse{mesh.material.diffuse.r * own.baseColour.r, mesh.material.diffuse.g * own.baseColour.g,
                       mesh.material.diffuse.b * own.baseColour.b, mesh.material.diffuse.a * own.baseColour.a};
        SetColour(program.matDiffuse, diffuse);
        DrawPrimitive(gpu, mesh, i);
    }
}

void SceneRenderer::DrawDepth(const scene::MeshDraw& mesh) {
    const GpuGeometry& gpu = Upload(mesh.geometry);
    const MeshProgram& program = programs_.Use({ShadeMode::Unlit, false, false, false, true});
    glUniformMatrix4fv(program.model, 1, GL_FALSE, glm::value_ptr(mesh.world));
    Cull(mesh);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
    for (const GpuPrimitive& primitive : gpu.primitives) {
        glBindVertexArray(primitive.vao);
        glDrawElements(GL_TRIANGLES, primitive.count, GL_UNSIGNED_INT, nullptr);
    }
}

void SceneRenderer::Cull(const scene::MeshDraw& mesh) {
    // The view is left-handed: the winding of front faces appears reversed.
    if (mesh.doubleSided) {
        glDisable(GL_CULL_FACE);
    } else {
        glEnable(GL_CULL_FACE);
        glFrontFace(glm::determinant(glm::mat3(mesh.world)) < 0 ? GL_CCW : GL_CW);
    }
}

void SceneRenderer::DrawPrimitive(const GpuGeometry& gpu, const scene::MeshDraw& mesh, std::size_t i) {
    GLuint texture = i < mesh.textures.size() ? textureOf_(mesh.textures[i]) : 0;
    glBindTexture(GL_TEXTURE_2D, texture ? texture : white_);
    glBindVertexArray(gpu.primitives[i].vao);
    glDrawElements(GL_TRIANGLES, gpu.primitives[i].count, GL_UNSIGNED_INT, nullptr);
}

// The emissive primitives once more, unlit and added over the frame: their
// picture times their emissive colour.
void SceneRenderer::DrawGlowParts(const scene::MeshDraw& mesh) {
    const GpuGeometry& gpu = Upload(mesh.geometry);
    const MeshProgram& program = programs_.Use({ShadeMode::Unlit, false, mesh.alphaReference >= 0, false});
    SetDrawUniforms(program, mesh);
    SetColour(program.matDiffuse, kWhite);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    for (std::size_t i = 0; i < gpu.primitives.size(); ++i) {
        const glm::vec3& e = mesh.geometry->materials[i].emissive;
        if (e == glm::vec3(0.0f)) continue;
        SetColour(program.tint, e * glm::vec3(mesh.tint.r, mesh.tint.g, mesh.tint.b), mesh.tint.a);
        DrawPrimitive(gpu, mesh, i);
    }
}

void SceneRenderer::DrawSky(const scene::SkyDraw& sky, const scene::PassSetup& setup) {
    // Six faces of a box around the eye, drawn behind everything.
    static const glm::vec3 kAxes[6][3] = {
        {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}},  // front (+x)
        {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},  // back
        {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   // left (+z)
        {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}}, // right
        {{0, 1, 0}, {0, 0, -1}, {-1, 0, 0}}, // top
        {{0, -1, 0}, {0, 0, -1}, {1, 0, 0}}, // bottom
    };
    float d = setup.camera.farPlane * 0.5f;
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDepthMask(GL_FALSE);
    const MeshProgram& program = programs_.Use({ShadeMode::Unlit, false, false, true});
    SetPlainUniforms(program, glm::translate(glm::mat4(1.0f), setup.camera.position));
    glBindVertexArray(dynamicVao_);
    glBindBuffer(GL_ARRAY_BUFFER, dynamicVbo_);
    for (int face = 0; face < 6; ++face) {
        const glm::vec3& n = kAxes[face][0];
        const glm::vec3& u = kAxes[face][1];
        const glm::vec3& v = kAxes[face][2];
        scratch_.clear();
        auto corner = [&](float a, float b) { return (n + u * a + v * b) * d; };
        PushVertex(scratch_, corner(-1, 1), -n, {0, 0}, kWhite);
        PushVertex(scratch_, corner(1, 1), -n, {1, 0}, kWhite);
        PushVertex(scratch_, corner(1, -1), -n, {1, 1}, kWhite);
        PushVertex(scratch_, corner(-1, 1), -n, {0, 0}, kWhite);
        PushVertex(scratch_, corner(1, -1), -n, {1, 1}, kWhite);
        PushVertex(scratch_, corner(-1, -1), -n, {0, 1}, kWhite);
        GLuint texture = textureOf_(sky.faces[static_cast<std::size_t>(face)]);
        glBindTexture(GL_TEXTURE_2D, texture ? texture : white_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(scratch_.size() * sizeof(float)), scratch_.data(),
                     GL_STREAM_DRAW);
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glDepthMask(GL_TRUE);
}

void SceneRenderer::DrawParticles(const scene::ParticleDraw& particles, const scene::PassSetup&) {
    if (particles.billboards.empty()) return;
    glm::vec3 right(view_[0][0], view_[1][0], view_[2][0]);
    glm::vec3 up(view_[0][1], view_[1][1], view_[2][1]);
    scratch_.clear();
    for (const auto& b : particles.billboards) {
        float c = std::cos(b.rotation), s = std::sin(b.rotation);
        glm::vec3 r = (right * c + up * s) * (b.size.x * 0.5f);
        glm::vec3 u = (up * c - right * s) * (b.size.y * 0.5f);
        glm::vec3 n(0, 1, 0);
        PushVertex(scratch_, b.position - r + u, n, {0, 0}, b.colour);
        PushVertex(scratch_, b.position + r + u, n, {1, 0}, b.colour);
        PushVertex(scratch_, b.position + r - u, n, {1, 1}, b.colour);
        PushVertex(scratch_, b.position - r + u, n, {0, 0}, b.colour);
        PushVertex(scratch_, b.position + r - u, n, {1, 1}, b.colour);
        PushVertex(scratch_, b.position - r - u, n, {0, 1}, b.colour);
    }
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    if (particles.blending == scene::Blending::Additive) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    } else {
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    }
    glDepthMask(GL_FALSE);
    const MeshProgram& program = programs_.Use({ShadeMode::Billboard, fogOn_, false, false});
    SetPlainUniforms(program, glm::mat4(1.0f));
    GLuint texture = textureOf_(particles.texture);
    glBindTexture(GL_TEXTURE_2D, texture ? texture : white_);
    glBindVertexArray(dynamicVao_);
    glBindBuffer(GL_ARRAY_BUFFER, dynamicVbo_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(scratch_.size() * sizeof(float)), scratch_.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(scratch_.size() / 12));
    glDepthMask(GL_TRUE);
}

// ---- glow -----------------------------------------------------------------------

void SceneRenderer::CreateGlowTargets() {
    glGenTextures(1, &surfaceColour_);
    glBindTexture(GL_TEXTURE_2D, surfaceColour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSurfaceSize, kSurfaceSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenRenderbuffers(1, &surfaceDepth_);
    glBindRenderbuffer(GL_RENDERBUFFER, surfaceDepth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kSurfaceSize, kSurfaceSize);
    glGenFramebuffers(1, &surfaceFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, surfaceFbo_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, surfaceColour_, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, surfaceDepth_);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw Error("the glow surface cannot be created");
    glGenTextures(2, blurColour_);
    glGenFramebuffers(2, blurFbo_);
    for (int i = 0; i < 2; ++i) {
        glBindTexture(GL_TEXTURE_2D, blurColour_[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kBlurSize, kBlurSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glBindFramebuffer(GL_FRAMEBUFFER, blurFbo_[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, blurColour_[i], 0);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void SceneRenderer::BeginSurface() {
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, surfaceFbo_);
    glViewport(0, 0, kSurfaceSize, kSurfaceSize);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SceneRenderer::EndSurface(GLuint target) {
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, width_, height_);
}

void SceneRenderer::Blur(GLuint source, GLuint target, bool horizontal) {
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, kBlurSize, kBlurSize);
    glBindTexture(GL_TEXTURE_2D, source);
    float step = 1.5f / kBlurSize;
    glUniform2f(glGetUniformLocation(blurProgram_, "uStep"), horizontal ? step : 0.0f, horizontal ? 0.0f : step);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

void SceneRenderer::ApplyGlow(const GlowCommand& glow, GLuint target) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glUseProgram(blurProgram_);
    glBindVertexArray(emptyVao_);
    glBindSampler(0, 0);  // the blur targets carry their own clamped, linear sampling
    glActiveTexture(GL_TEXTURE0);
    glUniform1i(glGetUniformLocation(blurProgram_, "uSource"), 0);
    Blur(surfaceColour_, blurFbo_[0], true);
    Blur(blurColour_[0], blurFbo_[1], false);
    Blur(blurColour_[1], blurFbo_[0], true);
    Blur(blurColour_[0], blurFbo_[1], false);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, width_, height_);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    float strength = glow.strength > 0 ? glow.strength : 1.0f;
    glUseProgram(glowAddProgram_);
    glUniform1i(glGetUniformLocation(glowAddProgram_, "uSource"), 0);
    glUniform4f(glGetUniformLocation(glowAddProgram_, "uGlow"), glow.colour.r, glow.colour.g, glow.colour.b, glow.colour.a * strength);
    glBindTexture(GL_TEXTURE_2D, blurColour_[1]);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    glDisable(GL_BLEND);
}

}  // namespace kr::gl
