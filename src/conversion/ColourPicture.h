// TColourPicture: a full-colour picture in plain memory, one TColor per
// pixel, rows top to bottom. The composed frames live in it between
// composition, scaling and black and white.
#pragma once

#include <cstddef>
#include <vector>

#include "Color.h"

struct TColourPicture {
  int Width = 0;
  int Height = 0;
  std::vector<TColor> Pixels;

  TColourPicture() = default;
  TColourPicture(int width, int height, TColor fill)
      : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}
  TColor* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width); }
  const TColor* Row(int y) const { return Pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(Width); }
};
