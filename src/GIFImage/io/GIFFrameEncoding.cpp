#include "GIFFrameEncoding.h"

#include <algorithm>
#include <memory>

#include "GIFDocument.h"
#include "GIFException.h"
#include "GIFHeader.h"
#include "GIFLZWEncoder.h"
#include "GIFMessages.h"
#include "GIFRLEEncoder.h"
#include "GIFSubImage.h"
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
  const TFrameIndices indices{{frame.Pixels(), static_cast<std::size_t>(frame.PixelCount())},
                              frame.Width(), frame.Height(), frame.Interlaced()};
  const bool encoded = encoder->Encode(indices);
  writer.Flush();
  if (!encoded) throw GIFException(sInvalidColor);
  stream.WriteByte(0);
}
