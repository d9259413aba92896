// The layout of a BMX strip: four frames of equal height stacked from the
// top, a quarter of the strip's height each. Cutting a strip gives the
// frames as full-colour bitmaps, the way the Converter's frame slots and
// korvane-cli hold them.
#pragma once

#include "Bitmap.h"

// A BMX strip holds this many frames, stacked one under the other.
inline constexpr int StripFrameCount = 4;

// A quarter of the strip's height, rounded to the nearest integer with ties
// to the even one: 130 gives 32, 126 gives 32, 7 gives 2, 2 gives 0.
int FrameHeightOf(int stripHeight);

// Frame k (0 to 3) of the strip: a full-colour device-dependent bitmap of the
// strip's width and frameHeight rows, the strip's rows from k * frameHeight
// in their own colours; rows that fall below the strip are black.
TBitmap CutStripFrame(const TBitmap& strip, int k, int frameHeight);
