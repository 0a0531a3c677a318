#include "ships/carousel.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/error.hpp"
#include "ships/carousel_layout.hpp"
#include "ships/carousel_pictures.hpp"
#include "ships/ship_frame.hpp"
#include "toolkit/loft.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/primitives.hpp"

namespace kr::makedata::ships {
namespace {

using namespace carousel;
using toolkit::Surface;

constexpr int kSegments = 96;
constexpr int kPictureSize = 512;
constexpr int kDeckPictureSize = 512;
constexpr int kShipPictureSize = 256;
// Blur of the ships' shadows, as a fraction of the turntable picture.
constexpr float kShadowSoftness = 0.006f;

// Material slots: the deck, the turntable, the light strips, then each
// ship's hull and each ship's glowing parts.
constexpr int kDeckSlot = 0;
constexpr int kTableSlot = 1;
constexpr int kLightSlot = 2;
constexpr int ShipHullSlot(int index) { return 3 + index; }
constexpr int ShipGlowSlot(int index) { return 3 + kShipCount + index; }

// The turntable, its hub, the pit, the collar and the deck, as one profile
// from the axis outwards (top surfaces face up when listed outwards).
Surface Floor() {
    return toolkit::Lathe({{0, kHubHeight},
                           {kHubRadius - 16, kHubHeight},
                           {kHubRadius - 6, kHubHeight - 4},
                           {kHubRadius, kHubHeight - 12},
                           {kHubRadius, 4},
                           {kHubRadius + 6, 0},
                           {kPadRing, 0},
                           {kTableRadius - 12, 0},
                           {kTableRadius, -8},
                           {kTableRadius, -kTableDepth},
                           {kPitRadius, -kTableDepth},
                           {kPitRadius, kCollarY - 4},
                           {kPitRadius + 40, kCollarY},
                           {kCollarRadius, kCollarY},
                           {kCollarRadius + 10, kDeckY},
                           {900, kDeckY},
                           {1250, kDeckY},
                           {kDeckRadius, kDeckY}},
                          kSegments);
}

// A raised strip of light round the axis.
Surface LightRing(float inner, float outer, float y) {
    return toolkit::Lathe({{inner, y}, {inner + 1, y + 1.5f}, {outer - 1, y + 1.5f}, {outer, y}}, kSegments);
}

Surface Pad(const PadPlace& place) {
    std::vector<glm::vec2> hexagon;
    for (int k = 0; k < 6; ++k) {
        const float a = glm::radians(60.0f * static_cast<float>(k) + 30.0f);
        hexagon.push_back({kPadRadius * std::cos(a), kPadRadius * std::sin(a)});
    }
    Surface pad = toolkit::Extrude(hexagon, kPadTop, 2.0f);
    pad.Rotate(-glm::half_pi<float>(), {1, 0, 0});
    pad.Rotate(place.yaw, {0, 1, 0});
    pad.Translate({place.centre.x, kPadTop * 0.5f, place.centre.z});
    return pad;
}

// Marks the texels whose centres lie inside the triangle.
void FillTriangle(toolkit::Field& cover, const glm::vec2 (&q)[3]) {
    const auto edge = [](glm::vec2 a, glm::vec2 b, glm::vec2 p) { return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x); };
    const float area = edge(q[0], q[1], q[2]);
    if (std::abs(area) < 1e-6f) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(std::min({q[0].x, q[1].x, q[2].x}))));
    const int y0 = std::max(0, static_cast<int>(std::floor(std::min({q[0].y, q[1].y, q[2].y}))));
    const int x1 = std::min(cover.width() - 1, static_cast<int>(std::ceil(std::max({q[0].x, q[1].x, q[2].x}))));
    const int y1 = std::min(cover.height() - 1, static_cast<int>(std::ceil(std::max({q[0].y, q[1].y, q[2].y}))));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const glm::vec2 p(x + 0.5f, y + 0.5f);
            const float a = edge(q[1], q[2], p) / area, b = edge(q[2], q[0], p) / area, c = edge(q[0], q[1], p) / area;
            if (a >= 0.0f && b >= 0.0f && c >= 0.0f) cover.At(x, y) = 1.0f;
        }
}

// Up-facing floor within the turntable's picture takes that picture; the
// rest takes the tiled deck, walls by angle round the axis and height.
void MapFloor(Surface& floor) {
    for (toolkit::Triangle& t : floor.triangles()) {
        const glm::vec3 n = glm::normalize(toolkit::AreaVector(t));
        float reach = 0.0f;
        for (const toolkit::Corner& c : t.corners) reach = std::max(reach, glm::length(glm::vec2(c.position.x, c.position.z)));
        if (n.y > 0.6f && reach <= kPictureRadius + 1.0f) {
            t.material = kTableSlot;
            for (toolkit::Corner& c : t.corners) c.uv = TurntableUv(c.position);
        } else if (n.y > 0.6f) {
            t.material = kDeckSlot;
            for (toolkit::Corner& c : t.corners) c.uv = glm::vec2(c.position.x, c.position.z) / kDeckTile;
        } else {
            t.material = kDeckSlot;
            const float first = std::atan2(t.corners[0].position.z, t.corners[0].position.x);
            for (toolkit::Corner& c : t.corners) {
                float a = std::atan2(c.position.z, c.position.x);
                if (a - first > glm::pi<float>()) a -= glm::two_pi<float>();
                if (first - a > glm::pi<float>()) a += glm::two_pi<float>();
                const float r = glm::length(glm::vec2(c.position.x, c.position.z));
                c.uv = {a * r / kDeckTile, -c.position.y / kDeckTile};
            }
        }
    }
}

Surface Lights() {
    Surface lights;
    const auto add = [&](Surface ring, GlowColour colour) {
        for (toolkit::Triangle& t : ring.triangles())
            for (toolkit::Corner& c : t.corners) c.uv = GlowUv(colour);
        lights.Append(ring);
    };
    add(LightRing(kHubRadius - 15, kHubRadius - 9, kHubHeight), GlowColour::Crimson);
    add(LightRing(kTableRadius - 24, kTableRadius - 19, 0), GlowColour::Cyan);
    add(LightRing(kCollarRadius - 28, kCollarRadius - 20, kCollarY), GlowColour::Crimson);
    return lights.SetMaterial(kLightSlot);
}

model::Mesh Platform() {
    Surface floor = Floor();
    MapFloor(floor);
    toolkit::MeshBuilder builder;
    builder.Add(floor);
    for (int i = 0; i < kShipCount; ++i) {
        Surface pad = Pad(PadOf(i));
        for (toolkit::Triangle& t : pad.triangles())
            for (toolkit::Corner& c : t.corners) c.uv = TurntableUv(c.position);
        builder.Add(pad, kTableSlot);
    }
    builder.Add(Lights());
    return builder.Build("carousel");
}

// The ship's primitives moved onto its pad, resting on it, its nose at
// the same distance from the axis whatever its length.
void ParkShip(model::Mesh& into, const ShipModel& ship, int index) {
    float lowest = 0.0f, nose = 0.0f;
    for (const model::Primitive& p : ship.mesh.primitives)
        for (const model::Vertex& v : p.vertices) {
            lowest = std::min(lowest, v.position.y);
            nose = std::max(nose, -v.position.z);
        }
    const PadPlace place = PadOf(index);
    const glm::vec3 outwards = glm::normalize(place.centre);
    const glm::vec3 centre = outwards * (kNoseRadius - nose * kShipScale);
    const glm::vec3 at(centre.x, kPadTop + 6.0f - lowest * kShipScale, centre.z);
    const glm::mat4 turn = glm::rotate(glm::mat4(1.0f), place.yaw, glm::vec3(0, 1, 0));
    const glm::mat4 matrix = glm::translate(glm::mat4(1.0f), at) * turn * glm::scale(glm::mat4(1.0f), glm::vec3(kShipScale));
    for (std::size_t k = 0; k < ship.mesh.primitives.size(); ++k) {
        model::Primitive p = ship.mesh.primitives[k];
        for (model::Vertex& v : p.vertices) {
            v.position = glm::vec3(matrix * glm::vec4(v.position, 1.0f));
            v.normal = glm::normalize(glm::mat3(turn) * v.normal);
        }
        p.material = k == 0 ? ShipHullSlot(index) : ShipGlowSlot(index);
        into.primitives.push_back(std::move(p));
    }
}

// Where the parked ships cover the turntable seen from straight above,
// softened: their shadows under the lights above.
toolkit::Field ShipShadows(const model::Mesh& mesh, std::size_t firstShipPrimitive, int size) {
    toolkit::Field cover(size, size);
    for (std::size_t k = firstShipPrimitive; k < mesh.primitives.size(); ++k) {
        const model::Primitive& p = mesh.primitives[k];
        for (std::size_t i = 0; i + 2 < p.indices.size(); i += 3) {
            glm::vec2 q[3];
            for (int c = 0; c < 3; ++c) q[c] = TurntableUv(p.vertices[p.indices[i + static_cast<std::size_t>(c)]].position) * static_cast<float>(size);
            FillTriangle(cover, q);
        }
    }
    return toolkit::Blurred(cover, kShadowSoftness * static_cast<float>(size));
}

void Tilt(model::Mesh& mesh) {
    const glm::mat4 tilt = CarouselTilt();
    for (model::Primitive& p : mesh.primitives)
        for (model::Vertex& v : p.vertices) {
            v.position = glm::vec3(tilt * glm::vec4(v.position, 1.0f));
            v.normal = glm::normalize(glm::mat3(tilt) * v.normal);
        }
}

model::Material Material(std::string name, int image, bool glows) {
    model::Material m;
    m.name = std::move(name);
    m.image = image;
    m.roughness = 0.6f;
    if (glows) m.emissive = glm::vec3(1.0f);
    return m;
}

}  // namespace

PadPlace PadOf(int index) {
    // At the heading that selects it, the pad must come to the world's -x
    // (the bottom of the screen): undo the placement's own yaw and that heading.
    const float a = glm::radians(kCarousel.rotation.y + kFrontHeading[static_cast<std::size_t>(index)]);
    const glm::vec3 outwards = -glm::vec3(std::cos(a), 0.0f, std::sin(a));
    return {outwards * kPadRing, glm::half_pi<float>() - a};
}

glm::mat4 CarouselTilt() {
    return glm::inverse(scene::RotationFromDegrees({kCarousel.rotation.x, 0.0f, kCarousel.rotation.z}));
}

model::Model CarouselModel(const std::vector<ShipModel>& fleet) {
    if (fleet.size() != static_cast<std::size_t>(kShipCount)) throw Error("carousel: needs the five ships");
    model::Mesh mesh = Platform();
    const std::size_t firstShip = mesh.primitives.size();
    for (int i = 0; i < kShipCount; ++i) ParkShip(mesh, fleet[static_cast<std::size_t>(i)], i);
    const toolkit::Field shadows = ShipShadows(mesh, firstShip, kPictureSize);
    Tilt(mesh);

    toolkit::ModelBuilder builder;
    const int deck = builder.AddImage("deck", DeckPicture(kDeckPictureSize));
    const int table = builder.AddImage("turntable", TurntablePicture(kPictureSize, shadows));
    builder.AddMaterial(Material("deck", deck, false));
    builder.AddMaterial(Material("turntable", table, false));
    builder.AddMaterial(Material("lights", table, true));
    std::vector<int> skins;
    for (const ShipModel& ship : fleet) skins.push_back(builder.AddImage(ship.name, Reduced(ship.skins[0], kShipPictureSize)));
    for (int i = 0; i < kShipCount; ++i) builder.AddMaterial(Material(fleet[static_cast<std::size_t>(i)].name, skins[static_cast<std::size_t>(i)], false));
    for (int i = 0; i < kShipCount; ++i)
        builder.AddMaterial(Material(fleet[static_cast<std::size_t>(i)].name + "_glow", skins[static_cast<std::size_t>(i)], true));
    builder.AddMesh(std::move(mesh), "carousel");
    return builder.Build();
}

}  // namespace kr::makedata::ships
