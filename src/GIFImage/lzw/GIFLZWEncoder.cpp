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

// The hot loop keeps its state in locals and writes it back at the end. On
// photographs a pixel continues the string or ends it about equally often,
// at random, so both outcomes are computed and the right one is selected by
// masks instead of jumps: a continuing string packs a code of 0 bits and
// writes its probed slot back unchanged. Only the rare turns (a wider code,
// a full table, a full byte buffer) are taken by a jump.
void TLZWEncoder::CompressSpan(const std::uint8_t* pixels, std::size_t count) {
  std::size_t i = 0;
  if (!FStarted) {
    FCurrent = pixels[0];
    FStarted = true;
    i = 1;
  }
  std::uint64_t bucket = FBucket.Bucket;
  int bits = FBucket.Bits;
  std::uint8_t* out = FBucket.Out;
  std::uint32_t current = FCurrent;
  std::uint32_t nextFree = FNextFree;
  std::uint32_t largest = FLargestCode;
  int width = FCodeWidth;
  const std::uint8_t* rawLimit = RawLimit();
  for (; i < count; ++i) {
    const std::uint32_t pixel = pixels[i];
    const std::uint32_t key = (current << 8) | pixel;
    const int slot = FTable.Probe(key);
    const std::uint32_t held = FTable.SlotAt(slot);
    // All ones when the string ends here, 0 when it goes on.
    const std::uint32_t ends = 0u - static_cast<std::uint32_t>(held == THashTable::EmptySlot);
    PackCode(bucket, bits, out, current & ends, width & static_cast<int>(ends));
    FTable.SetSlotAt(slot, held ^ ((held ^ ((key << 12) | nextFree)) & ends));
    current = (pixel & ends) | (held & 0xFFF & ~ends);
    const bool grows = nextFree > largest;
    const bool fullTable = nextFree >= LastTableCode;
    if ((ends != 0 && (grows || fullTable)) || out >= rawLimit) [[unlikely]] {
      FBucket = {bucket, bits, out};
      if (FBucket.Out >= rawLimit) Drain(FBucket);
      if (ends != 0 && grows) largest = LargestCodeOf(++width);
      if (ends != 0 && fullTable) {
        FCodeWidth = width;
        Clear();
        width = FCodeWidth;
        largest = FLargestCode;
        nextFree = FNextFree - 1;
      }
      bucket = FBucket.Bucket;
      bits = FBucket.Bits;
      out = FBucket.Out;
    }
    nextFree += ends & 1;
  }
  FBucket = {bucket, bits, out};
  FCurrent = current;
  FNextFree = nextFree;
  FLargestCode = largest;
  FCodeWidth = width;
}
