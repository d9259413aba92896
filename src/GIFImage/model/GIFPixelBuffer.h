// TPixelBuffer: the owned byte block of a frame's indices. It is taken from
// the system zero-filled, so a large frame costs memory only where pixels are
// actually written: a hostile file that declares big frames and carries little
// data stays cheap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct TFreeBytes {
  void operator()(std::uint8_t* bytes) const;
};

using TPixelBuffer = std::unique_ptr<std::uint8_t[], TFreeBytes>;

// count bytes, all set to fill; raises "Out of system resources" when the
// system has no memory for them.
TPixelBuffer AllocatePixelBuffer(std::size_t count, std::uint8_t fill);
