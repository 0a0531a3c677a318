#pragma once
// Noise patterns shared by every ship skin: all skins have the same layout,
// so one set of patterns serves the five ships and their wear levels.

#include "toolkit/field.hpp"

namespace kr::makedata::ships {

struct SkinPatterns {
    int size = 0;
    toolkit::Field mottle;     // broad variation of the paint, 0..1
    toolkit::Field grime;      // where dirt gathers, 0..1
    toolkit::Field streaks;    // soot streaks running down the texture (along y), 0..1
    toolkit::Field scratches;  // thin scratch lines, 0..1
    toolkit::Field chips;      // fine noise that decides where paint flakes off, 0..1
    toolkit::Field dents;      // height of dents, 0 flat .. 1 deepest
    toolkit::Field scorch;     // broad burn blotches, 0..1
};

// The patterns for square skins of `size` texels.
SkinPatterns MakeSkinPatterns(int size);

}  // namespace kr::makedata::ships
