#include "BmxAnimation.h"

int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap, const AnimationOptions& options) {
  const int index = document.AppendFrame(bitmap);
  AddAnimationExtensions(document.Frames()[index], index, options);
  return index;
}

void AddAnimationExtensions(TGIFSubImage& frame, int index, const AnimationOptions& options,
                            const TFrameShowing& showing) {
  if (index == 0) {
    auto loop = std::make_unique<TGIFAppExtNSLoop>(&frame);
    loop->SetLoopCount(static_cast<std::uint16_t>(options.LoopCount));
    frame.ExtList().Add(std::move(loop));
  }
  auto control = std::make_unique<TGIFGraphicControlExtension>(&frame);
  control->SetDelay(static_cast<std::uint16_t>(options.Delay));
  control->SetDisposal(showing.Disposal);
  if (showing.TransparentIndex >= 0) {
    control->SetTransparent(true);
    control->SetTransparentIndex(static_cast<std::uint8_t>(showing.TransparentIndex));
  }
  frame.ExtList().Add(std::move(control));
}
