#include "BmxStrip.h"

#include <algorithm>
#include <cstring>

#include "PixelConversion.h"

int FrameHeightOf(int stripHeight) {
  const int quotient = stripHeight / 4;
  const int remainder = stripHeight % 4;
  if (remainder < 2) return quotient;
  if (remainder > 2) return quotient + 1;
  return quotient % 2 == 0 ? quotient : quotient + 1;
}

// The band's rows are copied as stored and converted once, as whole rows;
// the rows the strip does not have stay zero, which is black at 32 bits.
TBitmap CutStripFrame(const TBitmap& strip, int k, int frameHeight) {
  const TPixelImage& source = strip.Image();
  const int first = k * frameHeight;
  const int rows = std::clamp(source.Height() - first, 0, frameHeight);
  TPixelImage band(source.Width(), rows, source.BitCount(), source.ColorTable(), source.BitFields());
  for (int y = 0; y < rows; ++y)
    std::memcpy(band.ScanLine(y), source.ScanLine(first + y), static_cast<std::size_t>(source.RowBytes()));
  const TPixelImage colours = ConvertImage(band, 32);
  TPixelImage frame(source.Width(), frameHeight, 32);
  for (int y = 0; y < rows; ++y)
    std::memcpy(frame.ScanLine(y), colours.ScanLine(y), static_cast<std::size_t>(frame.RowBytes()));
  TBitmap bitmap;
  bitmap.SetImage(std::move(frame), true);
  return bitmap;
}
