// Scaling the composed frames to the strip's target size, in colour and
// before black and white. Along an axis that shrinks, each target pixel is
// the average of the source pixels it covers, in proportion to how much of
// each it covers; along an axis that grows, pixels repeat.
#pragma once

#include "ColourPicture.h"
#include "StripOptions.h"

// The picture at width x height, each axis scaled on its own.
TColourPicture ScalePicture(const TColourPicture& source, int width, int height);

// The picture in a target of width x height: fit (the whole picture, its
// shape kept, centred on white margins), fill (its shape kept, covering the
// target, the centre kept) or stretch.
TColourPicture FitPicture(const TColourPicture& source, int width, int height, Fitting fitting);
