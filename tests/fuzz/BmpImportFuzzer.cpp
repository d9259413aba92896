// libFuzzer target for the bitmap import: whatever picture the BMP reader
// makes of the input is appended to a GIF document as a frame, once reduced
// to the 216-colour cube and once by its own colours. Either the frame is
// appended with its size, or the import ends in one of the codec's messages
// and the document keeps no frame.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "BmpReader.h"
#include "Exception.h"
#include "GIFImage.h"
#include "MemoryStream.h"

namespace {

// Larger pictures are left to the reader's own fuzzer.
constexpr std::int64_t MaxImportPixels = std::int64_t{1} << 20;

void Import(const TBmpImage& read, std::uint8_t method) {
  TBitmap bitmap;
  try {
    // A device image of a huge but empty picture may be refused already.
    bitmap.SetImage(read.Image, read.DeviceDependent);
  } catch (const Exception&) {
    return;
  }
  TGIFImage document;
  document.SetReductionMethod(method);
  try {
    const int index = document.AppendFrame(bitmap);
    const TGIFSubImage& frame = document.Frames()[index];
    if (frame.Width() != read.Image.Width() && !read.Image.Empty()) std::abort();
  } catch (const Exception&) {
    if (document.Frames().Count() != 0) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TBmpImage read;
  try {
    read = ReadBmp(stream);
  } catch (const Exception&) {
    return 0;
  }
  if (static_cast<std::int64_t>(read.Image.Width()) * read.Image.Height() > MaxImportPixels) return 0;
  Import(read, 6);
  Import(read, 0);
  return 0;
}
