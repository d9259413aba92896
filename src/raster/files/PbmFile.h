// PBM, the portable bitmap of Netpbm, in both forms: plain ("P1": the pixels
// as the characters '1' black and '0' white, white space between them
// optional) and raw ("P4": the rows top to bottom as packed bytes, each padded
// to whole bytes, the leftmost pixel in the most significant bit, a set bit
// black). The header is the magic number, then width and height in decimal,
// separated by white space, with '#' comments to the end of a line allowed
// wherever white space is; one white-space character ends it.
#pragma once

#include "PixelImage.h"
#include "Stream.h"

enum class TPbmForm { Plain, Raw };

// Reads the rest of the stream as a PBM file of either form into a
// black-and-white picture; a file that holds several pictures gives its first.
// A stream of 0 bytes, or a declared width or height of 0, gives an empty
// (0 x 0) picture. Raises "PBM image is not valid" for another magic number, a
// size that is not a number, a pixel character other than '0' and '1', or a
// file that ends early, and "Out of system resources" for a size over the pixel
// cap (both checked before anything is allocated).
TPixelImage ReadPbm(TStream& stream);

// Writes the picture (white pixels white, all others black) as a PBM file of
// the given form; plain lines hold at most 70 characters. Nothing for an
// empty picture.
void WritePbm(const TPixelImage& picture, TStream& stream, TPbmForm form);
