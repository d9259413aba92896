// TColourScreen: the logical screen in full colour, for composing frames
// that are then scaled or made black and white by a rule that looks at
// neighbouring pixels.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ColourPicture.h"
#include "Geometry.h"

class TColourScreen {
public:
  using Cell = TColor;
  TColourScreen(int width, int height) : FPicture(width, height, clWhite) {}

  int Width() const { return FPicture.Width; }
  int Height() const { return FPicture.Height; }
  const TColourPicture& Picture() const { return FPicture; }

  // As TMonoScreen::DrawRow, in colour.
  void DrawRow(int y, int left, int right, const std::uint8_t* indices, const Cell* cells, int transparent) {
    TColor* row = FPicture.Row(y);
    for (int x = left; x < right; ++x, ++indices)
      if (*indices != transparent) row[x] = cells[*indices];
  }
  void FillRow(int y, int left, int right, Cell cell) { std::fill(FPicture.Row(y) + left, FPicture.Row(y) + right, cell); }
  void FillWhite(const TRect& area) {
    for (int y = area.Top; y < area.Bottom; ++y) std::fill(FPicture.Row(y) + area.Left, FPicture.Row(y) + area.Right, clWhite);
  }
  std::vector<TColor> SaveRows(int top, int bottom) const {
    if (bottom <= top) return {};
    return std::vector<TColor>(FPicture.Row(top), FPicture.Row(top) + static_cast<std::size_t>(bottom - top) * Width());
  }
  void RestoreRows(int top, const std::vector<TColor>& rows) { std::copy(rows.begin(), rows.end(), FPicture.Row(top)); }

private:
  TColourPicture FPicture;
};
