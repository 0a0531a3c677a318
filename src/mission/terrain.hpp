#pragma once
// A mission's surroundings: ground texture, landscape (ground maps only),
// sky box, the main light and the star emitter.

namespace kr {
struct Game;
}

namespace kr::mission {

void BuildTerrain(Game& game);
void BuildAmbient(Game& game);

}  // namespace kr::mission
