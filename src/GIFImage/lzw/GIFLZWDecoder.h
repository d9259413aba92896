// The LZW decoder of GIF image data: the variable-length codes of one frame,
// read from its data sub-blocks, become the frame's Pixels, one colour index
// per pixel in display order (interlaced frames are put back in row order, in
// place, GIFInterlace.h).
// A frame may instead keep its codes and decode them on first use of its
// pixels (TGIFFrameCodes).
#pragma once

#include <cstdint>

#include "GIFCodeStream.h"

class TGIFSubImage;
class TStream;

// A frame's image data as read, with what decoding it takes from the frame as
// it stood then, so that decoding later gives what decoding at once gave.
struct TGIFFrameCodes {
  TGIFCodeStream Data;
  int CodeSize = 0;
  std::uint8_t Fill = 0;  // the value of pixels the data does not reach
  bool Interlaced = false;
  int Width = 0;
  int Height = 0;
};

// Allocates the frame's Pixels, all at the fill value (the governing
// transparent index of a transparent frame, else 0), and decodes the image
// data at the stream's position into them. Data that ends early leaves the
// rest at the fill value, written only when all the pixels are asked for
// (TGIFUnwritten); a corrupt code table raises "Circular decoder table
// entry". The stream is left right after the data's zero-size terminator.
// With mayDefer, clean data (GIFLZWScan.h) is not decoded but kept by the
// frame for its first use of the pixels; the frame's size still counts
// against the pixel limits at once.
void DecodeFrameData(TGIFSubImage& frame, TStream& stream, bool mayDefer);
