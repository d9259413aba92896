#include "PixelTraits.h"

#include <limits>

int NearestTableIndex(const std::vector<TPaletteEntry>& table, TColor rgb) {
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const TPaletteEntry& e = table[i];
    const int dr = r - e.peRed, dg = g - e.peGreen, db = b - e.peBlue;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
      if (distance == 0) break;
    }
  }
  return best;
}
