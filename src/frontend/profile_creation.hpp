#pragma once
// The new pilot's name entry: a modal loop of its own frames that ends only
// when a name is confirmed, and then creates the pilot.

#include <string>

namespace kr {
struct Game;
}

namespace kr::frontend {

inline constexpr int kMaxTypedCharacters = 16;

// What the keyboard typed into a name: letters, digits, spaces; Backspace
// empties the name. A held key repeats every 125 ms.
struct NameEntry {
    std::string NameBuffer;
    int TypedCount = 0;
    double KeyDelay = 0;
};

// Takes the keys held in this frame into `entry`.
void TypeName(Game& game, NameEntry& entry);

// Runs the entry until Enter confirms a non-empty name; the pilot is then
// created in the lowest empty slot. Needs an empty slot.
void ProfileCreationScreen(Game& game);

}  // namespace kr::frontend
