// The BMX strip of a GIF document: its first four frames, one under the
// other, in black and white.
#include "BmxStrip.h"
#include "Canvas.h"
#include "GIFImage.h"

std::unique_ptr<TBitmap> TGIFImage::ComposeStrip() {
  auto strip = std::make_unique<TBitmap>();
  // Black and white before anything is drawn, the strip turns each frame
  // pixel white exactly where the frame's colour is white; made so while it
  // has no pixels, it grows white at 1 bit per pixel.
  strip->SetMonochrome(true);
  strip->SetHeight(StripFrameCount * Height());
  strip->SetWidth(Width());
  for (int k = 0; k < StripFrameCount; ++k) strip->Canvas().Draw(0, k * Height(), FFrames.At(k).Bitmap());
  return strip;
}
