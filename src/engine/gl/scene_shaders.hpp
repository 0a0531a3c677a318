#pragma once
// GLSL of the 3D passes. The mesh shader is compiled in variants chosen by
// preprocessor switches (MODE, FOG, ALPHA_TEST, FAR_PLANE, LIGHTS): a software
// rasteriser runs both sides of a run-time branch, so each variant carries
// only the work its draws need, and only the alpha-tested one may discard
// (which would otherwise stop early depth rejection).

namespace kr::gl::shaders {

// What every draw of a pass shares, one uniform block for all variants.
inline constexpr const char* kPassBlock = R"(
layout(std140) uniform Pass {
    mat4 uViewProjection;
    vec4 uEye;
    vec4 uAmbient;
    vec4 uFogColour;
    vec4 uFogRange;  // x start, y end
};
uniform vec4 uMatAmbient;
uniform vec4 uMatDiffuse;
uniform vec4 uMatEmissive;
uniform vec4 uMatSpecular;
uniform float uMatPower;
)";

// Lighting shared by the per-vertex and the per-pixel path, unrolled over
// the LIGHTS lights that reach the mesh drawn. A light's position has w 1 for
// a point and 0 for a direction (pointing toward the light); its colour's
// alpha is the inverse range (0 for a direction), so both kinds share one
// branch-free formula.
inline constexpr const char* kLighting = R"(
#if LIGHTS > 0
uniform vec4 uLightPosition[LIGHTS];
uniform vec4 uLightColour[LIGHTS];
#endif
vec3 Illuminate(vec3 p, vec3 n) {
    vec3 sum = uAmbient.rgb * uMatAmbient.rgb + uMatEmissive.rgb;
#if LIGHTS > 0
    vec3 toEye = normalize(uEye.xyz - p);
    for (int i = 0; i < LIGHTS; ++i) {
        vec3 d = uLightPosition[i].xyz - p * uLightPosition[i].w;
        float distance = max(length(d), 1e-4);
        vec3 l = d / distance;
        float attenuation = clamp(1.0 - distance * uLightColour[i].a, 0.0, 1.0);
        attenuation *= attenuation;
        float diffuse = max(dot(n, l), 0.0);
        vec3 h = normalize(l + toEye);
        float specular = diffuse > 0.0 ? pow(max(dot(n, h), 0.0), uMatPower) : 0.0;
        sum += uLightColour[i].rgb * attenuation * (uMatDiffuse.rgb * diffuse + uMatSpecular.rgb * specular * 0.35);
    }
#endif
    return sum;
}
)";

// MODE 0 unlit, 1 lit per vertex, 2 lit per pixel, 3 coloured billboard.
inline constexpr const char* kMeshVertex = R"(
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
layout(location = 3) in vec4 aColour;
uniform mat4 uModel;
uniform mat3 uNormalMatrix;
uniform vec2 uUvScale;
out vec3 vWorld;
out vec3 vNormal;
out vec2 vUv;
out vec4 vColour;
out float vFog;  // 1: clear, 0: all fog
invariant gl_Position;  // the depth pre-pass and the shading pass meet exactly
void main() {
    vec4 world = uModel * vec4(aPosition, 1.0);
    vWorld = world.xyz;
    vNormal = normalize(uNormalMatrix * aNormal);
    vUv = aUv * uUvScale;
#if MODE == 1
    vColour = vec4(Illuminate(vWorld, vNormal), 1.0);
#elif MODE == 3
    vColour = aColour;
#else
    vColour = vec4(1.0);
#endif
#if FOG
    vFog = clamp((uFogRange.y - distance(vWorld, uEye.xyz)) /
                 max(uFogRange.y - uFogRange.x, 1e-3), 0.0, 1.0);
#else
    vFog = 1.0;
#endif
    gl_Position = uViewProjection * world;
#if FAR_PLANE
    gl_Position.z = gl_Position.w;  // behind everything: the sky
#endif
}
)";

inline constexpr const char* kMeshFragment = R"(
in vec3 vWorld;
in vec3 vNormal;
in vec2 vUv;
in vec4 vColour;
in float vFog;
uniform sampler2D uTexture;
uniform vec4 uTint;
uniform float uAlphaReference;
out vec4 fragColour;
void main() {
    vec4 base = texture(uTexture, vUv) * uTint;
#if MODE == 3
    base *= vColour;
#else
    base.a *= uMatDiffuse.a;
#endif
#if ALPHA_TEST
    if (base.a < uAlphaReference) discard;
#endif
    vec3 colour = base.rgb;
#if MODE == 1
    colour *= vColour.rgb;
#elif MODE == 2
    vec3 n = normalize(vNormal);
    if (!gl_FrontFacing) n = -n;
    colour *= Illuminate(vWorld, n);
#endif
#if FOG
    colour = mix(uFogColour.rgb, colour, vFog);
#endif
    fragColour = vec4(colour, base.a);
}
)";

// The opaque pre-pass: depth only, so that the shading after it runs once
// per pixel instead of once per overlapping surface.
inline constexpr const char* kDepthOnlyFragment = R"(
void main() {}
)";

inline constexpr const char* kFullScreenVertex = R"(#version 330 core
out vec2 vUv;
void main() {
    vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    vUv = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// A nine-tap blur along one direction of the glow surface.
inline constexpr const char* kBlurFragment = R"(#version 330 core
in vec2 vUv;
uniform sampler2D uSource;
uniform vec2 uStep;
out vec4 fragColour;
void main() {
    const float weights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);
    vec3 sum = texture(uSource, vUv).rgb * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += texture(uSource, vUv + uStep * float(i)).rgb * weights[i];
        sum += texture(uSource, vUv - uStep * float(i)).rgb * weights[i];
    }
    fragColour = vec4(sum, 1.0);
}
)";

// The blurred surface scaled by the glow colour, added over the frame.
inline constexpr const char* kGlowAddFragment = R"(#version 330 core
in vec2 vUv;
uniform sampler2D uSource;
uniform vec4 uGlow;
out vec4 fragColour;
void main() {
    fragColour = vec4(texture(uSource, vUv).rgb * uGlow.rgb * uGlow.a, 1.0);
}
)";

}  // namespace kr::gl::shaders
