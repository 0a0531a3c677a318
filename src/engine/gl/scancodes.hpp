#pragma once
#include <SDL2/SDL_scancode.h>

namespace kr::gl {

// The PC keyboard's set-1 scan code of an SDL key (extended keys as 0x80 +
// code, so the arrows are 200/203/205/208); 0 for keys without one.
int ToSetOneScanCode(SDL_Scancode code);

}  // namespace kr::gl
