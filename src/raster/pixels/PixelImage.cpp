#include "PixelImage.h"

#include <limits>

#include "Exception.h"
#include "PixelMemory.h"
#include "PixelTraits.h"
#include "PlatformMessages.h"
#include "RowCodec.h"

namespace {

bool IsSupportedDepth(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

}  // namespace

std::int64_t TPixelImage::RowBytesFor(std::int64_t width, int bitCount) {
  return ((width * bitCount + 31) / 32) * 4;
}

TPixelImage::TPixelImage(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
           std::optional<TBitFields> bitFields)
    : TPixelImage(width, height, bitCount, std::move(colorTable), bitFields, TPixelFill::pfZero) {}

TPixelImage TPixelImage::Unfilled(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
                    std::optional<TBitFields> bitFields) {
  return TPixelImage(width, height, bitCount, std::move(colorTable), bitFields, TPixelFill::pfLeaveUnset);
}

TPixelImage::TPixelImage(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
           std::optional<TBitFields> bitFields, TPixelFill fill)
    : FWidth(width), FHeight(height), FBitCount(bitCount), FBitFields(bitFields), FColorTable(std::move(colorTable)) {
  if (width < 0 || height < 0 || !IsSupportedDepth(bitCount) || FColorTable.size() > MaxPaletteEntries ||
      static_cast<std::int64_t>(width) * height > MaxDibPixels)
    throw EOutOfResources(SOutOfResources);
  const std::int64_t rowBytes = RowBytesFor(width, bitCount);
  if (rowBytes > std::numeric_limits<int>::max()) throw EOutOfResources(SOutOfResources);
  FRowBytes = static_cast<int>(rowBytes);
  AllocatePixels(FBits, static_cast<std::size_t>(rowBytes * height), fill);
}

void TPixelImage::SetColorTable(std::vector<TPaletteEntry> colorTable) {
  if (colorTable.size() > MaxPaletteEntries) throw EOutOfResources(SOutOfResources);
  FColorTable = std::move(colorTable);
}

std::uint32_t TPixelImage::GetRaw(int x, int y) const {
  return WithPixelLayout(FBitCount, [&](auto layout) { return decltype(layout)::Get(ScanLine(y), x); });
}

void TPixelImage::SetRaw(int x, int y, std::uint32_t value) {
  WithPixelLayout(FBitCount, [&](auto layout) { decltype(layout)::Put(ScanLine(y), x, value); });
}

TColor TPixelImage::GetPixel(int x, int y) const {
  TColor color = clBlack;
  TRowCodec(*this).Decode(ScanLine(y), x, 1, &color);
  return color;
}

void TPixelImage::SetPixel(int x, int y, TColor color) {
  const TColor rgb = ColorToRGB(color);
  TRowCodec(*this).Encode(ScanLine(y), x, 1, &rgb);
}

int TPixelImage::NearestIndex(TColor color) const { return NearestTableIndex(FColorTable, color); }

TPixelFormat TPixelImage::PixelFormat() const {
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
