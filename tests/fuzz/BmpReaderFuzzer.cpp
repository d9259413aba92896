// libFuzzer target for ReadBmp. Any input must end in a picture or in one of
// the reader's messages; a picture that is read must also survive the 1-bit
// writer and read back with its size.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "BmpReader.h"
#include "BmpWriter.h"
#include "Exception.h"
#include "MemoryStream.h"

namespace {

// Writing back is checked on pictures up to this size, so that the fuzzer
// spends its time on reading.
constexpr std::int64_t MaxRoundTripPixels = std::int64_t{1} << 20;

void CheckRoundTrip(const TPixelImage& image) {
  if (static_cast<std::int64_t>(image.Width()) * image.Height() > MaxRoundTripPixels) return;
  TMemoryStream written;
  WriteMonochromeBmp(image, written);
  written.SetPosition(0);
  const TBmpImage back = ReadBmp(written);
  const bool sameSize = image.Empty() ? back.Image.Empty()
                                      : back.Image.Width() == image.Width() && back.Image.Height() == image.Height();
  if (!sameSize) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMemoryStream stream(std::vector<std::uint8_t>(data, data + size));
  TBmpImage image;
  try {
    image = ReadBmp(stream);
  } catch (const Exception&) {
    return 0;
  }
  CheckRoundTrip(image.Image);
  return 0;
}
