#include "BmxAnimation.h"

#include <cstdint>

int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap, const AnimationOptions& options) {
  const int index = document.AppendFrame(bitmap);
  TGIFSubImage& frame = document.Frames()[index];
  if (index == 0) {
    auto loop = std::make_unique<TGIFAppExtNSLoop>(&frame);
    loop->SetLoopCount(static_cast<std::uint16_t>(options.LoopCount));
    frame.ExtList().Add(std::move(loop));
  }
  // Not transparent, disposal 0: each frame simply replaces the one before.
  auto control = std::make_unique<TGIFGraphicControlExtension>(&frame);
  control->SetDelay(static_cast<std::uint16_t>(options.Delay));
  frame.ExtList().Add(std::move(control));
  return index;
}
