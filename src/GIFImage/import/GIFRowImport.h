// Reading the rows of an image into a frame's indices and colour table:
// 1-, 4- and 8-bit images give their own indices and colour table, a 24-bit
// image its distinct colours in the order they first appear (at most 256,
// "Color table overflow" beyond, as the table raises it).
#pragma once

#include <functional>

#include "Bitmap.h"
#include "PixelFormat.h"

class TPalette;
class TPixelImage;

// The colour table that the rows' indices point into.
class TImportColors {
public:
  // The table becomes the image's colour table, or the palette's colours.
  virtual void TakeImageColorTable(const TPixelImage& image) = 0;
  virtual void TakePalette(const TPalette& palette) = 0;
  // The index of an entry of exactly this colour, added when there is none.
  virtual int AddUniqueColor(TColor color) = 0;

protected:
  ~TImportColors() = default;
};

// Where the indices go: Width per row, Height rows, all allocated.
struct TIndexRows {
  std::uint8_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
};

// Called before each row that is read, with its number.
using TRowReport = std::function<void(int row)>;

// The formats read as they are; any other is read at 24 bits.
bool IsIndexedFormat(TPixelFormat format);

// Reads Width by Height pixels from the top-left of the image, switching the
// image to the format first (1, 4, 8 or 24 bits; any other counts as 24), and
// fills the colour table from the image so switched.
void ReadImageRows(TBitmap& image, TPixelFormat format, const TIndexRows& rows, TImportColors& colors,
                   const TRowReport& report);
