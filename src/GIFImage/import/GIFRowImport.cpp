#include "GIFRowImport.h"

#include <array>
#include <cstring>

#include "GIFDIB.h"

namespace {

// The colours of the last pixels and their table indices. A pixel's colour
// is first looked for among them, from the slot used last downwards; only a
// colour missing there is looked up in (or added to) the colour table.
class TRecentColors {
public:
  explicit TRecentColors(TImportColors& map) : FMap(map) {}

  int IndexOf(TColor color) {
    int j = FCurrent;
    do {
      const TSlot& slot = FSlots[static_cast<std::size_t>(j)];
      if (slot.Index < 0) break;
      if (slot.Color == color) {
        FCurrent = j;
        return slot.Index;
      }
      j = (j + SlotCount - 1) % SlotCount;
    } while (j != FCurrent);
    const int index = FMap.AddUniqueColor(color);
    FCurrent = (FCurrent + 1) % SlotCount;
    FSlots[static_cast<std::size_t>(FCurrent)] = {color, index};
    return index;
  }

private:
  static constexpr int SlotCount = 8;
  struct TSlot {
    TColor Color = 0;
    int Index = -1;
  };

  TImportColors& FMap;
  std::array<TSlot, SlotCount> FSlots{};
  int FCurrent = 0;
};

void ReadRow1(const std::uint8_t* row, std::uint8_t* pixels, int width) {
  for (int x = 0; x < width; ++x) pixels[x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
}

void ReadRow4(const std::uint8_t* row, std::uint8_t* pixels, int width) {
  for (int x = 0; x < width; ++x) pixels[x] = (x & 1) == 0 ? row[x >> 1] >> 4 : row[x >> 1] & 0x0F;
}

void ReadRow24(const std::uint8_t* row, std::uint8_t* pixels, int width, TRecentColors& recent) {
  for (int x = 0; x < width; ++x) {
    const std::uint8_t* bgr = row + 3 * x;
    pixels[x] = static_cast<std::uint8_t>(recent.IndexOf(RGB(bgr[2], bgr[1], bgr[0])));
  }
}

}  // namespace

bool IsIndexedFormat(TPixelFormat format) {
  return format == TPixelFormat::pf1bit || format == TPixelFormat::pf4bit || format == TPixelFormat::pf8bit;
}

void ReadImageRows(TBitmap& image, TPixelFormat format, const TIndexRows& rows, TImportColors& colors,
                   const TRowReport& report) {
  if (!IsIndexedFormat(format)) format = TPixelFormat::pf24bit;
  const TDIBReader reader(image, format);
  if (format == TPixelFormat::pf8bit)
    colors.TakeImageColorTable(image.Image());
  else if (format != TPixelFormat::pf24bit)
    colors.TakePalette(image.Palette());
  TRecentColors recent(colors);
  const int width = rows.Width;
  for (int y = 0; y < rows.Height; ++y) {
    report(y);
    const std::uint8_t* row = reader.ScanLine(y);
    std::uint8_t* pixels = rows.Pixels + static_cast<std::size_t>(y) * width;
    switch (format) {
      case TPixelFormat::pf1bit: ReadRow1(row, pixels, width); break;
      case TPixelFormat::pf4bit: ReadRow4(row, pixels, width); break;
      case TPixelFormat::pf8bit: std::memcpy(pixels, row, static_cast<std::size_t>(width)); break;
      default: ReadRow24(row, pixels, width, recent); break;
    }
  }
}
