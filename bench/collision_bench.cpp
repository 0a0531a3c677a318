// Costs of the CPU-side collision queries at mission scale: a thousand
// placed meshes (fifty shared shapes), a 256 x 320 landscape, two hundred
// segment tests a frame, and the per-frame moves that keep it all current.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/collision/collision_world.hpp"

namespace kr::collision {
namespace {

class Numbers {
public:
    explicit Numbers(std::uint32_t seed) : engine_(seed) {}
    float Uniform(float low, float high) { return low + (high - low) * static_cast<float>(engine_() / 4294967296.0); }

private:
    std::mt19937 engine_;
};

struct Soup {
    std::vector<glm::vec3> positions;
    std::vector<std::uint32_t> indices;
};

// A lumpy sphere (a rock, a hut, a tree crown) of about `triangles` triangles.
Soup LumpySoup(int triangles, float radius, Numbers& numbers) {
    int rings = std::max(3, static_cast<int>(std::sqrt(triangles / 4.0)));
    int segments = std::max(3, triangles / (2 * rings));
    Soup soup;
    std::vector<glm::vec3>& positions = soup.positions;
    for (int r = 0; r <= rings; ++r)
        for (int s = 0; s < segments; ++s) {
            float polar = 3.14159265f * static_cast<float>(r) / static_cast<float>(rings);
            float around = 6.2831853f * static_cast<float>(s) / static_cast<float>(segments);
            float bump = radius * numbers.Uniform(0.8f, 1.2f);
            positions.push_back(bump * glm::vec3(std::sin(polar) * std::cos(around), std::cos(polar),
                                                 std::sin(polar) * std::sin(around)));
        }
    std::vector<std::uint32_t>& indices = soup.indices;
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            auto at = [&](int ring, int seg) { return static_cast<std::uint32_t>(ring * segments + seg % segments); };
            indices.insert(indices.end(), {at(r, s), at(r + 1, s), at(r + 1, s + 1), at(r, s), at(r + 1, s + 1), at(r, s + 1)});
        }
    return soup;
}

std::shared_ptr<TriangleBvh> LumpyShape(int triangles, float radius, Numbers& numbers) {
    Soup soup = LumpySoup(triangles, radius, numbers);
    return std::make_shared<TriangleBvh>(soup.positions, soup.indices);
}

HeightField Landscape() {
    HeightFieldShape shape;
    shape.samplesX = 256;
    shape.samplesZ = 320;
    shape.cellSize = {160.0f, 160.0f};
    for (int z = 0; z < shape.samplesZ; ++z)
        for (int x = 0; x < shape.samplesX; ++x)
            shape.heights.push_back(127.5f + 60.0f * std::sin(x * 0.13f) * std::cos(z * 0.07f) +
                                    60.0f * std::sin((x + z) * 0.031f));
    // The lane the player flies in lies well inside the grid.
    return HeightField(std::move(shape), {-3000.0f, -200.0f, -25000.0f});
}

struct Mission {
    CollisionWorld world;
    std::vector<std::shared_ptr<TriangleBvh>> shapes;
    std::vector<InstanceId> placed;
    std::vector<glm::mat4> transforms;
    std::vector<Segment> segments;  // one frame's tests, as the game asks them
    std::vector<Segment> aimed;     // 200 long segments each aimed through an instance
};

std::unique_ptr<Mission> BuildMission() {
    auto mission = std::make_unique<Mission>();
    Numbers numbers(42);
    for (int i = 0; i < 50; ++i)
        mission->shapes.push_back(LumpyShape(500 + i * 50, numbers.Uniform(20.0f, 90.0f), numbers));
    HeightField& ground = mission->world.SetLandscape(Landscape());
    for (int i = 0; i < 1000; ++i) {
        float x = numbers.Uniform(-2000.0f, 8000.0f), z = numbers.Uniform(-2500.0f, 2500.0f);
        glm::mat4 world = glm::translate(glm::mat4(1.0f), {x, *ground.HeightAt(x, z) + 0.8f, z});
        world = glm::rotate(world, numbers.Uniform(0.0f, 6.28f), {0, 1, 0});
        world = glm::scale(world, {numbers.Uniform(0.6f, 2.0f), numbers.Uniform(0.6f, 2.5f), numbers.Uniform(0.6f, 2.0f)});
        InstanceDesc desc;
        desc.geometry = mission->shapes[i % 50];
        desc.world = world;
        mission->placed.push_back(mission->world.Add(desc));
        mission->transforms.push_back(world);
    }
    // 60 spawn checks across the lane, 120 shots, 20 long pick rays at the ground.
    for (int i = 0; i < 60; ++i) {
        float x = numbers.Uniform(-350.0f, 1500.0f), z = numbers.Uniform(-400.0f, 400.0f);
        mission->segments.push_back({{x - 1400.0f, 190.0f, z}, {x + 500.0f, 190.0f, z}});
    }
    for (int i = 0; i < 120; ++i) {
        glm::vec3 at(numbers.Uniform(-350.0f, 3000.0f), numbers.Uniform(0.0f, 200.0f), numbers.Uniform(-400.0f, 400.0f));
        mission->segments.push_back({at + glm::vec3(5, -5, 0), at + glm::vec3(10, 5.5f, 2)});
    }
    for (int i = 0; i < 20; ++i) {
        glm::vec3 eye(-900.0f, 700.0f, numbers.Uniform(-200.0f, 200.0f));
        glm::vec3 target(numbers.Uniform(0.0f, 6000.0f), -100.0f, numbers.Uniform(-2000.0f, 2000.0f));
        mission->segments.push_back({eye, eye + glm::normalize(target - eye) * 20000.0f});
    }
    for (int i = 0; i < 200; ++i) {
        glm::vec3 centre = glm::vec3(mission->transforms[(i * 37) % 1000][3]) + glm::vec3(0, 20, 0);
        glm::vec3 from(numbers.Uniform(-1000.0f, 1000.0f), numbers.Uniform(0.0f, 400.0f), numbers.Uniform(-1000.0f, 1000.0f));
        mission->aimed.push_back({centre + from, centre - from});
    }
    return mission;
}

Mission& SharedMission() {
    static std::unique_ptr<Mission> mission = BuildMission();
    return *mission;
}

void SegmentTestsPerFrame(benchmark::State& state, bool aimed) {
    Mission& mission = SharedMission();
    const std::vector<Segment>& segments = aimed ? mission.aimed : mission.segments;
    int hits = 0;
    for (auto _ : state) {
        hits = 0;
        for (const Segment& s : segments)
            if (mission.world.SegmentQuery(s.start, s.end, kind::All)) ++hits;
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = hits;
    state.SetLabel("200 segments, 1000 instances + 256x320 landscape");
}
BENCHMARK_CAPTURE(SegmentTestsPerFrame, GameLike, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SegmentTestsPerFrame, AimedAtInstances, true)->Unit(benchmark::kMicrosecond);

// Moves `count` instances a small step, then asks one question so that the
// broad phase catches up (that cost belongs to the move).
void MoveInstances(benchmark::State& state) {
    Mission& mission = SharedMission();
    auto count = static_cast<std::size_t>(state.range(0));
    float step = -1.6f;
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            mission.transforms[i] = glm::translate(glm::mat4(1.0f), {step, 0, 0}) * mission.transforms[i];
            mission.world.SetTransform(mission.placed[i], mission.transforms[i]);
        }
        mission.world.Landscape()->SetPosition(mission.world.Landscape()->Position() + glm::vec3(step, 0, 0));
        benchmark::DoNotOptimize(mission.world.SegmentQuery({0, 150, 0}, {10, 160, 2}, kind::All));
        step = -step;  // back and forth, so the scene stays where it was
    }
}
BENCHMARK(MoveInstances)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BuildShapeHierarchy(benchmark::State& state) {
    Numbers numbers(1);
    Soup soup = LumpySoup(static_cast<int>(state.range(0)), 50.0f, numbers);
    for (auto _ : state) benchmark::DoNotOptimize(TriangleBvh(soup.positions, soup.indices));
    state.counters["triangles"] = static_cast<double>(soup.indices.size() / 3);
}
BENCHMARK(BuildShapeHierarchy)->Arg(3000)->Unit(benchmark::kMicrosecond);

// Twenty posed models of ~3000 triangles refitted, as when all animated
// models move in one frame.
void RefitPosedModels(benchmark::State& state) {
    Numbers numbers(2);
    Soup soup = LumpySoup(3000, 40.0f, numbers);
    TriangleBvh model(soup.positions, soup.indices);
    std::vector<glm::vec3> pose = soup.positions;
    float swing = 0.0f;
    for (auto _ : state) {
        for (int posed = 0; posed < 20; ++posed) {
            // An arm-like sway: each vertex moves by its height.
            swing = -swing + 0.5f;
            for (std::size_t i = 0; i < pose.size(); ++i) pose[i].x = soup.positions[i].x + swing * soup.positions[i].y * 0.1f;
            model.Refit(pose);
        }
        benchmark::DoNotOptimize(model.Bounds());
    }
}
BENCHMARK(RefitPosedModels)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kr::collision
