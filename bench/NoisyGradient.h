// The 1024 x 1024 24-bit picture that the colour benchmarks share: a colour
// gradient with noise in every pixel, so that no two neighbours match and
// every lookup and cache is exercised.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>

#include "PixelImage.h"

inline constexpr int NoisyGradientSide = 1024;
inline constexpr std::int64_t NoisyGradientPixels = std::int64_t{NoisyGradientSide} * NoisyGradientSide;

inline const TPixelImage& NoisyGradient() {
  static const TPixelImage picture = [] {
    TPixelImage dib(NoisyGradientSide, NoisyGradientSide, 24);
    std::mt19937 random(1);
    for (int y = 0; y < NoisyGradientSide; ++y) {
      std::uint8_t* p = dib.ScanLine(y);
      for (int x = 0; x < NoisyGradientSide; ++x, p += 3) {
        const int noise = static_cast<int>(random() % 48) - 24;
        p[0] = static_cast<std::uint8_t>(std::clamp((x + y) / 8 + noise, 0, 255));
        p[1] = static_cast<std::uint8_t>(std::clamp(y / 4 - noise, 0, 255));
        p[2] = static_cast<std::uint8_t>(std::clamp(x / 4 + noise, 0, 255));
      }
    }
    return dib;
  }();
  return picture;
}
