// TMonoScreen: the logical screen kept at 1 bit per pixel, white or black,
// for composing frames straight into black and white when the rule is
// decided pixel by pixel. Its rows have the layout of the strip's rows, so a
// band is a copy of them.
#pragma once

#include <cstdint>
#include <vector>

#include "Geometry.h"
#include "PixelImage.h"

class TMonoScreen {
public:
  using Cell = bool;  // true: white
  TMonoScreen(int width, int height);

  int Width() const { return FImage.Width(); }
  int Height() const { return FImage.Height(); }
  const TPixelImage& Image() const { return FImage; }

  // Pixels left to right from left to right - 1 of row y: cells[index] for
  // each index, except the transparent one (-1 for none), which leaves the pixel.
  void DrawRow(int y, int left, int right, const std::uint8_t* indices, const Cell* cells, int transparent);
  // Pixels left to right - 1 of row y all cell.
  void FillRow(int y, int left, int right, Cell cell);
  void FillWhite(const TRect& area);
  std::vector<std::uint8_t> SaveRows(int top, int bottom) const;
  void RestoreRows(int top, const std::vector<std::uint8_t>& rows);

private:
  TPixelImage FImage;
};
