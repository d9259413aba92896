// The looping animation built from the frames of a strip: each frame goes
// into the document by the codec's bitmap import (reduced to the 216-colour
// cube with the default settings), frame 0 carries the looping extension
// ahead of its graphic control extension, and every frame shows for the
// chosen delay (30 hundredths of a second by default).
#pragma once

#include "AnimationOptions.h"
#include "GIFImage.h"

// Appends the bitmap as a new frame with its extensions; returns its index.
int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap, const AnimationOptions& options = {});
