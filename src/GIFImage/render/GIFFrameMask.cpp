#include "GIFFrameMask.h"

#include <cstring>

#include "Bitmap.h"
#include "PixelImage.h"
#include "PixelConversion.h"

TFrameMask::TFrameMask(int width, int height)
    : FWidth(width),
      FHeight(height),
      FStride((width + 15) / 16 * 2),
      FBits(static_cast<std::size_t>(FStride) * static_cast<std::size_t>(height), 0) {}

void TFrameMask::MarkRow(int y, const std::uint8_t* indices, std::uint8_t transparent) {
  std::uint8_t* row = FBits.data() + static_cast<std::size_t>(y) * FStride;
  for (int x = 0; x < FWidth; ++x)
    if (indices[x] == transparent) {
      row[x >> 3] |= PixelBit(x);
      FAny = true;
    }
}

std::unique_ptr<TBitmap> TFrameMask::MakeBitmap() const {
  // A 1-bit image with the table black, white stores a set bit as white;
  // its rows are padded further, to 32 bits, and start out clear.
  TPixelImage image(FWidth, FHeight, 1, BlackWhiteTable());
  for (int y = 0; y < FHeight; ++y) std::memcpy(image.ScanLine(y), Row(y), static_cast<std::size_t>(FStride));
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetImage(std::move(image), true);
  return bitmap;
}
