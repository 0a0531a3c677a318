// Animation poses: expected values are computed here from the files' own
// keyframes (read plainly, not through the loader) or by hand.

#include <cmath>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "engine/model/pose.hpp"
#include "model_test_util.hpp"

namespace kr::model::test {
namespace {

glm::quat QuatXyzw(const float* p) { return glm::quat(p[3], p[0], p[1], p[2]); }

// Spherical interpolation written out, for comparison with the engine's.
glm::quat Slerp(glm::quat a, glm::quat b, float u) {
    float cosine = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
    if (cosine < 0.0f) {
        b = -b;
        cosine = -cosine;
    }
    if (cosine > 0.9995f) return glm::normalize(a * (1.0f - u) + b * u);
    const float angle = std::acos(cosine);
    return glm::normalize(a * (std::sin((1.0f - u) * angle) / std::sin(angle)) +
                          b * (std::sin(u * angle) / std::sin(angle)));
}

glm::mat4 Trs(glm::vec3 t, glm::quat r, glm::vec3 s) {
    return glm::translate(glm::mat4(1.0f), t) * glm::mat4_cast(r) * glm::scale(glm::mat4(1.0f), s);
}

// One LINEAR channel of a corpus file, read plainly.
struct RawChannel {
    std::vector<float> times;
    std::vector<float> values;
    std::size_t width;

    RawChannel(const RawGlb& raw, int animation, int channel) {
        const auto& anim = raw.doc["animations"][animation];
        const auto& sampler = anim["samplers"][anim["channels"][channel]["sampler"].get<int>()];
        times = raw.Floats(sampler["input"].get<int>());
        values = raw.Floats(sampler["output"].get<int>());
        width = values.size() / times.size();
    }

    // Key `k` and the fraction towards key k + 1 at `t`, held at both ends.
    std::pair<std::size_t, float> Locate(float t) const {
        if (t <= times.front()) return {0, 0.0f};
        if (t >= times.back()) return {times.size() - 1, 0.0f};
        std::size_t k = 0;
        while (times[k + 1] <= t) ++k;
        return {k, (t - times[k]) / (times[k + 1] - times[k])};
    }

    glm::vec3 Vec3At(float t) const {
        const auto [k, u] = Locate(t);
        const glm::vec3 a = glm::make_vec3(&values[k * 3]);
        if (u == 0.0f) return a;
        return a + (glm::make_vec3(&values[(k + 1) * 3]) - a) * u;
    }

    glm::quat RotationAt(float t) const {
        const auto [k, u] = Locate(t);
        const glm::quat a = QuatXyzw(&values[k * 4]);
        if (u == 0.0f) return a;
        return Slerp(a, QuatXyzw(&values[(k + 1) * 4]), u);
    }
};

glm::mat4 NodeMatrixFromJson(const nlohmann::json& node) {
    if (node.contains("matrix")) {
        const std::vector<float> m = node["matrix"].get<std::vector<float>>();
        return glm::make_mat4(m.data());
    }
    glm::vec3 t(0.0f), s(1.0f);
    glm::quat r(1.0f, 0.0f, 0.0f, 0.0f);
    if (node.contains("translation")) t = glm::make_vec3(node["translation"].get<std::vector<float>>().data());
    if (node.contains("scale")) s = glm::make_vec3(node["scale"].get<std::vector<float>>().data());
    if (node.contains("rotation")) r = QuatXyzw(node["rotation"].get<std::vector<float>>().data());
    return Trs(t, r, s);
}

// RiggedSimple: node 0 (matrix) > node 4 > joint node 2 > joint node 3;
// channels 0..2 animate node 2 (T, R, S), 3..5 node 3.
struct RiggedSimpleExpectation {
    RawGlb raw{ReadCorpus("RiggedSimple.glb")};

    glm::mat4 JointLocal(int firstChannel, float t) const {
        const RawChannel translation(raw, 0, firstChannel);
        const RawChannel rotation(raw, 0, firstChannel + 1);
        const RawChannel scale(raw, 0, firstChannel + 2);
        return Trs(translation.Vec3At(t), rotation.RotationAt(t), scale.Vec3At(t));
    }

    std::vector<glm::mat4> JointWorlds(float t) const {
        const glm::mat4 above = NodeMatrixFromJson(raw.doc["nodes"][0]) * NodeMatrixFromJson(raw.doc["nodes"][4]);
        const glm::mat4 joint0 = above * JointLocal(0, t);
        return {joint0, joint0 * JointLocal(3, t)};
    }

    glm::mat4 InverseBind(int joint) const {
        const std::vector<float> m = raw.Floats(raw.doc["skins"][0]["inverseBindMatrices"].get<int>());
        return glm::make_mat4(&m[static_cast<std::size_t>(joint) * 16]);
    }
};

TEST(Pose, RiggedSimpleJointsFollowTheKeyframes) {
    const Model model = LoadCorpus("RiggedSimple.glb");
    const RiggedSimpleExpectation expected;
    const RawChannel rotation(expected.raw, 0, 4);
    ASSERT_EQ(rotation.times.size(), 3u);
    const float times[] = {0.0f, (rotation.times[0] + rotation.times[1]) / 2, rotation.times[1],
                           (rotation.times[1] + rotation.times[2]) * 0.5f + 0.1f};
    for (float t : times) {
        const Pose pose = EvaluatePose(model, 0, t);
        const std::vector<glm::mat4> worlds = expected.JointWorlds(t);
        const std::vector<glm::mat4> joints = JointMatrices(model, pose, 0);
        ASSERT_EQ(joints.size(), 2u);
        for (int j = 0; j < 2; ++j) {
            const std::string what = "joint " + std::to_string(j) + " at " + std::to_string(t);
            ExpectNear(JointWorldPosition(model, pose, 0, j), glm::vec3(worlds[static_cast<std::size_t>(j)][3]), 1e-4f,
                       what);
            ExpectNear(pose.world[static_cast<std::size_t>(model.skins[0].joints[static_cast<std::size_t>(j)])],
                       worlds[static_cast<std::size_t>(j)], 1e-4f, what + " world");
            ExpectNear(joints[static_cast<std::size_t>(j)],
                       worlds[static_cast<std::size_t>(j)] * expected.InverseBind(j), 1e-4f, what + " skinning matrix");
        }
    }
}

TEST(Pose, RiggedSimpleBendsBetweenKeys) {
    // The second joint turns between its keys: the tip of the bone (one
    // unit along its y axis) is somewhere else halfway than at the keys.
    const Model model = LoadCorpus("RiggedSimple.glb");
    const auto& times = model.animations[0].samplers[4].times;
    auto tip = [&](float t) { return glm::vec3(EvaluatePose(model, 0, t).world[3] * glm::vec4(0, 1, 0, 1)); };
    const glm::vec3 first = tip(times[0]), middle = tip((times[0] + times[1]) / 2), second = tip(times[1]);
    EXPECT_GT(glm::length(second - first), 0.1f);
    EXPECT_GT(glm::length(middle - first), 0.01f);
    EXPECT_GT(glm::length(middle - second), 0.01f);
}

TEST(Pose, BoxAnimatedShorterChannelHoldsItsLastKey) {
    const Model model = LoadCorpus("BoxAnimated.glb");
    const RawGlb raw(ReadCorpus("BoxAnimated.glb"));
    const RawChannel rotation(raw, 0, 0);     // node 2, keys 1.25 .. 2.5
    const RawChannel translation(raw, 0, 1);  // node 0, keys 0 .. 3.70833
    const float duration = model.animations[0].duration;
    ASSERT_NEAR(duration, 3.70833f, 1e-5f);
    for (float t : {0.3f, 1.25f, 1.8f, 2.5f, 3.0f, 3.6f}) {
        const Pose pose = EvaluatePose(model, 0, t);
        const std::string what = "t=" + std::to_string(t);
        const glm::quat r = glm::quat_cast(glm::mat3(pose.local[2]));
        EXPECT_NEAR(std::abs(glm::dot(r, rotation.RotationAt(t))), 1.0f, 1e-5f) << what;
        ExpectNear(glm::vec3(pose.local[0][3]), translation.Vec3At(t), 1e-5f, what);
    }
    // After 2.5 s the rotation stays at its last key instead of starting over.
    const glm::mat4 held = EvaluatePose(model, 0, 2.5f).local[2];
    ExpectNear(EvaluatePose(model, 0, 3.2f).local[2], held, 1e-6f, "held rotation");
    EXPECT_GT(
        glm::length(glm::vec3(EvaluatePose(model, 0, 3.2f).local[0][3] - EvaluatePose(model, 0, 2.5f).local[0][3])),
        0.01f);
}

TEST(Pose, LoopingWrapsByTheDuration) {
    const Model model = LoadCorpus("BoxAnimated.glb");
    const float duration = model.animations[0].duration;
    for (float t : {0.4f, 1.9f, 3.1f}) {
        const Pose once = EvaluatePose(model, 0, t);
        ExpectNear(EvaluatePose(model, 0, t + duration).world[2], once.world[2], 1e-4f, "one loop later");
        ExpectNear(EvaluatePose(model, 0, t + 3 * duration).world[0], once.world[0], 1e-4f, "three loops later");
        ExpectNear(EvaluatePose(model, 0, t - duration).world[2], once.world[2], 1e-4f, "one loop earlier");
    }
    // Without looping, times past the end hold the last pose.
    ExpectNear(EvaluatePose(model, 0, duration + 1.0f, false).world[0],
               EvaluatePose(model, 0, duration, false).world[0], 1e-6f, "held end");
}

TEST(Pose, CesiumManSkinningMatricesAndLoop) {
    const Model model = LoadCorpus("CesiumMan.glb");
    const Pose a = EvaluatePose(model, 0, 0.5f);
    const std::vector<glm::mat4> joints = JointMatrices(model, a, 0);
    ASSERT_EQ(joints.size(), 19u);
    for (const glm::mat4& m : joints) {
        for (int c = 0; c < 4; ++c) EXPECT_TRUE(std::isfinite(m[c][0] + m[c][1] + m[c][2] + m[c][3]));
    }
    const Pose b = EvaluatePose(model, 0, 1.5f);
    EXPECT_GT(glm::length(JointWorldPosition(model, a, 0, 10) - JointWorldPosition(model, b, 0, 10)), 1e-3f);
    ExpectNear(JointWorldPosition(model, EvaluatePose(model, 0, 2.5f), 0, 10), JointWorldPosition(model, a, 0, 10),
               1e-5f, "loop");
}

TEST(Pose, RestPoseAndBadArguments) {
    const Model model = LoadCorpus("RiggedSimple.glb");
    const Pose rest = RestPose(model);
    ASSERT_EQ(rest.local.size(), 5u);
    ExpectNear(rest.world[3], rest.world[0] * rest.local[4] * rest.local[2] * rest.local[3], 1e-6f, "chain");
    ExpectNear(EvaluatePose(model, -1, 1.0f).world[3], rest.world[3], 0.0f, "no animation");
    EXPECT_THROW(EvaluatePose(model, 1, 0.0f), Error);
    EXPECT_THROW(JointMatrices(model, rest, 1), Error);
    EXPECT_THROW(JointWorldPosition(model, rest, 0, 2), Error);
    EXPECT_THROW(JointMatrices(model, Pose{}, 0), Error);
}

// A one-node model animated by one sampler.
Model OneChannelModel(Path path, Interpolation interpolation, std::vector<float> times, std::vector<float> values) {
    Model model;
    model.nodes.resize(1);
    model.roots = {0};
    Animation animation;
    animation.samplers.push_back({std::move(times), std::move(values), interpolation});
    animation.channels.push_back({0, path, 0});
    animation.duration = animation.samplers[0].times.back();
    model.animations.push_back(animation);
    return model;
}

glm::vec3 TranslationAt(const Model& model, float t) { return glm::vec3(EvaluatePose(model, 0, t, false).local[0][3]); }

TEST(Pose, StepLinearAndCubicSplineInterpolation) {
    const Model step =
        OneChannelModel(Path::Translation, Interpolation::Step, {0, 1, 2}, {0, 0, 0, 10, 0, 0, 20, 0, 0});
    EXPECT_EQ(TranslationAt(step, 0.99f).x, 0.0f);
    EXPECT_EQ(TranslationAt(step, 1.0f).x, 10.0f);
    EXPECT_EQ(TranslationAt(step, 1.7f).x, 10.0f);

    const Model linear = OneChannelModel(Path::Translation, Interpolation::Linear, {1, 3}, {0, 0, 0, 10, -4, 2});
    ExpectNear(TranslationAt(linear, 0.0f), {0, 0, 0}, 0.0f, "before the first key");
    ExpectNear(TranslationAt(linear, 2.5f), {7.5f, -3, 1.5f}, 1e-6f, "three quarters");

    // Keys at 0 and 2: values 0 and 1, out-tangent 3 at the first key,
    // in-tangent -1 at the second. Hermite at u = 0.5 with span 2:
    // 0.5*0 + 0.125*2*3 + 0.5*1 - 0.125*2*(-1) = 1.5.
    const Model cubic = OneChannelModel(Path::Translation, Interpolation::CubicSpline, {0, 2},
                                        {9, 9, 9, 0, 0, 0, 3, 3, 3, -1, -1, -1, 1, 1, 1, 9, 9, 9});
    ExpectNear(TranslationAt(cubic, 1.0f), glm::vec3(1.5f), 1e-6f, "cubic middle");
    ExpectNear(TranslationAt(cubic, 2.0f), glm::vec3(1.0f), 1e-6f, "cubic end");
    ExpectNear(TranslationAt(cubic, 0.0f), glm::vec3(0.0f), 1e-6f, "cubic start");
}

TEST(Pose, RotationsTakeTheShortWayAndScaleApplies) {
    // 90 degrees about y stored with a negative w: slerp must still pass
    // through 45 degrees, not the long way round.
    const float s = std::sqrt(0.5f);
    const Model model = OneChannelModel(Path::Rotation, Interpolation::Linear, {0, 1}, {0, 0, 0, 1, 0, -s, 0, -s});
    const glm::mat4 half = EvaluatePose(model, 0, 0.5f, false).local[0];
    const float angle = glm::radians(45.0f);
    ExpectNear(glm::vec3(half * glm::vec4(1, 0, 0, 0)), {std::cos(angle), 0, -std::sin(angle)}, 1e-5f, "45 degrees");

    const Model scale = OneChannelModel(Path::Scale, Interpolation::Linear, {0, 1}, {1, 1, 1, 3, 3, 3});
    ExpectNear(glm::vec3(EvaluatePose(scale, 0, 0.5f, false).local[0] * glm::vec4(1, 1, 1, 0)), glm::vec3(2.0f), 1e-6f,
               "scale");
    const Model weights = OneChannelModel(Path::Weights, Interpolation::Linear, {0, 1}, {0, 1});
    ExpectNear(EvaluatePose(weights, 0, 0.5f).local[0], glm::mat4(1.0f), 0.0f, "weights are not applied");
}

}  // namespace
}  // namespace kr::model::test
