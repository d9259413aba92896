// Whole-image pixel work that does not depend on a canvas: converting an image
// into another format (keeping colours as far as the target allows, or
// thresholding it to black and white), resizing it with the top-left kept,
// and filling it. Rows are converted as runs through TRowCodec.
#pragma once

#include <optional>
#include <vector>

#include "Color.h"
#include "PixelImage.h"

// The same picture in another format: an image of the source's size with the
// given depth, colour table and bit fields, each pixel's colour stored as
// closely as the target allows.
TPixelImage ConvertImage(const TPixelImage& source, int bitCount, std::vector<TPaletteEntry> colorTable = {},
                  std::optional<TBitFields> bitFields = std::nullopt);

// A black-and-white image of the source: each pixel equal to the background
// colour (RGB) becomes white, every other pixel black. The result has the
// given depth (1 or 32) and, for 1 bit, the table black then white.
TPixelImage ThresholdImage(const TPixelImage& source, TColor background, int bitCount);

// An image of the new size in the source's format: the old pixels stay at the
// top-left as far as they fit, the new area takes the fill colour (RGB).
TPixelImage ResizeImage(const TPixelImage& source, int width, int height, TColor fill);

// Rows [top, top + height) of the source, as wide as it, in the source's own
// format (a 1-bit picture stays 1 bit); rows below the source's last take the
// fill colour (RGB). When there are such rows and the source's format cannot
// hold the fill colour exactly, the result is a 32-bit image instead.
TPixelImage CutRows(const TPixelImage& source, int top, int height, TColor fillBelow);

// Sets every pixel of the image to a colour (RGB).
void FillImage(TPixelImage& image, TColor fill);

// The colour table of a black-and-white image: black, then white.
std::vector<TPaletteEntry> BlackWhiteTable();
