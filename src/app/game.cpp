#include "app/game.hpp"

namespace kr {

void ReadMouse(Game& game) {
    MouseReading reading = game.engine->ReadMouse();
    game.mouse.MouseX = reading.x;
    game.mouse.MouseY = reading.y;
    game.mouse.MouseButton1 = reading.buttons[0] ? 1 : 0;
    game.mouse.MouseButton2 = reading.buttons[1] ? 1 : 0;
    game.mouse.MouseButton3 = reading.buttons[2] ? 1 : 0;
    game.mouse.MouseButton4 = reading.buttons[3] ? 1 : 0;
    game.mouse.MouseWheel = reading.wheel;
}

}  // namespace kr
