#pragma once
// The mesh shader's variants, built when first used, and the uniform block
// that every variant reads the pass's camera, lights and fog from.

#include <epoxy/gl.h>

#include <array>
#include <vector>

#include <glm/glm.hpp>

#include "engine/scene/light_reach.hpp"

namespace kr::gl {

enum class ShadeMode { Unlit = 0, PerVertex = 1, PerPixel = 2, Billboard = 3 };

struct MeshVariant {
    ShadeMode mode = ShadeMode::Unlit;
    bool fog = false;
    bool alphaTest = false;  // may discard below the alpha reference
    bool farPlane = false;   // pinned to the far plane (the sky)
    bool depthOnly = false;  // writes depth, no colour: the opaque pre-pass
    int lights = 0;          // lights reaching the mesh, for the lit modes
};

// Per-draw uniform locations of one linked variant.
struct MeshProgram {
    GLuint id = 0;
    GLint model = -1, normalMatrix = -1, uvScale = -1, tint = -1, alphaReference = -1;
    GLint matAmbient = -1, matDiffuse = -1, matEmissive = -1, matSpecular = -1, matPower = -1;
    GLint lightPosition = -1, lightColour = -1;
};

// The pass block in std140 layout.
struct PassBlock {
    glm::mat4 viewProjection{1.0f};
    glm::vec4 eye{0.0f};
    glm::vec4 ambient{0.0f};
    glm::vec4 fogColour{0.0f};
    glm::vec4 fogRange{0.0f};  // start, end
};

class MeshPrograms {
public:
    MeshPrograms();
    ~MeshPrograms();
    MeshPrograms(const MeshPrograms&) = delete;
    MeshPrograms& operator=(const MeshPrograms&) = delete;

    void SetPass(const PassBlock& pass);
    // Other drawing changed the current program: the next Use binds again.
    void ForgetCurrent() { current_ = 0; }
    // Makes the variant current (building it the first time) and returns it.
    const MeshProgram& Use(MeshVariant variant);

private:
    static constexpr int kVariants = 64 * (scene::kMostLightsPerMesh + 1);
    static int Key(const MeshVariant& variant);
    MeshProgram Build(const MeshVariant& variant) const;

    std::vector<MeshProgram> programs_ = std::vector<MeshProgram>(kVariants);
    GLuint passBuffer_ = 0;
    GLuint current_ = 0;
};

}  // namespace kr::gl
