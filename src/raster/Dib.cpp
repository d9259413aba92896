#include "Dib.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "Exception.h"
#include "PixelMemory.h"
#include "PlatformMessages.h"

namespace {

bool IsSupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// Masks used when a 16 or 32-bit image carries no bit fields of its own.
TBitFields DefaultFields(int bitCount) {
  if (bitCount == 16) return {0x7C00, 0x03E0, 0x001F};
  return {0xFF0000, 0x00FF00, 0x0000FF};
}

// One channel out of packed pixel bits, scaled to 0..255; a zero mask gives 0.
std::uint8_t ExtractChannel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t value = (pixel & mask) >> shift;
  const std::uint32_t maximum = mask >> shift;
  if (maximum == 0xFF) return static_cast<std::uint8_t>(value);
  return static_cast<std::uint8_t>((static_cast<std::uint64_t>(value) * 255 + maximum / 2) / maximum);
}

std::uint32_t PackChannel(std::uint8_t channel, std::uint32_t mask) {
  if (mask == 0) return 0;
  const int shift = std::countr_zero(mask);
  const std::uint32_t maximum = mask >> shift;
  const auto value = static_cast<std::uint32_t>((static_cast<std::uint64_t>(channel) * maximum + 127) / 255);
  return (value << shift) & mask;
}

}  // namespace

std::int64_t TDib::RowBytesFor(std::int64_t width, int bitCount) {
  return ((width * bitCount + 31) / 32) * 4;
}

TDib::TDib(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
           std::optional<TBitFields> bitFields)
    : FWidth(width), FHeight(height), FBitCount(bitCount), FBitFields(bitFields), FColorTable(std::move(colorTable)) {
  if (width < 0 || height < 0 || !IsSupportedDepth(bitCount) || FColorTable.size() > MaxPaletteEntries ||
      static_cast<std::int64_t>(width) * height > MaxDibPixels)
    throw EOutOfResources(SOutOfResources);
  const std::int64_t rowBytes = RowBytesFor(width, bitCount);
  if (rowBytes > std::numeric_limits<int>::max()) throw EOutOfResources(SOutOfResources);
  FRowBytes = static_cast<int>(rowBytes);
  AllocatePixels(FBits, static_cast<std::size_t>(rowBytes * height));
}

void TDib::SetColorTable(std::vector<TPaletteEntry> colorTable) {
  if (colorTable.size() > MaxPaletteEntries) throw EOutOfResources(SOutOfResources);
  FColorTable = std::move(colorTable);
}

std::uint32_t TDib::GetRaw(int x, int y) const {
  const std::uint8_t* row = ScanLine(y);
  switch (FBitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0Fu;
    case 8: return row[x];
    case 16: return row[2 * x] | (row[2 * x + 1] << 8);
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    default:
      return static_cast<std::uint32_t>(row[4 * x]) | (static_cast<std::uint32_t>(row[4 * x + 1]) << 8) |
             (static_cast<std::uint32_t>(row[4 * x + 2]) << 16) | (static_cast<std::uint32_t>(row[4 * x + 3]) << 24);
  }
}

void TDib::SetRaw(int x, int y, std::uint32_t value) {
  std::uint8_t* row = ScanLine(y);
  switch (FBitCount) {
    case 1: {
      const auto bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
      row[x >> 3] = static_cast<std::uint8_t>((value & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
      break;
    }
    case 4: {
      const int shift = (x & 1) ? 0 : 4;
      row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(0x0F << shift)) | ((value & 0x0F) << shift));
      break;
    }
    case 8: row[x] = static_cast<std::uint8_t>(value); break;
    case 16:
      row[2 * x] = static_cast<std::uint8_t>(value);
      row[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
      break;
    case 24:
      row[3 * x] = static_cast<std::uint8_t>(value);
      row[3 * x + 1] = static_cast<std::uint8_t>(value >> 8);
      row[3 * x + 2] = static_cast<std::uint8_t>(value >> 16);
      break;
    default:
      for (int i = 0; i < 4; ++i) row[4 * x + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

TColor TDib::GetPixel(int x, int y) const {
  const std::uint32_t raw = GetRaw(x, y);
  if (FBitCount <= 8) {
    // An index past the table's end shows as black, as a display would.
    if (raw >= FColorTable.size()) return clBlack;
    const TPaletteEntry& e = FColorTable[raw];
    return RGB(e.peRed, e.peGreen, e.peBlue);
  }
  if (FBitCount == 24 || (FBitCount == 32 && !FBitFields))
    return RGB(static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 8), static_cast<std::uint8_t>(raw));
  const TBitFields fields = FBitFields.value_or(DefaultFields(FBitCount));
  return RGB(ExtractChannel(raw, fields.Red), ExtractChannel(raw, fields.Green), ExtractChannel(raw, fields.Blue));
}

void TDib::SetPixel(int x, int y, TColor color) {
  const TColor rgb = ColorToRGB(color);
  if (FBitCount <= 8) {
    SetRaw(x, y, static_cast<std::uint32_t>(std::max(0, NearestIndex(rgb))));
    return;
  }
  const std::uint8_t r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  if (FBitCount == 24 || (FBitCount == 32 && !FBitFields)) {
    SetRaw(x, y, static_cast<std::uint32_t>(b) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(r) << 16));
    return;
  }
  const TBitFields fields = FBitFields.value_or(DefaultFields(FBitCount));
  SetRaw(x, y, PackChannel(r, fields.Red) | PackChannel(g, fields.Green) | PackChannel(b, fields.Blue));
}

int TDib::NearestIndex(TColor color) const {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  int best = -1;
  int bestDistance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < FColorTable.size(); ++i) {
    const TPaletteEntry& e = FColorTable[i];
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

TPixelFormat TDib::PixelFormat() const {
  switch (FBitCount) {
    case 1: return TPixelFormat::pf1bit;
    case 4: return TPixelFormat::pf4bit;
    case 8: return TPixelFormat::pf8bit;
    case 24: return TPixelFormat::pf24bit;
    case 16:
      if (!FBitFields) return TPixelFormat::pf15bit;
      if (*FBitFields == TBitFields{0xF800, 0x07E0, 0x001F}) return TPixelFormat::pf16bit;
      return TPixelFormat::pfCustom;
    case 32: return FBitFields ? TPixelFormat::pfCustom : TPixelFormat::pf32bit;
    default: return TPixelFormat::pfCustom;
  }
}
