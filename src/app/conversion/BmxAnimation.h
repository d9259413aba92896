// The looping animation built from the four frames of a strip: each frame
// goes into the document by the codec's bitmap import (reduced to the
// 216-colour cube with the default settings), frame 0 carries the looping
// extension (loop forever) ahead of its graphic control extension, and every
// frame shows for 30 hundredths of a second.
#pragma once

#include <cstdint>

#include "GIFImage.h"

inline constexpr std::uint16_t AnimationDelay = 30;
inline constexpr std::uint16_t LoopForever = 0;

// Appends the bitmap as a new frame with its extensions; returns its index.
int AddAnimationFrame(TGIFImage& document, TBitmap& bitmap);
