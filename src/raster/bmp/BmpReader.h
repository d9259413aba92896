// ReadBmp: turns the bytes of a BMP file into pixel storage. It accepts 1, 4,
// 8, 16, 24 and 32 bits per pixel, OS/2 (12-byte) and Windows info headers of
// 40 bytes and more (the V4 and V5 headers included), bit fields, rows stored
// bottom-up or top-down, and the run-length encodings RLE8 and RLE4.
//
// Size limits: an image is refused with "Out of system resources" when it has
// more than MaxDibPixels (2^26) pixels or a row longer than an int can count;
// every size is checked in 64 bits before anything is allocated, and nothing
// beyond the bytes the stream still holds is ever read or reserved.
#pragma once

#include "PixelImage.h"
#include "Stream.h"

struct TBmpImage {
  TPixelImage Image;                    // empty 0x0 TPixelImage for a 0-byte stream
  bool DeviceDependent = false;  // true for run-length files: the platform's decoder gives a device image
};

// Reads the rest of the stream as one BMP file. Raises "Bitmap image is not
// valid" for a file that is not a BMP (or one we cannot make sense of),
// "Stream read error" when the stream ends inside the headers, the bit masks or
// the colour table, and "Out of system resources" for an image over the cap.
// Pixel rows that a cut-off file does not supply keep colour 0 of the table.
//
// A run-length file gives an 8-bit image of its colour-table indices with the
// file's table, and DeviceDependent set: its holder makes a device image of
// it. Pixels that no run reaches are colour 0 of the table.
TBmpImage ReadBmp(TStream& stream);
