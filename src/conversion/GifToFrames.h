// Every frame of a GIF as a black-and-white picture, for the files that hold
// a whole animation (C arrays): each frame composed as the animation shows it
// (or taken as stored), scaled to the target size and made black and white
// by the same StripOptions and the same code as the strip's bands. The
// strip's frame choice and its rule for short GIFs play no part: every frame
// is taken, once, in order.
#pragma once

#include <vector>

#include "Bitmap.h"
#include "GIFImage.h"
#include "StripOptions.h"

struct TMonoFrame {
  TBitmap Picture;  // white pixels white, all others black
  int Delay = 0;    // hundredths of a second, as the GIF gives it
};

// Nothing for a GIF without frames.
std::vector<TMonoFrame> GifToFrames(TGIFImage& gif, const StripOptions& options);
// The delay of a frame of the GIF in hundredths of a second (0 without one).
int FrameDelayOf(const TGIFImage& gif, int number);
