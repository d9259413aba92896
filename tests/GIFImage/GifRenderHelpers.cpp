#include "GifRenderHelpers.h"

#include "DibPixels.h"
#include "MemoryStream.h"

namespace {

// Bits of a table of n entries (a power of two, at least 2).
int TableBits(std::size_t n) {
  int bits = 1;
  while ((std::size_t{1} << bits) < n) ++bits;
  return bits;
}

std::uint8_t TableFlags(const std::vector<std::uint32_t>& table) {
  return table.empty() ? 0 : static_cast<std::uint8_t>(0x80 | (TableBits(table.size()) - 1));
}

}  // namespace

TBytes GifWith(int screenWidth, int screenHeight, const std::vector<std::uint32_t>& global,
               const std::vector<TTestFrame>& frames) {
  TGifBuilder gif;
  gif.Header(static_cast<std::uint16_t>(screenWidth), static_cast<std::uint16_t>(screenHeight), TableFlags(global));
  if (!global.empty()) gif.ColorTable(global);
  for (const TTestFrame& frame : frames) {
    if (frame.Transparent >= 0) gif.GraphicControl(0x01, 0, static_cast<std::uint8_t>(frame.Transparent));
    gif.Descriptor(static_cast<std::uint16_t>(frame.Left), static_cast<std::uint16_t>(frame.Top),
                   static_cast<std::uint16_t>(frame.Width), static_cast<std::uint16_t>(frame.Height),
                   TableFlags(frame.Local));
    if (!frame.Local.empty()) gif.ColorTable(frame.Local);
    // Wide enough for any index the test gives.
    gif.ImageData(8, LzwEncode(frame.Indices, 8));
  }
  return gif.Trailer().Bytes();
}

std::unique_ptr<TGIFImage> LoadGif(const TBytes& bytes) {
  auto image = std::make_unique<TGIFImage>();
  TMemoryStream stream(bytes);
  image->LoadFromStream(stream);
  return image;
}

TColor ColorOf(std::uint32_t rgb) {
  return RGB(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb));
}

std::vector<TColor> BitmapColors(const TBitmap& bitmap) { return PixelColors(bitmap.Image()); }

