#pragma once
// The game's colours as the art direction names them (display values 0..1),
// shared by every picture and skin the generator paints.

#include <glm/vec3.hpp>

namespace kr::toolkit::palette {
inline constexpr glm::vec3 kDeep{0.02f, 0.03f, 0.06f};
inline constexpr glm::vec3 kFog{0.2f, 0.2f, 0.3f};
inline constexpr glm::vec3 kMetalDark{0.35f, 0.38f, 0.42f};
inline constexpr glm::vec3 kMetalLight{0.70f, 0.72f, 0.75f};
inline constexpr glm::vec3 kCrimson{0.85f, 0.15f, 0.12f};
inline constexpr glm::vec3 kEmber{1.0f, 0.45f, 0.2f};
inline constexpr glm::vec3 kWarning{1.0f, 0.3f, 0.3f};
inline constexpr glm::vec3 kEngine{0.5f, 0.8f, 1.0f};
inline constexpr glm::vec3 kAcid{0.55f, 1.0f, 0.3f};
inline constexpr glm::vec3 kMagenta{0.95f, 0.3f, 0.9f};
inline constexpr glm::vec3 kHealth{0.35f, 0.95f, 0.45f};
inline constexpr glm::vec3 kGold{1.0f, 0.78f, 0.35f};
inline constexpr glm::vec3 kInk{0.025f, 0.025f, 0.035f};
}  // namespace kr::toolkit::palette
