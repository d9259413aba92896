// PixelColors: the colours of an image's pixels, rows top to bottom and left
// to right, so tests can compare whole pictures in one assertion.
#pragma once

#include <vector>

#include "PixelImage.h"

inline std::vector<TColor> PixelColors(const TPixelImage& image) {
  std::vector<TColor> colors;
  colors.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) colors.push_back(image.GetPixel(x, y));
  return colors;
}
