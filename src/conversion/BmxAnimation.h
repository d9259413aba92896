// The looping animation built from the frames of a strip: each frame goes
// into the document by the codec's bitmap import (reduced to the 216-colour
// cube with the default settings), frame 0 carries the looping extension
// ahead of its graphic control extension, and every frame shows for the
// chosen delay (30 hundredths of a second by default).
#pragma once

#include <cstdint>

#include "AnimationOptions.h"
#include "GIFImage.h"

// Appends the bitmap as a new frame with its extensions; returns its index.
int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap, const AnimationOptions& options = {});

// How a frame of the animation is shown beyond its delay.
struct TFrameShowing {
  std::uint8_t Disposal = 0;  // 0: each frame simply replaces the one before
  int TransparentIndex = -1;  // -1: no transparent pixels
};

// The extensions of frame number index of the animation: the looping
// extension on frame 0, then the graphic control extension with the delay.
void AddAnimationExtensions(TGIFSubImage& frame, int index, const AnimationOptions& options,
                            const TFrameShowing& showing = {});
