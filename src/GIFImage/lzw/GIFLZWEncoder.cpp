#include "GIFLZWEncoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// The code that the next free code must pass before the width grows; at
// width 12 none does, so the width stops there.
std::uint32_t LargestCodeOf(int width) { return width == MaxCodeWidth ? TableCodes : (1u << width) - 1; }

// Codes up to 4094 are given out; when 4095 would be next the table starts again.
constexpr std::uint32_t LastTableCode = TableCodes - 1;

// How many of the count pixels from pixels[0] on equal pixel, found eight at a time.
std::size_t RunLength(const std::uint8_t* pixels, std::size_t count, std::uint32_t pixel) {
  const std::uint64_t pattern = 0x0101010101010101u * pixel;
  std::size_t length = 0;
  for (; length + 8 <= count; length += 8) {
    std::uint64_t word;
    std::memcpy(&word, pixels + length, sizeof word);
    const std::uint64_t differs = word ^ pattern;
    if (differs != 0) {
      const int bit = std::endian::native == std::endian::little ? std::countr_zero(differs) : std::countl_zero(differs);
      return length + static_cast<std::size_t>(bit / 8);
    }
  }
  while (length < count && pixels[length] == pixel) ++length;
  return length;
}

}  // namespace

void TLZWEncoder::Clear() {
  WriteCode(FClearCode);
  FCodeWidth = FInitialWidth;
  FLargestCode = LargestCodeOf(FCodeWidth);
  FTable.Clear();
  FChains.Reset(FClearCode);
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

bool TLZWEncoder::EndString() {
  WriteStringCode(FCurrent);
  if (FNextFree < LastTableCode) return true;
  Clear();
  return false;
}

void TLZWEncoder::CompressSpan(const std::uint8_t* pixels, std::size_t count) {
  std::size_t at = 0;
  if (!FStarted) {
    FCurrent = FLastPixel = pixels[0];
    FStarted = true;
    at = 1;
  }
  while (at < count) {
    at = CompressChanges(pixels, at, count);
    if (at < count) at = CompressRun(pixels, at, count);
  }
}

std::size_t TLZWEncoder::CompressRun(const std::uint8_t* pixels, std::size_t at, std::size_t count) {
  const std::uint32_t pixel = pixels[at];
  std::size_t run = RunLength(pixels + at, count - at, pixel);
  const std::size_t end = at + run;
  for (;;) {
    const TRunChains::TStep step = FChains.Extend(FCurrent, static_cast<std::uint32_t>(std::min<std::size_t>(run, TableCodes)));
    FCurrent = step.Code;
    run -= step.Taken;
    if (run == 0) break;
    // The table has no longer string of the run: the string ends here.
    if (EndString()) FChains.Append(FCurrent, FNextFree++);
    FCurrent = pixel;
    --run;
  }
  return end;
}

// The hot loop keeps its state in locals and writes it back at the end. On
// photographs a pixel continues the string or ends it about equally often,
// at random, so both outcomes are computed and the right one is selected by
// masks instead of jumps: a continuing string packs a code of 0 bits and
// writes its probed slot back unchanged. Only the rare turns (a wider code,
// a full table, a full byte buffer) are taken by a jump. A pixel that
// repeats the one before it ends the loop: runs go through the chains.
std::size_t TLZWEncoder::CompressChanges(const std::uint8_t* pixels, std::size_t at, std::size_t count) {
  std::uint64_t bucket = FBucket.Bucket;
  int bits = FBucket.Bits;
  std::uint8_t* out = FBucket.Out;
  std::uint32_t current = FCurrent;
  std::uint32_t previous = FLastPixel;
  std::uint32_t nextFree = FNextFree;
  std::uint32_t largest = FLargestCode;
  int width = FCodeWidth;
  const std::uint8_t* rawLimit = RawLimit();
  for (; at < count; ++at) {
    const std::uint32_t pixel = pixels[at];
    if (pixel == previous) break;
    previous = pixel;
    const std::uint32_t key = (current << 8) | pixel;
    const int slot = FTable.Probe(key);
    const std::uint32_t held = FTable.SlotAt(slot);
    // All ones when the string ends here, 0 when it goes on.
    const std::uint32_t ends = 0u - static_cast<std::uint32_t>(held == THashTable::EmptySlot);
    PackCode(bucket, bits, out, current & ends, width & static_cast<int>(ends));
    FTable.SetSlotAt(slot, held ^ ((held ^ ((key << 12) | nextFree)) & ends));
    FChains.AddHead(nextFree);
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
  FLastPixel = previous;
  FNextFree = nextFree;
  FLargestCode = largest;
  FCodeWidth = width;
  return at;
}
