#include "enemies/enemy_files.hpp"

#include <cstddef>

#include "engine/model/glb.hpp"
#include "enemies/boss_designs.hpp"
#include "enemies/enemy_definitions.hpp"
#include "enemies/enemy_designs.hpp"
#include "toolkit/parallel.hpp"

namespace kr::makedata {

namespace enemies {
std::vector<std::string> DunesTypes() { return {"skarab", "vesper", "thorn", "orbul", "mantik"}; }
std::vector<std::string> OrbitTypes() { return {"vesper", "thorn", "orbul", "mantik", "seraph", "kraggon", "voidmaw"}; }
}  // namespace enemies

void WriteEnemies(OutputFolder& out) {
    using namespace enemies;
    const std::vector<EnemyDesign> designs = EnemyDesigns();
    std::vector<Bytes> models(designs.size());
    ParallelFor(designs.size(), [&](std::size_t i) {
        models[i] = model::WriteGlb(StaticCraftModel(designs[i].look, designs[i].body));
    });
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const std::string& type = designs[i].look.name;
        out.Write("models\\" + type + "\\" + type + ".tvm", models[i]);
        out.Write("data\\" + type + ".dat", EnemyDefinitionText(type, designs[i].rules));
    }
    out.Write("models\\dunes\\ships.dat", EnemyListText("dunes", DunesTypes()));
    out.Write("models\\orbit\\ships.dat", EnemyListText("orbit", OrbitTypes()));

    std::vector<Bytes> bosses(2 * kBossCount);
    ParallelFor(static_cast<std::size_t>(kBossCount), [&](std::size_t i) {
        const BossDesign boss = BossDesignOf(static_cast<int>(i) + 1);
        bosses[2 * i] = model::WriteGlb(BossMesh(boss));
        bosses[2 * i + 1] = model::WriteGlb(BossActor(boss));
    });
    for (int n = 1; n <= kBossCount; ++n) {
        const std::string name = "models\\bosses\\boss" + std::to_string(n);
        out.Write(name + ".tvM", bosses[static_cast<std::size_t>(2 * n - 2)]);
        out.Write(name + ".tva", bosses[static_cast<std::size_t>(2 * n - 1)]);
    }
}

}  // namespace kr::makedata
