// The BMX strip of a GIF document: its first four frames, one under the
// other, in black and white.
#include "BmxStrip.h"
#include "Canvas.h"
#include "GIFImage.h"

std::unique_ptr<TBitmap> TGIFImage::ComposeStrip() {
  auto strip = std::make_unique<TBitmap>();
  // A new bitmap is white; made black and white before anything is drawn, it
  // turns each frame pixel white exactly where the frame's colour is white.
  strip->SetHeight(StripFrameCount * Height());
  strip->SetWidth(Width());
  strip->SetMonochrome(true);
  for (int k = 0; k < StripFrameCount; ++k) strip->Canvas().Draw(0, k * Height(), FFrames.At(k).Bitmap());
  return strip;
}
