#pragma once
// The two screens between the loading and the main menu: the maker's logo
// over the title picture, then the title picture alone.

namespace kr {
struct Game;

// ScreenId 1: the maker's logo fades in and reddens; a key leaves at once,
// a click only after three seconds, and the screen ends by itself after 14.
void LogoScreen(Game& game);
// ScreenId 2: the title picture; a click after three seconds, or about
// eleven seconds, leads to the main menu.
void TitleScreen(Game& game);

}  // namespace kr
