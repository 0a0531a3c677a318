#include "toolkit/rasterizer.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/error.hpp"

namespace kr::toolkit {

// A corner once projected: clip-space position and what is interpolated.
struct Rasterizer::Vertex {
    glm::vec4 clip{0.0f};
    glm::vec3 normal{0.0f};
    glm::vec2 uv{0.0f};
};

namespace {

using Vertex = Rasterizer::Vertex;

Vertex Lerp(const Vertex& a, const Vertex& b, float t) {
    return {glm::mix(a.clip, b.clip, t), glm::mix(a.normal, b.normal, t), glm::mix(a.uv, b.uv, t)};
}

// Signed distance to the near plane in clip space (z = -w).
float NearDistance(const Vertex& v) { return v.clip.z + v.clip.w; }

// Whether all three corners lie outside one side of the view volume.
bool AllOutside(const glm::vec4& a, const glm::vec4& b, const glm::vec4& c) {
    for (int axis = 0; axis < 3; ++axis) {
        if (a[axis] > a.w && b[axis] > b.w && c[axis] > c.w) return true;
        if (a[axis] < -a.w && b[axis] < -b.w && c[axis] < -c.w) return true;
    }
    return false;
}

// The planes of a view volume, from its view-projection matrix.
std::array<glm::vec4, 6> FrustumPlanes(const glm::mat4& m) {
    const glm::vec4 row0(m[0][0], m[1][0], m[2][0], m[3][0]);
    const glm::vec4 row1(m[0][1], m[1][1], m[2][1], m[3][1]);
    const glm::vec4 row2(m[0][2], m[1][2], m[2][2], m[3][2]);
    const glm::vec4 row3(m[0][3], m[1][3], m[2][3], m[3][3]);
    std::array<glm::vec4, 6> planes = {row3 + row0, row3 - row0, row3 + row1, row3 - row1, row3 + row2, row3 - row2};
    for (glm::vec4& p : planes) p /= glm::length(glm::vec3(p));
    return planes;
}

// A screen-space corner: pixel position, depth, 1 / view depth.
struct ScreenCorner {
    glm::vec2 p;
    float z;
    float inverseW;
};

ScreenCorner ToScreen(const Vertex& v, int width, int height) {
    const float inverseW = 1.0f / v.clip.w;
    const glm::vec3 ndc = glm::vec3(v.clip) * inverseW;
    return {{(ndc.x * 0.5f + 0.5f) * static_cast<float>(width), (0.5f - ndc.y * 0.5f) * static_cast<float>(height)},
            ndc.z,
            inverseW};
}

// Twice the signed area of (a, b, p).
float EdgeFunction(glm::vec2 a, glm::vec2 b, glm::vec2 p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); }

}  // namespace

Rasterizer::Rasterizer(int width, int height, const scene::Camera& camera)
    : width_(width), height_(height), eye_(camera.position) {
    if (width < 1 || height < 1) throw Error("rasterizer: empty picture");
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    viewProjection_ = scene::ProjectionMatrix(camera, aspect) * scene::ViewMatrix(camera);
    inverseViewProjection_ = glm::inverse(viewProjection_);
    frustum_ = FrustumPlanes(viewProjection_);
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    colour_.assign(pixels, glm::vec3(0.0f));
    background_.assign(pixels, glm::vec3(0.0f));
    depth_.assign(pixels, std::numeric_limits<float>::infinity());
}

void Rasterizer::DrawBackground(const std::function<glm::vec3(glm::vec3)>& colour) {
    // Rays scaled to reach one unit along the view grow linearly across
    // the screen.
    const glm::vec3 forward = RayThrough({width_ * 0.5f, height_ * 0.5f});
    const auto reach = [&](glm::vec2 pixel) {
        const glm::vec3 ray = RayThrough(pixel);
        return ray / glm::dot(ray, forward);
    };
    const glm::vec3 first = reach({0.5f, 0.5f});
    const glm::vec3 stepX = reach({1.5f, 0.5f}) - first, stepY = reach({0.5f, 1.5f}) - first;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = Index(x, y);
            const glm::vec3 ray = first + stepX * static_cast<float>(x) + stepY * static_cast<float>(y);
            background_[i] = colour_[i] = colour(glm::normalize(ray));
            depth_[i] = std::numeric_limits<float>::infinity();
        }
    }
}

glm::vec3 Rasterizer::RayThrough(glm::vec2 pixel) const {
    const float nx = pixel.x / static_cast<float>(width_) * 2.0f - 1.0f;
    const float ny = 1.0f - pixel.y / static_cast<float>(height_) * 2.0f;
    const glm::vec4 near = inverseViewProjection_ * glm::vec4(nx, ny, -1.0f, 1.0f);
    const glm::vec4 far = inverseViewProjection_ * glm::vec4(nx, ny, 1.0f, 1.0f);
    return glm::normalize(glm::vec3(far) / far.w - glm::vec3(near) / near.w);
}

glm::vec3 Rasterizer::Project(glm::vec3 point) const {
    const glm::vec4 clip = viewProjection_ * glm::vec4(point, 1.0f);
    if (clip.w <= 0.0f) return {0.0f, 0.0f, clip.w};
    const ScreenCorner s = ToScreen({clip, {}, {}}, width_, height_);
    return {s.p, clip.w};
}

bool Rasterizer::MayShow(glm::vec3 centre, float radius) const {
    for (const glm::vec4& plane : frustum_)
        if (glm::dot(glm::vec3(plane), centre) + plane.w < -radius) return false;
    return true;
}

void Rasterizer::DrawTriangles(std::span<const Corner> corners, std::span<const std::uint32_t> indices, const Look& look) {
    std::vector<Vertex> projected(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i)
        projected[i] = {viewProjection_ * glm::vec4(corners[i].position, 1.0f), corners[i].normal, corners[i].uv};
    for (std::size_t t = 0; t + 2 < indices.size(); t += 3) {
        const std::uint32_t i0 = indices[t], i1 = indices[t + 1], i2 = indices[t + 2];
        if (std::max({i0, i1, i2}) >= corners.size()) throw Error("rasterizer: triangle index out of range");
        Vertex a = projected[i0], b = projected[i1], c = projected[i2];
        if (AllOutside(a.clip, b.clip, c.clip)) continue;
        // The face's own normal, turned to the side its corner normals lean to.
        const Corner &ca = corners[i0], &cb = corners[i1], &cc = corners[i2];
        glm::vec3 face = glm::cross(cb.position - ca.position, cc.position - ca.position);
        if (glm::dot(face, ca.normal + cb.normal + cc.normal) < 0.0f) face = -face;
        if (glm::dot(face, eye_ - ca.position) < 0.0f) {
            if (!look.doubleSided) continue;
            a.normal = -a.normal, b.normal = -b.normal, c.normal = -c.normal;
        }
        DrawClipped(a, b, c, look);
    }
}

void Rasterizer::DrawClipped(const Vertex& a, const Vertex& b, const Vertex& c, const Look& look) {
    const Vertex in[3] = {a, b, c};
    Vertex out[4];
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        const Vertex& from = in[i];
        const Vertex& to = in[(i + 1) % 3];
        const float df = NearDistance(from), dt = NearDistance(to);
        if (df >= 0.0f) out[count++] = from;
        if ((df >= 0.0f) != (dt >= 0.0f)) out[count++] = Lerp(from, to, df / (df - dt));
    }
    for (int i = 1; i + 1 < count; ++i) Fill(out[0], out[i], out[i + 1], look);
}

glm::vec3 Rasterizer::Shade(const Look& look, glm::vec3 normal, glm::vec4 texel) const {
    const glm::vec3 surface = glm::vec3(look.colour) * glm::vec3(texel);
    glm::vec3 colour = surface;
    if (look.lit) {
        const float facing = std::max(0.0f, -glm::dot(normal, light_.direction));
        colour = surface * (light_.ambient + light_.colour * facing);
    }
    return colour + look.emissive * glm::vec3(texel);
}

void Rasterizer::Fill(const Vertex& va, const Vertex& vb, const Vertex& vc, const Look& look) {
    const ScreenCorner a = ToScreen(va, width_, height_), b = ToScreen(vb, width_, height_), c = ToScreen(vc, width_, height_);
    const float area = EdgeFunction(a.p, b.p, c.p);
    if (std::fabs(area) < 1e-8f) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.p.x, b.p.x, c.p.x}))));
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(std::max({a.p.x, b.p.x, c.p.x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.p.y, b.p.y, c.p.y}))));
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(std::max({a.p.y, b.p.y, c.p.y}))));
    if (x0 > x1 || y0 > y1) return;
    // Barycentric weights of a and b change linearly across the screen.
    const glm::vec2 dA = glm::vec2(b.p.y - c.p.y, c.p.x - b.p.x) / area;
    const glm::vec2 dB = glm::vec2(c.p.y - a.p.y, a.p.x - c.p.x) / area;
    const glm::vec2 texSize = look.texture ? glm::vec2(look.texture->width(), look.texture->height()) : glm::vec2(0.0f);
    // Perspective-correct texture coordinates for weights (wa, wb).
    const auto uvAt = [&](float wa, float wb) {
        const float wc = 1.0f - wa - wb;
        const float q = wa * a.inverseW + wb * b.inverseW + wc * c.inverseW;
        return (va.uv * (wa * a.inverseW) + vb.uv * (wb * b.inverseW) + vc.uv * (wc * c.inverseW)) / q;
    };
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float wa = EdgeFunction(b.p, c.p, p) / area, wb = EdgeFunction(c.p, a.p, p) / area, wc = 1.0f - wa - wb;
            if (wa < 0.0f || wb < 0.0f || wc < 0.0f) continue;
            const float z = wa * a.z + wb * b.z + wc * c.z;
            const std::size_t i = Index(x, y);
            if (z < -1.0f || z > 1.0f || z >= depth_[i]) continue;
            const float q = wa * a.inverseW + wb * b.inverseW + wc * c.inverseW;
            const float pa = wa * a.inverseW / q, pb = wb * b.inverseW / q, pc = wc * c.inverseW / q;
            glm::vec4 texel(1.0f);
            if (look.texture) {
                const glm::vec2 uv = va.uv * pa + vb.uv * pb + vc.uv * pc;
                const glm::vec2 alongX = (uvAt(wa + dA.x, wb + dB.x) - uv) * texSize;
                const glm::vec2 alongY = (uvAt(wa + dA.y, wb + dB.y) - uv) * texSize;
                const float footprint = std::max(glm::length(alongX), glm::length(alongY));
                texel = look.texture->Sample(uv, std::log2(std::max(footprint, 1.0f)));
            }
            const float alpha = look.colour.a * texel.a;
            if (alpha < look.alphaCutoff) continue;
            const glm::vec3 normal = glm::normalize(va.normal * pa + vb.normal * pb + vc.normal * pc);
            glm::vec3 colour = Shade(look, normal, texel);
            if (fog_.end > fog_.start) {
                const float amount = std::clamp((1.0f / q - fog_.start) / (fog_.end - fog_.start), 0.0f, fog_.most);
                colour = glm::mix(colour, background_[i], amount);
            }
            colour_[i] = colour;
            depth_[i] = z;
        }
    }
}

Canvas Rasterizer::Resolve(int factor) const {
    if (factor < 1 || width_ % factor != 0 || height_ % factor != 0) throw Error("rasterizer: resolve factor must divide the size");
    Canvas canvas(width_ / factor, height_ / factor);
    const float share = 1.0f / static_cast<float>(factor * factor);
    canvas.Generate([&](int x, int y) {
        glm::vec3 sum(0.0f);
        for (int dy = 0; dy < factor; ++dy)
            for (int dx = 0; dx < factor; ++dx) sum += colour_[Index(x * factor + dx, y * factor + dy)];
        return Colour(sum * share, 1.0f);
    });
    return canvas;
}

}  // namespace kr::toolkit
