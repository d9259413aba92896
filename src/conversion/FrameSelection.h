// Which frames of a GIF fill the four bands of its strip, by the user's
// frame choice and short-GIF rule, and the note that tells the user which
// frames were used when that is not simply frames 1 to 4 of 4.
#pragma once

#include <array>
#include <string>

#include "Exception.h"
#include "StripOptions.h"

// A GIF of fewer frames than the strip needs, refused: the message names the
// first frame missing ("List index out of bounds (%d)"), as the frame list
// itself does.
class EShortGif : public Exception {
public:
  EShortGif(int frameCount, int missing);
  int FrameCount() const { return FFrameCount; }

private:
  int FFrameCount;
};

// The frame numbers (from 0) of bands 0 to 3 for a GIF of frameCount frames.
// First four: 0 to 3. Spread: frame round(k * N / 4), halves rounded up.
// List: the numbers given. With fewer than four frames the short-GIF rule
// decides: refused (EShortGif), or the frames repeated in turn (a a a a,
// a b a b, a b c a). A listed number the GIF does not have raises "List
// index out of bounds (%d)" with that number.
std::array<int, 4> ChooseFrames(int frameCount, const StripOptions& options);

// For the user, counted from 1: "frames 1 to 4 of 15", "frames 1, 5, 9 and
// 12 of 15", "frames 1, 2, 1 and 2 of 2"; empty when the GIF has exactly the
// four frames used, in order.
std::string FramesUsedNote(const std::array<int, 4>& frames, int frameCount);

// How many leading frames a GIF read for its strip should decode while it is
// read: those the choice is sure to use (the others decode on first use).
int FramesDecodedForStrip(const StripOptions& options);
