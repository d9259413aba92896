// WriteMonochromeBmp: the one BMP layout this program writes, the 1-bit file of
// a black-and-white picture: a 14-byte file header, a 40-byte info header, the
// colour table black then white, and the rows bottom-up, each padded to 4 bytes.
#pragma once

#include "PixelImage.h"
#include "Stream.h"

// Writes the exact 1-bit BMP of an image: white pixels become 1, all others 0; nothing for an empty image.
void WriteMonochromeBmp(const TPixelImage& image, TStream& stream);
