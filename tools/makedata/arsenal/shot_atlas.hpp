#pragma once
// The one picture a shot model carries: a bolt, an orb, a glowing band and
// a flare, painted in one weapon's colours, and the cards and rings that
// show them. Shots are drawn unlit and alpha-blended, so the picture is all
// they look like.

#include <string>

#include "arsenal/glow_paint.hpp"
#include "engine/model/model.hpp"
#include "toolkit/sprite_cards.hpp"
#include "toolkit/surface.hpp"

namespace kr::makedata::arsenal {

struct ShotAtlas {
    Canvas canvas;
    toolkit::UvRect bolt, orb, band, flare;
};

ShotAtlas PaintShotAtlas(const GlowLook& look);

// A surface of glowing parts and its atlas as a model with one alpha-blended,
// emissive material.
model::Model ShotModel(const std::string& name, const toolkit::Surface& parts, const ShotAtlas& atlas);

// A ring of glow round the z axis (gauss coils, plasma halos).
toolkit::Surface GlowRing(glm::vec3 centre, float radius, float thickness, const toolkit::UvRect& band);

}  // namespace kr::makedata::arsenal
