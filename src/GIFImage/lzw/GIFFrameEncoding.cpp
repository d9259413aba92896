#include "GIFFrameEncoding.h"

#include <algorithm>
#include <memory>

#include "GIFImage.h"
#include "GIFLZWEncoder.h"
#include "GIFRLEEncoder.h"
#include "GIFWriter.h"

namespace {

constexpr std::uint8_t RunLengthEncoding = 1;

struct TFrameCodeSizes {
  int MinimumCodeSize;
  int ColorLimit;
};

TFrameCodeSizes CodeSizesOf(const TGIFSubImage& frame) {
  int bits = 0;
  int limit = 0;
  if (frame.LocalMap().Count() > 0) {
    bits = frame.LocalMap().BitsPerPixel();
    limit = frame.LocalMap().Count();
  } else {
    bits = frame.Image() != nullptr ? frame.Image()->LogicalScreen().LargestTableBits() : 0;
    limit = 1 << bits;
  }
  // Codes of 2 bits at least: 1-bit data needs the clear and end codes 4 and 5.
  return {std::max(2, bits), limit};
}

}  // namespace

void EncodeFrameData(const TGIFSubImage& frame, TStream& stream) {
  const TFrameCodeSizes sizes = CodeSizesOf(frame);
  stream.WriteByte(static_cast<std::uint8_t>(sizes.MinimumCodeSize));
  TGIFWriter writer(stream);
  std::unique_ptr<TGIFEncoder> encoder;
  if (frame.Image() != nullptr && frame.Image()->Encoding() == RunLengthEncoding) {
    encoder = std::make_unique<TRLEEncoder>(writer, sizes.MinimumCodeSize, sizes.ColorLimit);
  } else {
    encoder = std::make_unique<TLZWEncoder>(writer, sizes.MinimumCodeSize, sizes.ColorLimit);
  }
  try {
    encoder->Encode(frame);
  } catch (...) {
    writer.Flush();
    throw;
  }
  writer.Flush();
  stream.WriteByte(0);
}
