#pragma once
// GLSL of the 3D passes.

namespace kr::gl::shaders {

inline constexpr int kMaxLights = 8;

// Lighting shared by the per-vertex and the per-pixel path.
inline constexpr const char* kLighting = R"(
const int kMaxLights = 8;
uniform int uLightCount;
uniform vec4 uLightPosition[kMaxLights];  // w 0: a direction the light travels along, 1: a point
uniform vec4 uLightColour[kMaxLights];    // a: range of a point light
uniform vec3 uAmbient;
uniform vec4 uMatAmbient;
uniform vec4 uMatDiffuse;
uniform vec4 uMatEmissive;
uniform vec4 uMatSpecular;
uniform float uMatPower;
uniform vec3 uEye;

vec3 Illuminate(vec3 p, vec3 n) {
    vec3 sum = uAmbient * uMatAmbient.rgb + uMatEmissive.rgb;
    vec3 toEye = normalize(uEye - p);
    for (int i = 0; i < uLightCount; ++i) {
        vec3 l;
        float attenuation = 1.0;
        if (uLightPosition[i].w == 0.0) {
            l = -normalize(uLightPosition[i].xyz);
        } else {
            vec3 d = uLightPosition[i].xyz - p;
            float distance = max(length(d), 1e-4);
            l = d / distance;
            float range = uLightColour[i].a;
            attenuation = range > 0.0 ? clamp(1.0 - distance / range, 0.0, 1.0) : 0.0;
            attenuation *= attenuation;
        }
        float diffuse = max(dot(n, l), 0.0);
        vec3 h = normalize(l + toEye);
        float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), uMatPower) : 0.0;
        sum += uLightColour[i].rgb * attenuation * (uMatDiffuse.rgb * diffuse + uMatSpecular.rgb * specular * 0.35);
    }
    return sum;
}
)";

inline constexpr const char* kMeshVertex = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec4 aColour;
uniform mat4 uModel;
uniform mat3 uNormalMatrix;
uniform mat4 uViewProjection;
uniform int uMode;  // 0 unlit, 1 per vertex, 2 per pixel, 3 coloured billboard
uniform vec2 uUvScale;
uniform int uAtFarPlane;  // 1: drawn at the far plane, behind everything (the sky)
out vec3 vWorld;
out vec3 vNormal;
out vec2 vUv;
out vec4 vColour;
void main() {
    vec4 world = uModel * vec4(aPosition, 1.0);
    vWorld = world.xyz;
    vNormal = normalize(uNormalMatrix * aNormal);
    vUv = aUv * uUvScale;
    vColour = uMode == 1 ? vec4(Illuminate(vWorld, vNormal), 1.0) : (uMode == 3 ? aColour : vec4(1.0));
    gl_Position = uViewProjection * world;
    if (uAtFarPlane == 1) gl_Position.z = gl_Position.w;
}
)";

inline constexpr const char* kMeshFragment = R"(
in vec3 vWorld;
in vec3 vNormal;
in vec2 vUv;
in vec4 vColour;
uniform sampler2D uTexture;
uniform int uMode;
uniform vec4 uTint;
uniform float uAlphaReference;
uniform int uFog;  // 0 none, 1 linear
uniform vec3 uFogColour;
uniform float uFogStart;
uniform float uFogEnd;
out vec4 fragColour;
void main() {
    vec4 base = texture(uTexture, vUv) * uTint;
    if (uMode == 3) base *= vColour;
    else base.a *= uMatDiffuse.a;
    if (uAlphaReference >= 0.0 && base.a < uAlphaReference) discard;
    vec3 light = vec3(1.0);
    if (uMode == 1) light = vColour.rgb;
    if (uMode == 2) {
        vec3 n = normalize(vNormal);
        if (!gl_FrontFacing) n = -n;
        light = Illuminate(vWorld, n);
    }
    vec3 colour = base.rgb * light;
    if (uFog == 1) {
        float f = clamp((uFogEnd - distance(vWorld, uEye)) / max(uFogEnd - uFogStart, 1e-3), 0.0, 1.0);
        colour = mix(uFogColour, colour, f);
    }
    fragColour = vec4(colour, base.a);
}
)";

inline constexpr const char* kFullScreenVertex = R"(#version 330 core
out vec2 vUv;
void main() {
    vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    vUv = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// Blur along one direction, or (uAdd) the blurred surface scaled by the
// glow colour.
inline constexpr const char* kGlowFragment = R"(#version 330 core
in vec2 vUv;
uniform sampler2D uSource;
uniform vec2 uStep;
uniform int uAdd;
uniform vec4 uGlow;
out vec4 fragColour;
void main() {
    if (uAdd == 1) {
        fragColour = vec4(texture(uSource, vUv).rgb * uGlow.rgb * uGlow.a, 1.0);
        return;
    }
    const float weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);
    vec3 sum = texture(uSource, vUv).rgb * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(uSource, vUv + uStep * float(i)).rgb * weights[i];
        sum += texture(uSource, vUv - uStep * float(i)).rgb * weights[i];
    }
    fragColour = vec4(sum, 1.0);
}
)";

}  // namespace kr::gl::shaders
