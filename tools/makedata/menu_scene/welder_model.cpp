#include "menu_scene/welder_model.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/error.hpp"
#include "menu_scene/embed.hpp"
#include "menu_scene/hangar_parts.hpp"
#include "menu_scene/hangar_textures.hpp"
#include "menu_scene/paint.hpp"
#include "toolkit/mesh_builder.hpp"
#include "toolkit/model_builder.hpp"
#include "toolkit/skeleton.hpp"

namespace kr::makedata::menu_scene {

namespace {

using toolkit::Surface;

// The arm at rest, in the welder's own space (the floor at y = 0; x is
// where it faces at rest): joint offsets from their parents.
constexpr glm::vec3 kTurretAt{0, 28, 0};
constexpr glm::vec3 kShoulderAt{0, 16, 0};
constexpr glm::vec3 kUpperArm{20, 60, 0};
constexpr glm::vec3 kForearm{58, -8, 0};
constexpr glm::vec3 kTorchAt{12, -6, 0};
constexpr glm::vec3 kNozzle{10, -8, 0};

// The ship's origin in the welder's space, where the menu scene puts both.
constexpr glm::vec3 kShipCentre{120, 100, -40};

float Degrees(glm::vec2 v) { return glm::degrees(std::atan2(v.y, v.x)); }

toolkit::Skeleton ArmSkeleton() {
    toolkit::Skeleton s;
    s.AddJoint("base", -1, {0, 0, 0});
    s.AddJoint("turret", kBase, kTurretAt);
    s.AddJoint("shoulder", kTurret, kShoulderAt);
    s.AddJoint("elbow", kShoulder, kUpperArm);
    s.AddJoint("wrist", kElbow, kForearm);
    s.AddJoint("torch", kWrist, kTorchAt);
    s.AddJoint("tip", kTorch, kNozzle);
    s.AddJoint("spark", kTip, {0, 0, 0});
    return s;
}

// ---- reaching a point: the turret turns towards it, the arm folds in its plane ----

struct ArmPose {
    float yaw = 0.0f;       // turret, degrees about y
    float shoulder = 0.0f;  // degrees about z, from rest
    float elbow = 0.0f;
    float wrist = 0.0f;
};

// The pose that puts the nozzle's tip on `tip` with the torch pointing at
// `aim` (both in the welder's space).
ArmPose Reach(glm::vec3 tip, glm::vec3 aim) {
    ArmPose pose;
    pose.yaw = glm::degrees(std::atan2(-tip.z, tip.x));
    const float across = std::hypot(tip.x, tip.z);
    const glm::vec2 tipInPlane(across, tip.y - (kTurretAt.y + kShoulderAt.y));
    const float aimAcross = (aim.x * tip.x + aim.z * tip.z) / std::max(across, 1e-3f);
    const float torchAngle = std::clamp(Degrees({aimAcross, aim.y}), -40.0f, 75.0f);
    const glm::vec3 torch = kTorchAt + kNozzle;
    const float torchLength = glm::length(torch);
    const glm::vec2 wrist =
        tipInPlane - torchLength * glm::vec2(std::cos(glm::radians(torchAngle)), std::sin(glm::radians(torchAngle)));
    const float l1 = glm::length(kUpperArm), l2 = glm::length(kForearm);
    const float d = std::clamp(glm::length(wrist), std::abs(l1 - l2) + 1.0f, l1 + l2 - 1.0f);
    const float bend = glm::degrees(std::acos(std::clamp((l1 * l1 + d * d - l2 * l2) / (2 * l1 * d), -1.0f, 1.0f)));
    const float upper = Degrees(wrist) + bend;  // elbow up
    const glm::vec2 elbow = l1 * glm::vec2(std::cos(glm::radians(upper)), std::sin(glm::radians(upper)));
    const float fore = Degrees(wrist - elbow);
    const float upperRest = Degrees({kUpperArm.x, kUpperArm.y});
    const float foreRest = Degrees({kForearm.x, kForearm.y});
    const float torchRest = Degrees({torch.x, torch.y});
    pose.shoulder = upper - upperRest;
    pose.elbow = (fore - upper) - (foreRest - upperRest);
    pose.wrist = (torchAngle - fore) - (torchRest - foreRest);
    return pose;
}

glm::quat About(glm::vec3 axis, float degrees) { return glm::angleAxis(glm::radians(degrees), axis); }

void KeyPose(toolkit::AnimationBuilder& animation, float seconds, const ArmPose& pose) {
    animation.Rotation(kTurret, seconds, About({0, 1, 0}, pose.yaw));
    animation.Rotation(kShoulder, seconds, About({0, 0, 1}, pose.shoulder));
    animation.Rotation(kElbow, seconds, About({0, 0, 1}, pose.elbow));
    animation.Rotation(kWrist, seconds, About({0, 0, 1}, pose.wrist));
}

// One loop: from rest-ready the torch closes on the seam, runs along it
// weaving, pulls back and returns; the spark flickers while it welds.
void AddWeldingAnimation(toolkit::AnimationBuilder& animation, int ship, int sparkJoint) {
    const Seam seam = SeamOfShip(ship);
    const auto aimFrom = [](glm::vec3 tip) { return glm::normalize(kShipCentre - tip); };
    const glm::vec3 ready = seam.from - aimFrom(seam.from) * 16.0f - glm::vec3(0, 10, 0);
    const glm::vec3 retreat = seam.to - aimFrom(seam.to) * 12.0f;
    const auto reachFrom = [&](glm::vec3 tip) { return Reach(tip, aimFrom(tip)); };

    constexpr float kStart = 0.9f, kEnd = 4.2f;
    KeyPose(animation, 0.0f, reachFrom(ready));
    const std::uint32_t seed = 600 + static_cast<std::uint32_t>(ship);
    const int steps = 10 + ship % 3 * 2;
    const float weave = 0.8f + 0.3f * static_cast<float>(ship % 2);
    const glm::vec3 across = glm::normalize(glm::cross(seam.to - seam.from, aimFrom(seam.from)));
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        const float side = (i % 2 == 0 ? 1.0f : -1.0f) * weave * (i == 0 || i == steps ? 0.0f : 1.0f);
        KeyPose(animation, kStart + (kEnd - kStart) * t, reachFrom(seam.from + (seam.to - seam.from) * t + across * side));
    }
    KeyPose(animation, 5.0f, reachFrom(retreat));
    KeyPose(animation, 5.5f, reachFrom((retreat + ready) * 0.5f + glm::vec3(0, -4, 0)));
    KeyPose(animation, kWeldLoopSeconds, reachFrom(ready));

    // The spark: out before and after, flickering between.
    const glm::vec3 none(0.001f);
    animation.Scale(sparkJoint, 0.0f, none).Scale(sparkJoint, kStart - 0.05f, none);
    int flicker = 0;
    for (float s = kStart; s <= kEnd + 1e-3f; s += 0.1f, ++flicker) {
        const float size = 0.55f + 0.9f * paint::Random(seed, flicker);
        animation.Scale(sparkJoint, s, glm::vec3(size));
        animation.Rotation(sparkJoint, s, About({1, 0, 0}, 360.0f * paint::Random(seed + 50, flicker)));
    }
    animation.Scale(sparkJoint, kEnd + 0.05f, none).Scale(sparkJoint, kWeldLoopSeconds, none);
    animation.Rotation(sparkJoint, 0.0f, glm::quat(1, 0, 0, 0)).Rotation(sparkJoint, kWeldLoopSeconds, glm::quat(1, 0, 0, 0));
}

// ---- the arm's parts ------------------------------------------------------------------

struct Parts {
    std::array<Surface, kWelderJointCount> byJoint;

    void Add(int joint, Surface s, const AtlasRegion& region) {
        ToRegion(s, region);
        byJoint[static_cast<std::size_t>(joint)].Append(s);
    }
};

constexpr float kAcross = glm::half_pi<float>();  // a lying drum turned to run along z

Parts ArmParts() {
    Parts p;
    const glm::vec3 shoulder = kTurretAt + kShoulderAt;
    const glm::vec3 elbow = shoulder + kUpperArm;
    const glm::vec3 wrist = elbow + kForearm;
    const glm::vec3 torch = wrist + kTorchAt;
    const glm::vec3 tip = torch + kNozzle;

    p.Add(kBase, Drum({0, 2, 0}, 24.0f, 4.0f, 24), atlas::Hazard());
    p.Add(kBase, Drum({0, 16, 0}, 12.0f, 24.0f, 20), atlas::Machinery());
    for (int k = 0; k < 6; ++k) {
        const float a = glm::two_pi<float>() * k / 6.0f + 0.3f;
        p.Add(kBase, Drum({20.0f * std::cos(a), 4.8f, 20.0f * std::sin(a)}, 1.6f, 1.6f, 8), atlas::SteelLight());
    }

    p.Add(kTurret, Block({2, 34, 0}, {30, 12, 26}), atlas::Tank());
    p.Add(kTurret, Drum(shoulder, 9.0f, 30.0f, 18, true, kAcross), atlas::Pipe());
    p.Add(kTurret, Block({-16, 38, 0}, {10, 14, 20}), atlas::Machinery());
    p.Add(kTurret, Block({4, 40.6f, 9}, {10, 1.2f, 6}), atlas::LampRed());

    p.Add(kShoulder, BeamBetween(shoulder, elbow, 11.0f, 9.0f), atlas::Tank());
    for (float side : {-6.2f, 6.2f})
        p.Add(kShoulder, BeamBetween(shoulder + glm::vec3(0, 0, side), elbow + glm::vec3(0, 0, side), 1.4f, 12.0f),
              atlas::DarkMetal());

    p.Add(kElbow, Drum(elbow, 7.0f, 18.0f, 16, true, kAcross), atlas::Pipe());
    p.Add(kElbow, BeamBetween(elbow, wrist, 8.0f, 7.0f), atlas::Tank());
    p.Add(kElbow, BeamBetween(elbow + glm::vec3(4, 3.8f, 0), wrist + glm::vec3(-4, 3.8f, 0), 5.0f, 0.6f), atlas::Hazard());

    p.Add(kWrist, Drum(wrist, 5.0f, 12.0f, 14, true, kAcross), atlas::Pipe());
    p.Add(kWrist, BeamBetween(wrist, torch, 4.5f, 4.5f), atlas::SteelLight());

    p.Add(kTorch, TubeAlong({torch, tip}, 1.8f, 8), atlas::Pipe());
    p.Add(kTorch, TubeAlong({torch + (tip - torch) * 0.15f, torch + (tip - torch) * 0.35f}, 2.6f, 8), atlas::Rail());
    return p;
}

// The hose from the base to the torch, bent by every joint it passes.
Surface Hose() {
    Surface hose = TubeAlong({{8, 6, 14}, {8, 20, 14}, {6, 34, 16}, {4, 46, 11}, {12, 76, 8}, {22, 100, 8}, {50, 99, 6},
                              {76, 95, 5}, {86, 91, 3}},
                             1.6f, 8);
    ToRegion(hose, atlas::Cable());
    return hose;
}

// A burst of short spikes around a hot core, in the tip's own space.
Surface Spark() {
    Surface spark = Block({0, 0, 0}, glm::vec3(3.6f));
    ToRegion(spark, atlas::LampWhite());
    for (int k = 0; k < 9; ++k) {
        const float a = glm::two_pi<float>() * k / 9.0f;
        const glm::vec3 dir = glm::normalize(glm::vec3(0.6f + 0.4f * paint::Random(71, k), std::cos(a), std::sin(a)));
        Surface spike = BeamBetween({0, 0, 0}, dir * (8.0f + 11.0f * paint::Random(72, k)), 0.7f, 0.7f);
        ToRegion(spike, k % 3 == 0 ? atlas::LampWhite() : atlas::Amber());
        spark.Append(spike);
    }
    return spark;
}

// Every vertex of a rigid part on its one joint.
model::Mesh RigidMesh(const Surface& surface, int joint, const std::string& name) {
    toolkit::MeshBuilder builder(35.0f);
    builder.Add(surface, 0);
    model::Mesh mesh = builder.Build(name);
    for (auto& primitive : mesh.primitives)
        for (auto& vertex : primitive.vertices) {
            vertex.joints = glm::u16vec4(static_cast<std::uint16_t>(joint), 0, 0, 0);
            vertex.weights = glm::vec4(1, 0, 0, 0);
        }
    return mesh;
}

}  // namespace

Seam SeamOfShip(int ship) {
    // Under the wing roots and along the belly, shaped to each hull.
    static const std::array<Seam, kShipCount> kSeams{{
        {{92, 72, -22}, {106, 74, -46}},   // delta: low, wide wings
        {{96, 84, -28}, {98, 94, -52}},    // spectre
        {{100, 80, -26}, {104, 83, -52}},  // blade
        {{86, 90, -36}, {90, 104, -42}},   // thor: a tall plate seam
        {{104, 74, -32}, {110, 88, -48}},  // trinity
    }};
    if (ship < 1 || ship > kShipCount) throw Error("welder: no ship number " + std::to_string(ship));
    return kSeams[static_cast<std::size_t>(ship - 1)];
}

model::Model BuildWelderModel(int ship, const image::Image& atlas) {
    toolkit::ModelBuilder builder;
    builder.skeleton() = ArmSkeleton();
    model::Material paint;
    paint.name = "welder";
    builder.AddMaterial(paint);
    const Parts parts = ArmParts();
    static const char* kPartNames[kWelderJointCount] = {"base",  "turret", "upper_arm", "forearm",
                                                         "wrist", "torch",  "tip",       "spark"};
    for (int joint = 0; joint < kWelderJointCount; ++joint)
        if (parts.byJoint[static_cast<std::size_t>(joint)].TriangleCount() > 0)
            builder.AddMesh(RigidMesh(parts.byJoint[static_cast<std::size_t>(joint)], joint, kPartNames[joint]),
                            kPartNames[joint]);
    toolkit::MeshBuilder hoseBuilder(50.0f);
    hoseBuilder.Add(Hose(), 0);
    model::Mesh hose = hoseBuilder.Build("hose");
    toolkit::WeightByDistance(hose, builder.skeleton(), 4.0f);
    // The spark's size is no business of the hose's.
    for (auto& primitive : hose.primitives)
        for (auto& vertex : primitive.vertices)
            for (int k = 0; k < 4; ++k)
                if (vertex.joints[k] == kSpark) vertex.joints[k] = kTip;
    builder.AddMesh(std::move(hose), "hose");
    toolkit::MeshBuilder sparkBuilder(20.0f);
    sparkBuilder.Add(Spark(), 0);
    builder.AttachMesh(sparkBuilder.Build("spark"), "spark", kSpark);

    AddWeldingAnimation(builder.AddAnimation("weld"), ship, kSpark);
    model::Model model = builder.Build();
    model.materials[0].image = EmbedJpeg(model, "welder", atlas);
    return model;
}

}  // namespace kr::makedata::menu_scene
