#include "engine/gl/mesh_programs.hpp"

#include <algorithm>
#include <string>

#include "engine/gl/scene_shaders.hpp"
#include "engine/gl/shader_program.hpp"

namespace kr::gl {

namespace {

constexpr GLuint kPassBinding = 0;

std::string Source(const MeshVariant& v, const char* body) {
    std::string text = "#version 330 core\n";
    text += "#define MODE " + std::to_string(static_cast<int>(v.mode)) + "\n";
    text += std::string("#define FOG ") + (v.fog ? "1" : "0") + "\n";
    text += std::string("#define ALPHA_TEST ") + (v.alphaTest ? "1" : "0") + "\n";
    text += std::string("#define FAR_PLANE ") + (v.farPlane ? "1" : "0") + "\n";
    text += "#define LIGHTS " + std::to_string(v.lights) + "\n";
    return text + shaders::kPassBlock + shaders::kLighting + body;
}

}  // namespace

MeshPrograms::MeshPrograms() {
    glGenBuffers(1, &passBuffer_);
    glBindBuffer(GL_UNIFORM_BUFFER, passBuffer_);
    glBufferData(GL_UNIFORM_BUFFER, sizeof(PassBlock), nullptr, GL_DYNAMIC_DRAW);
    glBindBufferBase(GL_UNIFORM_BUFFER, kPassBinding, passBuffer_);
}

MeshPrograms::~MeshPrograms() {
    for (const MeshProgram& program : programs_)
        if (program.id) glDeleteProgram(program.id);
    glDeleteBuffers(1, &passBuffer_);
}

void MeshPrograms::SetPass(const PassBlock& pass) {
    glBindBuffer(GL_UNIFORM_BUFFER, passBuffer_);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(PassBlock), &pass);
    glBindBufferBase(GL_UNIFORM_BUFFER, kPassBinding, passBuffer_);
}

int MeshPrograms::Key(const MeshVariant& v) {
    return static_cast<int>(v.mode) | (v.fog ? 4 : 0) | (v.alphaTest ? 8 : 0) | (v.farPlane ? 16 : 0) |
           (v.depthOnly ? 32 : 0) | (std::clamp(v.lights, 0, scene::kMostLightsPerMesh) << 6);
}

MeshProgram MeshPrograms::Build(const MeshVariant& variant) const {
    MeshProgram p;
    const char* fragment = variant.depthOnly ? shaders::kDepthOnlyFragment : shaders::kMeshFragment;
    p.id = BuildProgram(Source(variant, shaders::kMeshVertex), Source(variant, fragment));
    glUniformBlockBinding(p.id, glGetUniformBlockIndex(p.id, "Pass"), kPassBinding);
    auto at = [&](const char* name) { return glGetUniformLocation(p.id, name); };
    p.model = at("uModel");
    p.normalMatrix = at("uNormalMatrix");
    p.uvScale = at("uUvScale");
    p.tint = at("uTint");
    p.alphaReference = at("uAlphaReference");
    p.matAmbient = at("uMatAmbient");
    p.matDiffuse = at("uMatDiffuse");
    p.matEmissive = at("uMatEmissive");
    p.matSpecular = at("uMatSpecular");
    p.matPower = at("uMatPower");
    p.lightPosition = at("uLightPosition");
    p.lightColour = at("uLightColour");
    glUseProgram(p.id);
    glUniform1i(at("uTexture"), 0);
    return p;
}

const MeshProgram& MeshPrograms::Use(MeshVariant variant) {
    bool lit = variant.mode == ShadeMode::PerVertex || variant.mode == ShadeMode::PerPixel;
    if (!lit || variant.depthOnly) variant.lights = 0;  // one program whatever the lights
    MeshProgram& program = programs_[static_cast<std::size_t>(Key(variant))];
    if (!program.id) {
        program = Build(variant);
        current_ = program.id;  // Build left it in use
    }
    if (current_ != program.id) {
        glUseProgram(program.id);
        current_ = program.id;
    }
    return program;
}

}  // namespace kr::gl
