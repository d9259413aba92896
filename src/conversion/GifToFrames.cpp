#include "GifToFrames.h"

#include <algorithm>

#include "BmxStrip.h"
#include "StripComposition.h"

int FrameDelayOf(const TGIFImage& gif, int number) {
  const TGIFGraphicControlExtension* control = gif.Frames()[number].ControlBlock();
  return control == nullptr ? 0 : control->Delay();
}

// The frames go four at a time through the strip's own composition, the last
// group filled up with the last frame.
std::vector<TMonoFrame> GifToFrames(TGIFImage& gif, const StripOptions& options) {
  const int count = gif.Frames().Count();
  std::vector<TMonoFrame> frames;
  frames.reserve(static_cast<std::size_t>(count));
  for (int first = 0; first < count; first += StripFrameCount) {
    std::array<int, StripFrameCount> group{};
    for (int k = 0; k < StripFrameCount; ++k) group[static_cast<std::size_t>(k)] = std::min(first + k, count - 1);
    const std::unique_ptr<TBitmap> strip = MakeStrip(gif, group, options);
    const int bandHeight = strip->Height() / StripFrameCount;
    for (int k = 0; k < StripFrameCount && first + k < count; ++k)
      frames.push_back({CutStripFrame(*strip, k, bandHeight), FrameDelayOf(gif, first + k)});
  }
  return frames;
}
