// WBMP, the wireless bitmap of WAP phones, type 0 (the only type defined):
// the type 0 and a fixed header byte 0, then width and height as multi-byte
// integers (seven bits a byte, most significant group first, the top bit set
// on every byte but the last), then the rows top to bottom, each padded to
// whole bytes, the leftmost pixel in the most significant bit, a set bit white.
#pragma once

#include "PixelImage.h"
#include "Stream.h"

// Reads the rest of the stream as a WBMP file into a black-and-white picture.
// A stream of 0 bytes, or a declared width or height of 0, gives an empty
// (0 x 0) picture. Raises "WBMP image is not valid" for another type,
// extension headers, or a file that ends early, and "Out of system resources"
// for a size over the pixel cap (both checked before anything is allocated).
// Bytes after the last row are ignored.
TPixelImage ReadWbmp(TStream& stream);

// Writes the picture (white pixels white, all others black) as a WBMP file;
// nothing for an empty picture.
void WriteWbmp(const TPixelImage& picture, TStream& stream);
