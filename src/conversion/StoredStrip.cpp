#include "StoredStrip.h"

#include "BmxStrip.h"
#include "Canvas.h"

std::unique_ptr<TBitmap> ComposeStoredStrip(TGIFImage& gif, const std::array<int, 4>& frames) {
  auto strip = std::make_unique<TBitmap>();
  // Black and white before anything is drawn, the strip turns each frame
  // pixel white exactly where the frame's colour is white; made so while it
  // has no pixels, it grows white at 1 bit per pixel.
  strip->SetMonochrome(true);
  strip->SetHeight(StripFrameCount * gif.Height());
  strip->SetWidth(gif.Width());
  for (int k = 0; k < StripFrameCount; ++k)
    strip->Canvas().Draw(0, k * gif.Height(), gif.Frames().At(frames[static_cast<std::size_t>(k)]).Bitmap());
  return strip;
}
