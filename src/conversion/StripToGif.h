// Strip to GIF: the use case that the Converter window's Animate and
// korvane-cli bmx2gif both run. Four frame pictures become a looping GIF.
#pragma once

#include <array>

#include "AnimationOptions.h"
#include "Bitmap.h"
#include "GIFImage.h"

// Appends the four frames, in order, to the animation (a new, empty
// document), by the options: each frame's delay, the loop count, and
// either the 216-colour cube on every frame or one compact global table;
// optimised, the frames after the first hold only the area that changed.
// With the cube and without optimising, a frame that fails leaves the
// document with the frames added before it; otherwise the frames are all
// reduced before the first is added, and a failure leaves it empty. The
// codec's failure passes through.
void StripToGif(TGIFImage& animation, const std::array<TBitmap*, 4>& frames, const AnimationOptions& options);

// The four frames of a strip bitmap, cut at a quarter of its height each.
std::array<TBitmap, 4> CutStrip(const TBitmap& strip);
