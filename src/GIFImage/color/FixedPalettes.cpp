#include "FixedPalettes.h"

#include <initializer_list>

#include "SystemPalettes.h"

namespace {

TPaletteEntry Gray(int level, std::uint8_t flags) {
  const auto v = static_cast<std::uint8_t>(level);
  return {v, v, v, flags};
}

TPalette GrayLevels(std::initializer_list<int> levels) {
  std::vector<TPaletteEntry> entries;
  for (int level : levels) entries.push_back(Gray(level, PC_NOCOLLAPSE));
  return TPalette(std::move(entries));
}

}  // namespace

TPalette CubePalette() {
  std::vector<TPaletteEntry> entries;
  entries.reserve(216);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b)
        entries.push_back({static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                           static_cast<std::uint8_t>(51 * b), 0});
  return TPalette(std::move(entries));
}

TPalette FourGrayPalette() { return GrayLevels({0, 128, 192, 255}); }

TPalette BlackWhitePalette() { return GrayLevels({0, 255}); }

TPalette GrayScalePalette() {
  std::vector<TPaletteEntry> entries;
  entries.reserve(256);
  for (int i = 0; i < 256; ++i) entries.push_back(Gray(i, PC_NOCOLLAPSE));
  return TPalette(std::move(entries));
}

std::optional<TPalette> FixedPalette(std::uint8_t method) {
  switch (method) {
    case 1: return DefaultSystemPalette();
    case 2: return HalftonePalette();
    case 3: return FourGrayPalette();
    case 4: return BlackWhitePalette();
    case 5: return GrayScalePalette();
    case 6: return CubePalette();
    default: return std::nullopt;
  }
}
