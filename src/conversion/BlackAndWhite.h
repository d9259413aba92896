// Black and white: the methods that turn a colour picture into the white and
// black pixels of a strip's band. Grey levels are the luma
// Y = (299 R + 587 G + 114 B) / 1000 (0 to 255).
//   exact white      white only where the colour is exactly white
//   threshold N      white where Y >= N
//   Floyd-Steinberg  error diffusion: 7/16 right, 3/16, 5/16, 1/16 below
//   Atkinson         1/8 of the error to each of six neighbours (a quarter dropped)
//   ordered 4x4/8x8  Bayer matrices: white where Y lies above the cell's level
// Invert swaps white and black after any of them.
#pragma once

#include "Bitmap.h"
#include "ColourPicture.h"
#include "StripOptions.h"

int LumaOf(TColor colour);

// Whether a colour is white by a rule that looks at the pixel alone (exact
// white or threshold), inverted when asked.
bool WhiteByPixelRule(TColor colour, const StripOptions& options);
// True for the rules WhiteByPixelRule decides.
bool PixelByPixel(MonoMethod method);

// Writes the picture in black and white into rows top to top + Height - 1 of
// a black-and-white bitmap at least as wide.
void PutBlackAndWhite(const TColourPicture& picture, const StripOptions& options, TBitmap& strip, int top);
