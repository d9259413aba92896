// The OTA bitmap (.otb) of picture messages and logos sent to phones: an info
// byte, width and height (one byte each, or two bytes each, most significant
// first, when the info byte has 0x10 set), the depth 1, then the rows top to
// bottom, each padded to whole bytes, the leftmost pixel in the most
// significant bit, a set bit black.
#pragma once

#include "PixelImage.h"
#include "Stream.h"

// Reads the rest of the stream as an OTA bitmap into a black-and-white
// picture. A stream of 0 bytes, or a declared width or height of 0, gives an
// empty (0 x 0) picture. Raises "OTA bitmap is not valid" for a chained info
// field, a depth other than 1, or a file that ends early, and "Out of system
// resources" for a size over the pixel cap (both checked before anything is
// allocated). Bytes after the last row are ignored.
TPixelImage ReadOtb(TStream& stream);

// Writes the picture (white pixels white, all others black) as an OTA bitmap,
// with one-byte sizes up to 255 x 255 and two-byte sizes beyond; nothing for
// an empty picture. A side over 65535 raises "The picture is too large for the
// OTA bitmap format" before anything is written.
void WriteOtb(const TPixelImage& picture, TStream& stream);
