#include "StripToGif.h"

#include "BmxAnimation.h"
#include "BmxStrip.h"

void StripToGif(TGIFImage& animation, const std::array<TBitmap*, 4>& frames, const AnimationOptions& options) {
  for (TBitmap* frame : frames) AddAnimationFrame(animation, *frame, options);
}

std::array<TBitmap, 4> CutStrip(const TBitmap& strip) {
  const int frameHeight = FrameHeightOf(strip.Height());
  return {CutStripFrame(strip, 0, frameHeight), CutStripFrame(strip, 1, frameHeight),
          CutStripFrame(strip, 2, frameHeight), CutStripFrame(strip, 3, frameHeight)};
}
