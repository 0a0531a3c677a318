#include "ships/skin_wear.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/error.hpp"
#include "toolkit/gradients.hpp"
#include "toolkit/palette.hpp"

namespace kr::makedata::ships {
namespace {

using toolkit::SurfaceMaps;
using toolkit::View;
using toolkit::ViewAtlas;

using toolkit::Colour;
using toolkit::SmoothStep;

const glm::vec3 kDirt{0.085f, 0.078f, 0.07f};
const glm::vec3 kBareMetal{0.66f, 0.68f, 0.7f};
const glm::vec3 kPrimer{0.3f, 0.31f, 0.3f};
const glm::vec3 kSoot{0.035f, 0.03f, 0.028f};
const glm::vec3 kTemperTint{0.22f, 0.12f, 0.3f};
using toolkit::palette::kEmber;

// How strongly each kind of damage shows at each level.
struct WearAmounts {
    float dirt;
    float scratches;
    float soot;
    float chips;   // threshold shift: more flakes as it rises
    float dents;
    float scorch;
    float holes;
};

constexpr WearAmounts kAmounts[kWearLevels] = {
    {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.45f, 0.5f, 0.25f, 0.0f, 0.0f, 0.0f, 0.0f},
    {0.65f, 0.75f, 0.6f, 0.5f, 0.3f, 0.25f, 0.0f},
    {0.8f, 0.9f, 0.8f, 0.75f, 0.7f, 0.6f, 0.0f},
    {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f},
};

// The streak pattern runs along y; on the side views the ship's length runs
// along x, so the pattern is read across.
float StreakAt(const SkinPatterns& p, View view, int x, int y) {
    const bool lengthAcross = view == View::Left || view == View::Right;
    return lengthAcross ? p.streaks.At(y, x) : p.streaks.At(x, y);
}

// Light and shade of the dents, from the slope of their height.
float DentShade(const SkinPatterns& p, int x, int y, float amount) {
    const auto h = [&](int dx, int dy) { return p.dents.At(x + dx, y + dy, toolkit::Edge::Clamp); };
    const float slope = (h(1, 0) - h(-1, 0)) + (h(0, 1) - h(0, -1));
    return 1.0f + amount * 1.4f * slope;
}

glm::vec3 WearTexel(glm::vec3 c, const SurfaceMaps& maps, const CleanSkin& clean, const SkinPatterns& p,
                    const WearAmounts& a, int x, int y) {
    const std::size_t i = maps.Index(x, y);
    const Part part = static_cast<Part>(maps.slot[i]);
    const View view = static_cast<View>(maps.view[i]);
    const bool glass = part == Part::Canopy;
    const float seam = clean.seams.values()[i];
    const float grime = p.grime.values()[i];
    const float scorch = p.scorch.values()[i];
    // Dirt gathers in the seams and in patches.
    const float dirt = SmoothStep(1.0f - 0.75f * a.dirt, 1.25f - 0.75f * a.dirt, grime + 0.6f * seam);
    c = glm::mix(c, kDirt, dirt * 0.65f * a.dirt);
    if (!glass) {
        const float flakes = SmoothStep(0.9f - 0.25f * a.chips, 0.95f - 0.25f * a.chips, p.chips.values()[i] * 0.8f + 0.6f * seam);
        c = glm::mix(c, kPrimer, a.chips > 0.0f ? flakes : 0.0f);
        c = glm::mix(c, kBareMetal, p.scratches.values()[i] * a.scratches * 0.7f);
    } else {
        c = glm::mix(c, glm::vec3(0.55f, 0.6f, 0.65f), p.scratches.values()[i] * a.scratches * 0.35f);
    }
    const float soot = SmoothStep(0.85f - 0.35f * a.soot, 1.0f - 0.2f * a.soot, StreakAt(p, view, x, y)) * a.soot;
    c *= 1.0f - 0.7f * soot;
    if (a.dents > 0.0f && !glass) {
        const float cluster = SmoothStep(0.75f - 0.35f * a.dents, 0.85f - 0.35f * a.dents, 1.0f - grime * 0.5f - scorch * 0.5f + 0.25f);
        c *= DentShade(p, x, y, a.dents * cluster);
    }
    if (a.scorch > 0.0f) {
        const float burn = SmoothStep(0.92f - 0.3f * a.scorch, 1.0f - 0.25f * a.scorch, scorch);
        const float rim = 4.0f * burn * (1.0f - burn);
        c = glm::mix(c, kSoot, burn * 0.92f) + kTemperTint * rim * 0.4f * a.scorch;
    }
    if (a.holes > 0.0f && !glass) {
        const float hole = SmoothStep(0.86f, 0.89f, scorch) * SmoothStep(0.35f, 0.42f, p.chips.values()[i]);
        const float rim = 4.0f * hole * (1.0f - hole);
        c = glm::mix(c, glm::vec3(0.012f, 0.01f, 0.01f), hole) + kEmber * rim * 0.9f * a.holes;
    }
    return c * (1.0f - 0.05f * a.dirt);
}

}  // namespace

toolkit::Canvas WornSkin(const CleanSkin& clean, const SurfaceMaps& maps, const SkinPatterns& patterns, int level) {
    if (level < 0 || level >= kWearLevels) throw Error("ship skin: no wear level " + std::to_string(level));
    toolkit::Canvas worn = clean.colour;
    if (level == 0) return worn;
    const WearAmounts& amounts = kAmounts[level];
    const int size = maps.size;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::size_t i = maps.Index(x, y);
            if (maps.slot[i] < 0 || !OnViews(static_cast<Part>(maps.slot[i]))) continue;
            Colour& texel = worn.At(x, y);
            texel = Colour(WearTexel(glm::vec3(texel), maps, clean, patterns, amounts, x, y), 1.0f);
        }
    return worn;
}

}  // namespace kr::makedata::ships
