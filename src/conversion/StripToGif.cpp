#include "StripToGif.h"

#include "AnimationDocument.h"
#include "BmxAnimation.h"
#include "BmxStrip.h"
#include "FrameOptimiser.h"

namespace {

// The optimised animation: of the shared table as it is and the one with a
// spare entry for the transparent index, whichever makes the smaller file.
void BuildOptimised(TGIFImage& document, const TIndexedAnimation& indexed, const AnimationOptions& options) {
  TIndexedAnimation optimised = indexed;
  if (!OptimiseFrames(optimised)) {
    BuildAnimation(document, indexed, options, 0);
    return;
  }
  if (SpareIndexWouldHelp(indexed)) {
    TIndexedAnimation spare = indexed;
    spare.SharedColors.push_back(TGIFColor{});
    OptimiseFrames(spare);
    if (AnimationFileSize(spare, options, LeaveInPlace) < AnimationFileSize(optimised, options, LeaveInPlace))
      optimised = std::move(spare);
  }
  BuildAnimation(document, optimised, options, LeaveInPlace);
}

}  // namespace

void StripToGif(TGIFImage& animation, const std::array<TBitmap*, 4>& frames, const AnimationOptions& options) {
  if (options.Palette == GifPalette::Cube && !options.Optimise) {
    for (TBitmap* frame : frames) AddAnimationFrame(animation, *frame, options);
    return;
  }
  TIndexedAnimation indexed = IndexFrames(animation, frames);
  if (options.Palette == GifPalette::Compact) CompactColors(indexed);
  if (options.Optimise)
    BuildOptimised(animation, indexed, options);
  else
    BuildAnimation(animation, indexed, options, 0);
}

std::array<TBitmap, 4> CutStrip(const TBitmap& strip) {
  const int frameHeight = FrameHeightOf(strip.Height());
  return {CutStripFrame(strip, 0, frameHeight), CutStripFrame(strip, 1, frameHeight),
          CutStripFrame(strip, 2, frameHeight), CutStripFrame(strip, 3, frameHeight)};
}
