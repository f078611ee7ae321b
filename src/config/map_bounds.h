// The map's bounds in pixels, as the loaders, the view and the bots keep to them.
#pragma once

namespace config {

// Positions, spawn points and the view's limits stay below this on both axes.
inline constexpr int kMapPixelLimit = 8192;
// Roaming zones and chase points keep this far inside the edges.
inline constexpr int kZoneMin = 100;
inline constexpr int kZoneMax = kMapPixelLimit - kZoneMin;

}  // namespace config
