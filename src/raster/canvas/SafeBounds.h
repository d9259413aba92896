// Bounds of things drawn far off a surface: their far edges are held inside
// the int range instead of overflowing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "Geometry.h"

// x + delta, held inside the int range.
inline int SaturatedAdd(int x, int delta) {
  const std::int64_t sum = std::int64_t{x} + delta;
  return static_cast<int>(std::clamp<std::int64_t>(sum, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

inline TRect SafeBounds(int x, int y, int width, int height) {
  return TRect{x, y, SaturatedAdd(x, width), SaturatedAdd(y, height)};
}
