// DecodeRle: expands the run-length pixel codes of RLE8 and RLE4 BMP files into
// colour-table indices, one byte per pixel. It knows the codes (repeated runs,
// absolute runs padded to a word, end of line, end of bitmap, delta moves) and
// nothing of headers or colours.
#pragma once

#include <cstdint>
#include <span>

#include "PixelImage.h"

enum class TRleEncoding { Rle8, Rle4 };

// Writes the indices into an 8-bit image (its rows top to bottom, as always);
// the codes start at the bottom row, as the file stores them. The image is a
// new one, all index 0: pixels that no code reaches keep it, and the rows
// above the last one written and the columns right of the furthest pixel
// written are marked as known zero. Runs that go past
// the end of a row are cut there (they do not wrap), and codes that move past
// the top row end the picture, as does the end of the codes.
void DecodeRle(std::span<const std::uint8_t> codes, TRleEncoding encoding, TPixelImage& indices);
