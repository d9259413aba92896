// XBM, the X Window System's bitmap as C source text:
//
//   #define logo_width 10
//   #define logo_height 3
//   static unsigned char logo_bits[] = {
//      0x8d, 0x01, 0x72, 0x02, 0xff, 0x03 };
//
// The rows follow top to bottom, each padded to whole bytes, the leftmost
// pixel in the least significant bit, a set bit black. The older X10 form
// stores 16-bit "short" values instead of bytes, rows padded to whole values;
// it is read too. C comments may stand anywhere between the tokens.
#pragma once

#include <string>

#include "PixelImage.h"
#include "Stream.h"

// Reads the rest of the stream as an XBM file into a black-and-white picture:
// the sizes come from the "#define NAME_width" and "NAME_height" lines before
// the array (hot-spot lines are passed over). A stream of 0 bytes, or a
// declared width or height of 0, gives an empty (0 x 0) picture. Raises "XBM
// image is not valid" for a missing size or array, a value that is not a
// number or too large for its type, or fewer values than the picture needs,
// and "Out of system resources" for a size over the pixel cap (both checked
// before anything is allocated). Text after the values it needs is ignored.
TPixelImage ReadXbm(TStream& stream);

// Writes the picture (white pixels white, all others black) as an X11 XBM
// file whose names begin with name (made a C identifier first; see
// CIdentifier); nothing for an empty picture.
void WriteXbm(const TPixelImage& picture, TStream& stream, const std::string& name);
