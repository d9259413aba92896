#include "SystemPalettes.h"

namespace {

constexpr TPaletteEntry E(int r, int g, int b) {
  return TPaletteEntry{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 0};
}

TPalette MakeHalftone() {
  const auto& system = DefaultSystemPalette().Entries();
  std::vector<TPaletteEntry> entries(system.begin(), system.begin() + 10);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) entries.push_back(E(51 * r, 51 * g, 51 * b));
  for (int k = 1; k <= 20; ++k) {
    const int v = (k * 255 + 10) / 21;
    entries.push_back(E(v, v, v));
  }
  entries.insert(entries.end(), system.begin() + 10, system.end());
  return TPalette(std::move(entries));
}

}  // namespace

const TPalette& DefaultSystemPalette() {
  static const TPalette palette({
      E(0, 0, 0),       E(128, 0, 0),     E(0, 128, 0),     E(128, 128, 0),   E(0, 0, 128),
      E(128, 0, 128),   E(0, 128, 128),   E(192, 192, 192), E(192, 220, 192), E(166, 202, 240),
      E(255, 251, 240), E(160, 160, 164), E(128, 128, 128), E(255, 0, 0),     E(0, 255, 0),
      E(255, 255, 0),   E(0, 0, 255),     E(255, 0, 255),   E(0, 255, 255),   E(255, 255, 255),
  });
  return palette;
}

const TPalette& StandardColorPalette() {
  static const TPalette palette({
      E(0, 0, 0),       E(128, 0, 0),   E(0, 128, 0),   E(128, 128, 0), E(0, 0, 128),   E(128, 0, 128),
      E(0, 128, 128),   E(192, 192, 192), E(128, 128, 128), E(255, 0, 0), E(0, 255, 0), E(255, 255, 0),
      E(0, 0, 255),     E(255, 0, 255), E(0, 255, 255), E(255, 255, 255),
  });
  return palette;
}

const TPalette& HalftonePalette() {
  static const TPalette palette = MakeHalftone();
  return palette;
}
