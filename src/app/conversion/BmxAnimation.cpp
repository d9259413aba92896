#include "BmxAnimation.h"

int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap) {
  const int index = document.AppendFrame(bitmap);
  TGIFSubImage& frame = document.Frames()[index];
  if (index == 0) {
    auto loop = std::make_unique<TGIFAppExtNSLoop>(&frame);
    loop->SetLoopCount(LoopForever);
    frame.ExtList().Add(std::move(loop));
  }
  // Not transparent, disposal 0: each frame simply replaces the one before.
  auto control = std::make_unique<TGIFGraphicControlExtension>(&frame);
  control->SetDelay(AnimationDelay);
  frame.ExtList().Add(std::move(control));
  return index;
}
