// The LZW decoder of GIF image data: the variable-length codes of one frame,
// gathered from its data sub-blocks (TGIFCodeStream), become one colour index
// per pixel in display order (interlaced frames are put back in row order, in
// place, GIFInterlace.h). The decoder writes into the indices it is given and
// tells what happened in its result; what a reader makes of that (warnings,
// failures, pixels still to fill) is the reader's business.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "GIFCodeStream.h"

// A frame's image data as read, with what decoding needs of the frame as it
// stood then, so that decoding later gives what decoding at once gave.
struct TGIFFrameCodes {
  TGIFCodeStream Data;
  int CodeSize = 0;
  std::uint8_t Fill = 0;  // the value of pixels the data does not reach
  bool Interlaced = false;
  int Width = 0;
  int Height = 0;
};

// What decoding one frame's codes gave.
struct TLZWDecoded {
  // Pixels the data reached, counted in the order the data gives them (row
  // passes for an interlaced frame); the others are still zero.
  std::size_t Reached = 0;
  // A read reached a sub-block that the end of the stream cut short.
  bool MetShortBlock = false;
  // The data, terminated, ended before its end code and its pixels.
  bool EndedWithoutEndCode = false;
  // A code's string looped back on itself: a corrupt table. Decoding stopped
  // there; Reached counts nothing.
  bool Circular = false;
};

// Decodes the codes into their Width * Height indices, which are all zero,
// rows in display order. An initial code size above 11 decodes nothing.
TLZWDecoded DecodeFrameCodes(const TGIFFrameCodes& codes, std::span<std::uint8_t> indices);
