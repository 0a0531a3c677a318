#pragma once
// The small screens off the main menu: help pages, credits, the exit
// confirmation and the version screen.

namespace kr {
struct Game;
}

namespace kr::frontend {

void HelpScreen(Game& game);
// Reads help page `page` of the current language and its picture "help_tex".
void ShowHelpPage(Game& game, int page);
void CreditsScreen(Game& game);
// A click returns to the menu; Escape ends the program after a fade.
void ExitScreen(Game& game);
void VersionScreen(Game& game);

}  // namespace kr::frontend
