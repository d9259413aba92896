// Strip to GIF: the use case that the Converter window's Animate and
// korvane-cli bmx2gif both run. Four frame pictures become a looping GIF.
#pragma once

#include <array>

#include "AnimationOptions.h"
#include "Bitmap.h"
#include "GIFImage.h"

// Appends the four frames, in order, to the animation (a new, empty
// document). When a frame fails, the document keeps the frames added before
// it and the codec's failure passes through.
void StripToGif(TGIFImage& animation, const std::array<TBitmap*, 4>& frames, const AnimationOptions& options);

// The four frames of a strip bitmap, cut at a quarter of its height each.
std::array<TBitmap, 4> CutStrip(const TBitmap& strip);
