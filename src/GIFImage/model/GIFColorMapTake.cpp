// Colour tables made from the palettes and colour tables of bitmaps, the
// way an imported bitmap hands its colours to its frame.
#include <algorithm>
#include <vector>

#include "PixelImage.h"
#include "GIFColorMap.h"

void TGIFColorMap::TakePalette(const TPalette& palette) {
  Clear();
  const int count = std::min(palette.Count(), MaxGIFColors);
  if (count == 0) return;
  Reserve(count);
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& entry = palette.Entry(i);
    FEntries.push_back({entry.peRed, entry.peGreen, entry.peBlue});
  }
  Changed();
}

void TGIFColorMap::TakeColorTable(const TRGBQuad* entries, int count) {
  Clear();
  count = std::clamp(count, 0, MaxGIFColors);
  if (count == 0) return;
  Reserve(count);
  for (int i = 0; i < count; ++i) FEntries.push_back({entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue});
  Changed();
}

void TGIFColorMap::TakeImageColorTable(const TPixelImage& image) {
  Clear();
  const std::vector<TPaletteEntry>& table = image.ColorTable();
  std::vector<TRGBQuad> quads;
  quads.reserve(table.size());
  for (std::size_t i = 0; i < table.size() && i < MaxGIFColors; ++i)
    quads.push_back({table[i].peBlue, table[i].peGreen, table[i].peRed, 0});
  TakeColorTable(quads.data(), static_cast<int>(quads.size()));
  // An image without colours still counts as a change of the table.
  if (quads.empty()) Changed();
}
