#pragma once
// What a placed object is, as bits a query can select.

#include <cstdint>

namespace kr::collision {

using KindMask = std::uint32_t;

namespace kind {
inline constexpr KindMask Mesh = 1u << 0;       // placed static meshes
inline constexpr KindMask Landscape = 1u << 1;  // the height field
inline constexpr KindMask Animated = 1u << 2;   // posed animated models
inline constexpr KindMask All = ~KindMask{0};
}  // namespace kind

}  // namespace kr::collision
