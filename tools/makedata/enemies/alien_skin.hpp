#pragma once
// The skin every alien craft is painted with: one picture cut into swatches
// (shell plating, chitin, bare metal, glowing cores...) in the craft's own
// colours. Each modelled part maps its 0..1 texture square onto one swatch.

#include <cstdint>

#include <glm/glm.hpp>

#include "engine/image/image.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::enemies {

enum class Swatch : int {
    Shell = 0,  // the craft's main plating: domed scales with dark seams
    ShellDark,  // the same scales in the darker tone
    Under,      // ribbed chitin of bellies, joints and throats
    Metal,      // bare gunmetal panels with rivets (guns, struts)
    Accent,     // horn in the accent colour, streaked along v, pale at v = 1
    Vein,       // dark shell shot through with glowing veins
    Glow,       // a hot core: white in the middle, the glow colour outside
    Eye,        // a lens: rings of the glow colour round a white pupil
};
inline constexpr int kSwatchCount = 8;

inline int Slot(Swatch swatch) { return static_cast<int>(swatch); }
// Glowing swatches are drawn once more, unlit, by the game's glow pass.
inline bool Glows(int slot) { return slot >= Slot(Swatch::Vein); }

struct AlienPalette {
    glm::vec3 shell{0.3f};
    glm::vec3 shellDark{0.1f};
    glm::vec3 under{0.2f};
    glm::vec3 accent{0.8f, 0.2f, 0.1f};
    glm::vec3 glow{0.5f, 1.0f, 0.3f};
};

// Swatches lie in a grid of kSwatchColumns x kSwatchRows square cells.
inline constexpr int kSwatchColumns = 4;
inline constexpr int kSwatchRows = 2;

// The skin with cells of `cell` texels.
image::Image PaintAlienSkin(const AlienPalette& palette, std::uint32_t seed, int cell);

// Moves the surface's 0..1 texture coordinates into the swatch's cell
// (inset so that filtering stays inside it) and tags its triangles with it.
void OnSwatch(toolkit::Surface& surface, Swatch swatch);

}  // namespace kr::makedata::enemies
