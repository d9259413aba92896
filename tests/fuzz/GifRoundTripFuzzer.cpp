// libFuzzer target of the GIF writer: a document that reads is written by
// both encoders and read again, and must give the same frames, tables,
// indices and extensions. The writer may refuse only a document without
// frames ("Unsupported GIF version") or one whose pixels reach beyond their
// colour table ("Color not in color table"); anything else aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GifOutline.h"
#include "MemoryStream.h"

namespace {

// Larger documents are read but not written, to keep each run short.
constexpr std::int64_t WrittenPixels = std::int64_t{1} << 18;

std::int64_t PixelsOf(const TGIFImage& image) {
  std::int64_t pixels = 0;
  for (int i = 0; i < image.Frames().Count(); ++i) pixels += image.Frames()[i].PixelCount();
  return pixels;
}

void Drop(TPersistent*, std::uint8_t, const std::string&) {}

void CheckRoundTrip(TGIFImage& image, std::uint8_t encoding) {
  image.SetEncoding(encoding);
  TMemoryStream written;
  try {
    image.SaveToStream(written);
  } catch (const GIFException& error) {
    const bool refusable = image.Frames().Count() == 0 ? error.Message() == sBadVersion
                                                       : error.Message() == sInvalidColor && HasPixelBeyondItsLimit(image);
    if (!refusable) std::abort();
    return;
  }
  written.SetPosition(0);
  TGIFImage back;
  back.SetWarningHandler(Drop);
  back.LoadFromStream(written);
  if (WrittenOutline(back) != WrittenOutline(image)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TGIFImage image;
  image.SetWarningHandler(Drop);
  try {
    image.LoadFromStream(stream);
  } catch (const GIFException&) {
    return 0;
  }
  if (PixelsOf(image) > WrittenPixels) return 0;
  CheckRoundTrip(image, 0);
  CheckRoundTrip(image, 1);
  return 0;
}
