#include "GIFColorMap.h"

#include <algorithm>

#include "GIFException.h"
#include "GIFHeader.h"
#include "GIFDocument.h"
#include "GIFImageList.h"
#include "GIFMessages.h"
#include "GIFSubImage.h"
#include "PixelImage.h"

namespace {

TGIFColor ToEntry(TColor color) { return {GetRValue(color), GetGValue(color), GetBValue(color)}; }

}  // namespace

void TGIFColorMap::Clear() {
  FEntries.clear();
  FEntries.shrink_to_fit();
  FCapacity = 0;
  FIsSorted = false;
}

void TGIFColorMap::Reserve(int needed) {
  if (needed <= FCapacity) return;
  FCapacity = needed <= 16 ? 16 : std::min(MaxGIFColors, (needed + 31) / 32 * 32);
  FEntries.reserve(static_cast<std::size_t>(FCapacity));
}

void TGIFColorMap::TakeEntries(const std::vector<TGIFColor>& entries) {
  if (entries.size() > MaxGIFColors) throw GIFException(sTooManyColors);
  Clear();
  Reserve(static_cast<int>(entries.size()));
  FEntries.insert(FEntries.end(), entries.begin(), entries.end());
}

int TGIFColorMap::IndexOfColor(TColor color) const {
  const TGIFColor wanted = ToEntry(color);
  if (FIsSorted) {
    const auto at = std::find(FEntries.begin(), FEntries.end(), wanted);
    return at == FEntries.end() ? -1 : static_cast<int>(at - FEntries.begin());
  }
  for (int i = Count() - 1; i >= 0; --i)
    if (FEntries[static_cast<std::size_t>(i)] == wanted) return i;
  return -1;
}

int TGIFColorMap::AddColor(TColor color) {
  if (Count() >= MaxGIFColors) throw GIFException(sTooManyColors);
  Reserve(Count() + 1);
  FEntries.push_back(ToEntry(color));
  FIsSorted = false;
  Changed();
  return Count() - 1;
}

int TGIFColorMap::AddUniqueColor(TColor color) {
  const int index = IndexOfColor(color);
  return index >= 0 ? index : AddColor(color);
}

TColor TGIFColorMap::ColorAt(int index) {
  if (index < 0 || index >= Count()) {
    ReportWarning(WarningSeverity, sBadColorIndex);
    if (FEntries.empty()) throw GIFException(sEmptyColorMap);
    index = 0;
  }
  const TGIFColor& entry = FEntries[static_cast<std::size_t>(index)];
  return RGB(entry.Red, entry.Green, entry.Blue);
}

void TGIFColorMap::Delete(int index) {
  if (index < 0 || index >= Count()) throw GIFException(sBadColorIndex);
  FEntries.erase(FEntries.begin() + index);
  FIsSorted = false;
  Changed();
}

int TGIFColorMap::BitsPerPixel() const {
  if (FEntries.empty()) return 0;
  int bits = 1;
  while ((1 << bits) < Count()) ++bits;
  return bits;
}

void TGIFColorMap::Assign(const TGIFColorMap& source) {
  if (&source == this) return;
  FEntries = source.FEntries;
  FCapacity = source.FCapacity;
  FEntries.reserve(static_cast<std::size_t>(FCapacity));
  FIsSorted = source.FIsSorted;
}

std::optional<TPalette> TGIFColorMap::MakePalette() const {
  if (FEntries.empty()) return std::nullopt;
  std::vector<TPaletteEntry> entries;
  entries.reserve(FEntries.size());
  for (const TGIFColor& c : FEntries) entries.push_back({c.Red, c.Green, c.Blue, PC_NOCOLLAPSE});
  return TPalette(std::move(entries));
}

// Tables made from the palettes and colour tables of bitmaps, the way an
// imported bitmap hands its colours to its frame.
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

void TGIFGlobalColorMap::Changed() {
  if (FHeader != nullptr && FHeader->Image() != nullptr) FHeader->Image()->DropPalette();
}

void TGIFLocalColorMap::Changed() {
  if (FSubImage != nullptr) FSubImage->DropPalette();
}

void TGIFGlobalColorMap::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FHeader != nullptr && FHeader->Image() != nullptr) FHeader->Image()->Warning(this, severity, message);
}

void TGIFLocalColorMap::ReportWarning(std::uint8_t severity, const std::string& message) {
  if (FSubImage != nullptr && FSubImage->Image() != nullptr) FSubImage->Image()->Warning(this, severity, message);
}
