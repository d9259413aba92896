// Smaller frames for an animation whose frames follow one another on the
// same screen: from the second frame on, a frame holds only the rectangle
// where it differs from the frame before, and within it the pixels that stay
// as they were may take a transparent index, where that makes the frame's
// image data smaller. Each frame is left in place for the next one to be
// drawn over (disposal 1), so that every frame as shown is the whole picture
// it was made from; the first frame stays whole, so that the animation
// starts each pass from a complete picture.
#pragma once

#include "IndexedAnimation.h"

// The disposal that leaves a frame in place for the next one.
inline constexpr std::uint8_t LeaveInPlace = 1;

// Frames of one size, none of them empty, are cut down as above; an
// animation of frames of different sizes, or with an empty one, is left as it
// is (false). A frame with a table of its own that its changes use up gets
// one more entry for the transparent index.
bool OptimiseFrames(TIndexedAnimation& animation);

// True when the frames share a table that has room for one more entry and
// the changes of some frame use every entry: a spare entry would give that
// frame a transparent index (at the cost of a larger table).
bool SpareIndexWouldHelp(const TIndexedAnimation& animation);
