#include "GIFDIB.h"

#include <new>
#include <vector>

#include "Exception.h"
#include "GIFException.h"
#include "GIFMessages.h"
#include "SurfaceMessages.h"

namespace {

int BitsOf(TPixelFormat format) { return format == TPixelFormat::pf8bit ? 8 : 24; }

// The 256 colour-table entries of an 8-bit image: the palette's entries with
// their flags dropped, as a BMP colour table stores them, then black.
std::vector<TPaletteEntry> ColorTableOf(const std::optional<TPalette>& palette) {
  std::vector<TPaletteEntry> table(MaxPaletteEntries);
  if (palette)
    for (int i = 0; i < palette->Count(); ++i) {
      const TPaletteEntry& entry = palette->Entry(i);
      table[static_cast<std::size_t>(i)] = TPaletteEntry{entry.peRed, entry.peGreen, entry.peBlue, 0};
    }
  return table;
}

}  // namespace

TDIBWriter::TDIBWriter(TBitmap& bitmap, std::optional<TPalette> palette, int width, int height, TPixelFormat format)
    : TDIB(bitmap, format), FPalette(std::move(palette)), FWidth(width), FHeight(height) {
  if (format != TPixelFormat::pf8bit && format != TPixelFormat::pf24bit) throw GIFException(sUnsupportedBitmap);
  if (width < 1 || height < 1) throw GIFException(sBadDimension);
}

void TDIBWriter::MakeImage() {
  try {
    std::vector<TPaletteEntry> table;
    if (PixelFormat() == TPixelFormat::pf8bit) table = ColorTableOf(FPalette);
    FImage.emplace(FWidth, FHeight, BitsOf(PixelFormat()), std::move(table));
  } catch (const EOutOfResources&) {
    throw EOutOfMemory(sOutOfMemDIB);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(sOutOfMemDIB);
  }
}

std::uint8_t* TDIBWriter::RowAddress(int row) {
  if (!FImage && !FFinished) MakeImage();
  if (!FImage) throw GIFException(sNoDIB);
  if (row < 0 || row >= FHeight) throw EInvalidGraphicOperation(SScanLineOutOfRange);
  return FImage->ScanLine(row);
}

void TDIBWriter::Finish() {
  if (!FImage) return;
  TPixelImage image = std::move(*FImage);
  FImage.reset();
  FFinished = true;
  Bitmap().SetImage(std::move(image), false);
}

TDIBReader::TDIBReader(TBitmap& bitmap, TPixelFormat format) : TDIB(bitmap, format) {
  if (format == TPixelFormat::pfDevice || format == TPixelFormat::pfCustom) throw GIFException(sUnsupportedBitmap);
  bitmap.SetPixelFormat(format);
}

const std::uint8_t* TDIBReader::ScanLine(int row) const { return static_cast<const TBitmap&>(Bitmap()).ScanLine(row); }
