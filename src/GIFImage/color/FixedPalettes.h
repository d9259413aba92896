// The fixed palettes of the colour reduction, one per reduction method code
// that needs no image to build its palette:
//   1  the default system palette (20 colours)      flags 0
//   2  the halftone palette (256 colours)           flags 0
//   3  four greys: 0, 128, 192, 255                 no-collapse
//   4  black and white                              no-collapse
//   5  256 greys, entry i being (i, i, i)           no-collapse
//   6  the 216-colour cube, entry 36 r + 6 g + b    flags 0
// Each call builds a fresh palette that belongs to the caller.
#pragma once

#include <cstdint>
#include <optional>

#include "Palette.h"

TPalette CubePalette();
TPalette FourGrayPalette();
TPalette BlackWhitePalette();
TPalette GrayScalePalette();

// The palette of a reduction method code, or none for a method whose palette
// comes from the image or the caller (0, 7, 8, 9) or that does not exist.
std::optional<TPalette> FixedPalette(std::uint8_t method);
