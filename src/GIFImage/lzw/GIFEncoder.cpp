#include "GIFEncoder.h"

#include <algorithm>

namespace {

// Thrown by the walk at an index beyond the colour limit, caught by Encode.
struct TInvalidColor {};

}  // namespace

TGIFEncoder::TGIFEncoder(TCodeByteSink& sink, int minimumCodeSize, int colorLimit)
    : FMinimumCodeSize(minimumCodeSize),
      FInitialWidth(minimumCodeSize + 1),
      FCodeWidth(minimumCodeSize + 1),
      FClearCode(1u << minimumCodeSize),
      FEndCode(FClearCode + 1),
      FFirstFree(FClearCode + 2),
      FColorLimit(colorLimit),
      FSink(sink) {
  FBucket.Out = FRaw.data();
}

bool TGIFEncoder::Encode(const TFrameIndices& frame) {
  FPixels = frame.Pixels.data();
  FWidth = frame.Width;
  FHeight = frame.Height;
  FInterlaced = frame.Interlaced;
  try {
    if (FPixels != nullptr && FWidth > 0 && FHeight > 0) Compress();
  } catch (const TInvalidColor&) {
    // The codes packed before the bad index reach the sink; their last bits do not.
    Drain(FBucket);
    return false;
  }
  WriteEnd();
  return true;
}

void TGIFEncoder::Drain(TBitBucket& bucket) {
  FSink.PutCodeBytes(FRaw.data(), static_cast<std::size_t>(bucket.Out - FRaw.data()));
  bucket.Out = FRaw.data();
}

void TGIFEncoder::WriteEnd() {
  WriteCode(FEndCode);
  for (; FBucket.Bits > 0; FBucket.Bits -= 8) {
    *FBucket.Out++ = static_cast<std::uint8_t>(FBucket.Bucket);
    FBucket.Bucket >>= 8;
  }
  FBucket.Bits = 0;
  Drain(FBucket);
}

std::size_t TGIFEncoder::ValidPrefix(const std::uint8_t* pixels, std::size_t count) const {
  if (FColorLimit > 0xFF) return count;
  const auto limit = static_cast<std::uint8_t>(FColorLimit);
  // A branch-free maximum per block finds a bad pixel cheaply; only a block
  // that holds one is searched pixel by pixel.
  constexpr std::size_t block = 256;
  for (std::size_t at = 0; at < count; at += block) {
    const std::size_t end = std::min(count, at + block);
    std::uint8_t largest = 0;
    for (std::size_t i = at; i < end; ++i) largest = std::max(largest, pixels[i]);
    if (largest >= limit) return static_cast<std::size_t>(std::find_if(pixels + at, pixels + end, [limit](std::uint8_t p) {
                                                               return p >= limit;
                                                             }) - pixels);
  }
  return count;
}

void TGIFEncoder::RaiseInvalidColor() { throw TInvalidColor{}; }
