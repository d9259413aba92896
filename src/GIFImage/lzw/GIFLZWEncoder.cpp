#include "GIFLZWEncoder.h"

namespace {

// The code that the next free code must pass before the width grows; at
// width 12 none does, so the width stops there.
std::uint32_t LargestCodeOf(int width) { return width == MaxCodeWidth ? TableCodes : (1u << width) - 1; }

// Codes up to 4094 are given out; when 4095 would be next the table starts again.
constexpr std::uint32_t LastTableCode = TableCodes - 1;

}  // namespace

void TLZWEncoder::Clear() {
  WriteCode(FClearCode);
  FCodeWidth = FInitialWidth;
  FLargestCode = LargestCodeOf(FCodeWidth);
  FTable.Clear();
  FNextFree = FFirstFree;
}

void TLZWEncoder::Compress() {
  Clear();
  FStarted = false;
  ForEachSpan([this](const std::uint8_t* pixels, std::size_t count) { CompressSpan(pixels, count); });
  WriteStringCode(FCurrent);
}

void TLZWEncoder::WriteStringCode(std::uint32_t code) {
  WriteCode(code);
  if (FNextFree > FLargestCode) FLargestCode = LargestCodeOf(++FCodeWidth);
}

// The hot loop keeps its state in locals and writes it back at the end.
void TLZWEncoder::CompressSpan(const std::uint8_t* pixels, std::size_t count) {
  std::size_t i = 0;
  if (!FStarted) {
    FCurrent = pixels[0];
    FStarted = true;
    i = 1;
  }
  TBitBucket bucket = FBucket;
  std::uint32_t current = FCurrent;
  std::uint32_t nextFree = FNextFree;
  std::uint32_t largest = FLargestCode;
  int width = FCodeWidth;
  const std::uint8_t* rawLimit = RawLimit();
  for (; i < count; ++i) {
    const std::uint32_t pixel = pixels[i];
    const std::uint32_t key = (current << 8) | pixel;
    const int slot = FTable.Probe(key);
    if (FTable.Occupied(slot)) {
      current = FTable.CodeAt(slot);
      continue;
    }
    bucket.Put(current, width);
    if (bucket.Out >= rawLimit) Drain(bucket);
    if (nextFree > largest) largest = LargestCodeOf(++width);
    current = pixel;
    if (nextFree >= LastTableCode) {
      FBucket = bucket;
      FCodeWidth = width;
      Clear();
      bucket = FBucket;
      width = FCodeWidth;
      largest = FLargestCode;
      nextFree = FNextFree;
    } else {
      FTable.Put(slot, key, nextFree++);
    }
  }
  FBucket = bucket;
  FCurrent = current;
  FNextFree = nextFree;
  FLargestCode = largest;
  FCodeWidth = width;
}
