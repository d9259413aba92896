// TPixelBuffer: the owned byte block of a frame's indices. It is taken from
// the system zero-filled (the raster layer's pixel memory: big blocks are
// mapped fresh, with no fill by a loop), so a large frame costs memory only
// where pixels are actually written: a hostile file that declares big frames
// and carries little data stays cheap. Its size counts in the pixel bytes
// held (PixelMemory.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "PixelMemory.h"

class TPixelBuffer {
public:
  TPixelBuffer() = default;
  // Owned as by a pointer: a const owner may still write the bytes.
  std::uint8_t* get() const { return FBytes.data(); }
  explicit operator bool() const { return !FBytes.empty(); }
  void reset() { FBytes = TPixelBytes(); }

private:
  friend TPixelBuffer AllocatePixelBuffer(std::size_t count);
  mutable TPixelBytes FBytes;
};

// count bytes, all zero; raises "Out of system resources" when the system
// has no memory for them.
TPixelBuffer AllocatePixelBuffer(std::size_t count);
