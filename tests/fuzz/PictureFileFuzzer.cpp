// libFuzzer target for the readers of the 1-bit picture files, built once per
// format (KORVANE_FUZZ_FORMAT names it, e.g. "wbmp"). Any input must end in a
// picture or in one of the reader's messages; a picture that is read must
// also be written in the same format and read back with the same pixels.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "Bitmap.h"
#include "Exception.h"
#include "MemoryStream.h"
#include "PictureFileFormat.h"

namespace {

// Writing back is checked on pictures up to this size, so that the fuzzer
// spends its time on reading.
constexpr std::int64_t MaxRoundTripPixels = std::int64_t{1} << 20;

TPictureFileFormat Format() {
  static const TPictureFileFormat format = [] {
    const std::optional<TPictureFileFormat> named = FormatFromName(KORVANE_FUZZ_FORMAT);
    if (!named) std::abort();
    return *named;
  }();
  return format;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Image().GetPixel(x, y) != b.Image().GetPixel(x, y)) return false;
  return true;
}

void CheckRoundTrip(const TBitmap& picture) {
  if (static_cast<std::int64_t>(picture.Width()) * picture.Height() > MaxRoundTripPixels) return;
  TMemoryStream written;
  WritePicture(picture, Format(), written);
  written.SetPosition(0);
  TBitmap back;
  ReadPicture(back, Format(), written);
  if (!SamePixels(picture, back)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TBitmap picture;
  try {
    ReadPicture(picture, Format(), stream);
  } catch (const Exception&) {
    return 0;
  }
  CheckRoundTrip(picture);
  return 0;
}
