// The strip with the frames as stored: each chosen frame's own bitmap, at its
// own size, drawn opaquely at the top-left of its band of a white strip of
// the logical screen's size, whatever the frame's place on the screen. A
// pixel of exactly white stays white, every other colour turns black; a
// frame without an image leaves its band white.
#pragma once

#include <array>
#include <memory>

#include "Bitmap.h"
#include "GIFImage.h"

std::unique_ptr<TBitmap> ComposeStoredStrip(TGIFImage& gif, const std::array<int, 4>& frames);
