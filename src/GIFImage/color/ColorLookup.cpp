#include "ColorLookup.h"

#include <cstdlib>

namespace {

// Larger than any distance of two colours (3 * 255), so the first entry
// examined always becomes the best so far.
constexpr int SearchBound = 0x30000;

int CellOf(const TPaletteEntry& entry) {
  return (entry.peRed >> 3) | ((entry.peGreen >> 3) << 5) | ((entry.peBlue >> 3) << 10);
}

}  // namespace

TFastColorLookup::TFastColorLookup(const TPalette& palette)
    : TColorLookup(palette.Count(), TLookupKind::Fast), FCells(CellCount, std::int16_t{-1}) {
  FEntries.reserve(static_cast<std::size_t>(palette.Count()));
  for (int i = 0; i < palette.Count(); ++i) {
    const TPaletteEntry& entry = palette.Entry(i);
    FEntries.push_back({static_cast<std::uint8_t>(i), entry.peRed, entry.peGreen, entry.peBlue});
    std::int16_t& cell = FCells[static_cast<std::size_t>(CellOf(entry))];
    if (cell < 0) cell = static_cast<std::int16_t>(i);
  }
}

TColorMatch TFastColorLookup::SearchCell(int cell, int red, int green, int blue) {
  // Without entries there is nothing to find: answer entry 0 as black and
  // leave the cell empty.
  if (FEntries.empty()) return {};
  int best = 0;
  int bestDistance = SearchBound;
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    const TColorMatch& e = FEntries[i];
    const int distance = std::abs(red - e.Red) + std::abs(green - e.Green) + std::abs(blue - e.Blue);
    if (distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
      // Nothing can beat an exact hit; stopping keeps the lowest such entry.
      if (distance == 0) break;
    }
  }
  FCells[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(best);
  return FEntries[static_cast<std::size_t>(best)];
}
