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

// Whether the eight pixels from pixels[0] on (of count) all equal pixel:
// each byte of the word equals the one before it, the first one pixel.
bool StartsLongRun(const std::uint8_t* pixels, std::size_t count, std::uint32_t pixel) {
  if (count < 8) return false;
  std::uint64_t word;
  std::memcpy(&word, pixels, sizeof word);
  if constexpr (std::endian::native == std::endian::little) return word == ((word << 8) | pixel);
  return word == ((word >> 8) | (std::uint64_t{pixel} << 56));
}

}  // namespace

void TLZWEncoder::Clear() {
  WriteCode(FClearCode);
  FCodeWidth = FInitialWidth;
  FLargestCode = LargestCodeOf(FCodeWidth);
  FTable.Clear();
  FChains.Reset();
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
    FCurrent = pixels[0];
    FStarted = true;
    at = 1;
  }
  while (at < count) {
    at = CompressPixels(pixels, at, count);
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
    // The chain knows no longer string: the hash table may.
    const std::uint32_t key = (FCurrent << 8) | pixel;
    const int slot = FTable.Probe(key, THashTable::FirstSlot(FCurrent, pixel));
    const std::uint32_t held = FTable.SlotAt(slot);
    if (held != THashTable::EmptySlot) {
      FChains.Append(FCurrent, held & 0xFFF);
      FCurrent = held & 0xFFF;
    } else {
      if (EndString()) {
        FTable.SetSlotAt(slot, (key << 12) | FNextFree);
        FChains.Append(FCurrent, FNextFree++);
      }
      FCurrent = pixel;
    }
    --run;
  }
  return end;
}

// The hot loop keeps its state in locals and writes it back at the end. A
// string that goes on is the short road (a jump back), so that the lookup
// of the next pixel need not wait for this one's when the string ends, as
// it does on most pixels of a photograph. Only the rare turns (a wider code,
// a full table, a full byte buffer) leave the road of an ending string. A
// string that goes on while eight pixels repeat its last one leaves the loop
// for the run chains (a run is caught on its first or second pixel, as the
// table soon holds the string of two of each pixel).
std::size_t TLZWEncoder::CompressPixels(const std::uint8_t* pixels, std::size_t at, std::size_t count) {
  std::uint64_t bucket = FBucket.Bucket;
  int bits = FBucket.Bits;
  std::uint8_t* out = FBucket.Out;
  std::uint32_t current = FCurrent;
  std::uint32_t nextFree = FNextFree;
  std::uint32_t largest = FLargestCode;
  int width = FCodeWidth;
  const std::uint8_t* rawLimit = RawLimit();
  for (; at < count; ++at) {
    const std::uint32_t pixel = pixels[at];
    const std::uint32_t key = (current << 8) | pixel;
    const int slot = FTable.Probe(key, THashTable::FirstSlot(current, pixel));
    const std::uint32_t held = FTable.SlotAt(slot);
    if (held != THashTable::EmptySlot) {
      current = held & 0xFFF;
      if (StartsLongRun(pixels + at + 1, count - at - 1, pixel)) {
        ++at;
        break;
      }
      continue;
    }
    FTable.SetSlotAt(slot, (key << 12) | nextFree);
    PackCode(bucket, bits, out, current, width);
    current = pixel;
    const bool grows = nextFree > largest;
    const bool fullTable = nextFree >= LastTableCode;
    if (grows || fullTable || out >= rawLimit) [[unlikely]] {
      FBucket = {bucket, bits, out};
      if (FBucket.Out >= rawLimit) Drain(FBucket);
      if (grows) largest = LargestCodeOf(++width);
      if (fullTable) {
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
    ++nextFree;
  }
  FBucket = {bucket, bits, out};
  FCurrent = current;
  FNextFree = nextFree;
  FLargestCode = largest;
  FCodeWidth = width;
  return at;
}
