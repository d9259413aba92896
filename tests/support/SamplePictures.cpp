#include "SamplePictures.h"

#include <algorithm>
#include <cmath>
#include <random>

TBytes PhotoLikeIndices(int width, int height, int colors, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> noise(-6, 6);
  TBytes indices(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double field = 0.5 + 0.25 * std::sin(x / 41.0 + y / 97.0) + 0.2 * std::cos(y / 29.0 - x / 113.0);
      const int value = static_cast<int>(field * colors) + noise(random);
      indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(std::clamp(value, 0, colors - 1));
    }
  }
  return indices;
}

TBytes FlatIndices(int width, int height, int colors) {
  TBytes indices(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int value = 0;
      if (x > width / 8 && x < width / 2 && y > height / 8 && y < height / 3) value = 1;
      const int dx = x - 2 * width / 3;
      const int dy = y - 2 * height / 3;
      if (dx * dx + dy * dy < width * height / 16) value = 2 % colors;
      if ((y / 64) % 4 == 3 && x < width / 3) value = 3 % colors;
      indices[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(value);
    }
  }
  return indices;
}

std::vector<std::uint32_t> SpreadColors(int count) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < count; ++i) colors.push_back(static_cast<std::uint32_t>(i) * 0x9E3779u & 0xFFFFFFu);
  return colors;
}
