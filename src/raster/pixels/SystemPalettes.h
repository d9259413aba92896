// The palettes a desktop platform keeps ready and ours lacks, supplied as
// data: the 20-colour default system palette (10 leading, 10 closing colours),
// the 16 standard colours of 4-bit images and a 256-entry halftone palette.
#pragma once

#include "Palette.h"

const TPalette& DefaultSystemPalette();
const TPalette& StandardColorPalette();
// The 10 leading system colours, the 216-colour cube (51 per step, red
// slowest), 20 greys between the cube's greys, and the 10 closing colours.
const TPalette& HalftonePalette();
