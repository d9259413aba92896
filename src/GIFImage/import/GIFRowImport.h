// Reading the rows of an image into a frame's indices and local colour table:
// 1-, 4- and 8-bit images give their own indices and colour table, a 24-bit
// image its distinct colours in the order they first appear (at most 256,
// "Color table overflow" beyond).
#pragma once

#include <functional>

#include "Bitmap.h"
#include "PixelFormat.h"

class TGIFSubImage;

// Called before each row that is read, with its number.
using TRowReport = std::function<void(int row)>;

// The formats read as they are; any other is read at 24 bits.
bool IsIndexedFormat(TPixelFormat format);

// Reads the frame's Width by Height pixels from the top-left of the image,
// switching the image to the format first (1, 4, 8 or 24 bits; any other
// counts as 24). The frame's pixels must be allocated.
void ReadImageRows(TBitmap& image, TPixelFormat format, TGIFSubImage& frame, const TRowReport& report);
