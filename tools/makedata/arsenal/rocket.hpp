#pragma once
// The homing rocket: a lit, painted missile with its nose along +y (the
// game turns it so that +y points forward) and cross fins at the tail.

#include "engine/model/model.hpp"

namespace kr::makedata::arsenal {

// Half the rocket's length in model units (the game draws it at 0.4).
inline constexpr float kRocketHalfLength = 30.0f;

model::Model RocketModel();

}  // namespace kr::makedata::arsenal
