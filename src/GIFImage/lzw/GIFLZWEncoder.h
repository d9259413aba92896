// TLZWEncoder: the default image data encoder, LZW with a hashed string
// table. THashTable is that table: a fixed open-addressed array of 16384
// slots (four times the 4096 codes), each empty (all bits set) or holding
// the key of a string, (prefix code << 8) + pixel, above its 12-bit code.
// A multiplicative hash spreads the keys and neighbours are probed one
// after the other, so a lookup is a multiply, a shift and mostly a single
// load; nothing is allocated per code. When code 4095 would be next the
// encoder writes a clear code and starts the table again. The table's
// layout never shows in the output: the codes are those of every LZW
// encoder that clears when its table is full.
//
// Where eight pixels or more repeat the one before them, the encoder finds
// the strings of the run in the run chains (TRunChains), so that such a run
// costs a few steps per code written, not a lookup per pixel.
#pragma once

#include <array>
#include <cstdint>

#include "GIFEncoder.h"
#include "GIFLZWRunChains.h"

class THashTable {
public:
  static constexpr int Slots = 16384;
  static constexpr std::uint32_t EmptySlot = 0xFFFFFFFF;

  THashTable() { Clear(); }
  void Clear() { FSlots.fill(EmptySlot); }

  // The first slot of the probe sequence of the string code + pixel.
  static int FirstSlot(std::uint32_t code, std::uint32_t pixel) { return static_cast<int>((((code << 8) | pixel) * 0x9E3779B1u) >> 18); }
  // The slot after slot in the key's probe sequence.
  static int NextSlot(int slot) { return (slot + 1) & (Slots - 1); }
  // Probes from the key's first slot to the slot that holds it or to the
  // first empty one, where an insertion of the key belongs.
  int Probe(std::uint32_t key, int firstSlot) const {
    int slot = firstSlot;
    for (;;) {
      const std::uint32_t held = FSlots[static_cast<std::size_t>(slot)];
      if ((held >> 12) == key || held == EmptySlot) return slot;
      slot = NextSlot(slot);
    }
  }
  // EmptySlot, or a key above its code.
  std::uint32_t SlotAt(int slot) const { return FSlots[static_cast<std::size_t>(slot)]; }
  void SetSlotAt(int slot, std::uint32_t value) { FSlots[static_cast<std::size_t>(slot)] = value; }

private:
  std::array<std::uint32_t, Slots> FSlots;
};

class TLZWEncoder : public TGIFEncoder {
public:
  using TGIFEncoder::TGIFEncoder;

protected:
  void Clear() override;
  void Compress() override;

private:
  // One run of pixels that follow each other in the walk; the first pixel of
  // the frame starts the current string.
  void CompressSpan(const std::uint8_t* pixels, std::size_t count);
  // From pixels[at] on, pixel by pixel through the hash table; returns
  // where eight pixels repeat the current string's last one (or count).
  std::size_t CompressPixels(const std::uint8_t* pixels, std::size_t at, std::size_t count);
  // The run of pixels equal to the one before, from pixels[at] on, through
  // the run chains, a chain at a time; returns where the run ends.
  std::size_t CompressRun(const std::uint8_t* pixels, std::size_t at, std::size_t count);
  // A code of the current width; the width grows when the next free code
  // has passed the largest code of this width.
  void WriteStringCode(std::uint32_t code);
  // Writes the current string's code. True when the string the next pixel
  // makes may take the next free code; false when the table was full and
  // has started again.
  bool EndString();

  THashTable FTable;
  TRunChains FChains;
  std::uint32_t FNextFree = 0;
  std::uint32_t FLargestCode = 0;
  std::uint32_t FCurrent = 0;
  bool FStarted = false;
};
