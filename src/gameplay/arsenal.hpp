#pragma once
// The secondary weapons the pilot owns and the ship's own ability: choosing
// one, firing it when its cooldown is spent, and ending the timed effects.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// Weapons the pilot does not own are kept cooling down for ever.
void BlockUnownedWeapons(Game& game);
// Mouse button 2, Enter or joystick button 1 fires the selected weapon.
void TriggerSelectedWeapon(Game& game);
// Uses the weapon or ability now, if its cooldown is exactly 0.
void UseWeapon(Game& game, int selected);
void EndTimedEffects(Game& game);
void SelectWeaponKeys(Game& game);

}  // namespace kr::gameplay
