// The strip itself: the chosen frames composed (as the animation shows them,
// or as stored), scaled to the target size and made black and white, band k
// holding frame FramesUsed[k].
//
// When the strip keeps the GIF's own size and the black-and-white rule looks
// at one pixel at a time (exact white, threshold), frames are composed
// straight into black and white, a bit per pixel, and no full-colour picture
// is ever made: a huge GIF costs little more than its strip. Other choices
// compose each band in full colour first.
#pragma once

#include <array>
#include <memory>

#include "Bitmap.h"
#include "GIFImage.h"
#include "StripOptions.h"

// The band size of a GIF's strip: the target's, else the logical screen's.
struct TBandSize {
  int Width = 0;
  int Height = 0;
};
TBandSize BandSizeOf(const TGIFImage& gif, const StripOptions& options);

// A black-and-white bitmap of the band's width and four bands' height.
std::unique_ptr<TBitmap> MakeStrip(TGIFImage& gif, const std::array<int, 4>& frames, const StripOptions& options);
