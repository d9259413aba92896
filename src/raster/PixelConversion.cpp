#include "PixelConversion.h"

#include <algorithm>

#include "RowCodec.h"

namespace {

// Decodes each source row, lets transform rework the colours, and stores them
// in the same row of the target.
template <class Transform>
void ConvertRows(const TPixelImage& source, TPixelImage& target, Transform&& transform) {
  const TRowCodec reader(source);
  TRowCodec writer(target);
  std::vector<TColor> colors(static_cast<std::size_t>(source.Width()));
  for (int y = 0; y < source.Height(); ++y) {
    reader.Decode(source.ScanLine(y), 0, source.Width(), colors.data());
    transform(colors);
    writer.Encode(target.ScanLine(y), 0, source.Width(), colors.data());
  }
}

}  // namespace

std::vector<TPaletteEntry> BlackWhiteTable() { return {TPaletteEntry{0, 0, 0, 0}, TPaletteEntry{255, 255, 255, 0}}; }

TPixelImage ConvertImage(const TPixelImage& source, int bitCount, std::vector<TPaletteEntry> colorTable,
                  std::optional<TBitFields> bitFields) {
  TPixelImage target(source.Width(), source.Height(), bitCount, std::move(colorTable), bitFields);
  ConvertRows(source, target, [](std::vector<TColor>&) {});
  return target;
}

TPixelImage ThresholdImage(const TPixelImage& source, TColor background, int bitCount) {
  TPixelImage target(source.Width(), source.Height(), bitCount, bitCount == 1 ? BlackWhiteTable() : std::vector<TPaletteEntry>{});
  ConvertRows(source, target, [background](std::vector<TColor>& colors) {
    for (TColor& c : colors) c = c == background ? clWhite : clBlack;
  });
  return target;
}

TPixelImage ResizeImage(const TPixelImage& source, int width, int height, TColor fill) {
  TPixelImage target(width, height, source.BitCount(), source.ColorTable(), source.BitFields());
  FillImage(target, fill);
  const TRowCodec codec(target);
  const int keepWidth = std::min(width, source.Width());
  const int keepHeight = std::min(height, source.Height());
  for (int y = 0; y < keepHeight; ++y) codec.CopyRaw(source.ScanLine(y), target.ScanLine(y), keepWidth);
  return target;
}

void FillImage(TPixelImage& image, TColor fill) {
  if (image.Empty()) return;
  TRowCodec codec(image);
  codec.Fill(image.ScanLine(0), 0, image.Width(), codec.RawOf(fill));
  for (int y = 1; y < image.Height(); ++y)
    std::copy_n(image.ScanLine(0), image.RowBytes(), image.ScanLine(y));
}
