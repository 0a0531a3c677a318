#pragma once
// The options: three pages (graphics, sound, language) changed on the live
// settings as they are clicked; accepting saves them and restarts the engine.

namespace kr {
struct Game;
}

namespace kr::frontend {

void OptionsFrame(Game& game);

}  // namespace kr::frontend
