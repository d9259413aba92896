#include "MonoScreen.h"

#include <algorithm>
#include <cstring>

#include "MonoBit.h"
#include "PixelConversion.h"

namespace {

// Bits left to right - 1 of row set (white) or cleared (black), a byte at a
// time where whole bytes lie between them.
void PaintRun(std::uint8_t* row, int left, int right, bool white) {
  int x = left;
  for (; x < right && (x & 7) != 0; ++x) PutMonoBit(row, x, white);
  const int wholeBytes = std::max((right - x) / 8, 0);
  std::memset(row + (x >> 3), white ? 0xFF : 0x00, static_cast<std::size_t>(wholeBytes));
  for (x += 8 * wholeBytes; x < right; ++x) PutMonoBit(row, x, white);
}

}  // namespace

TMonoScreen::TMonoScreen(int width, int height) : FImage(width, height, 1, BlackWhiteTable()) {
  FillWhite(Rect(0, 0, width, height));
}

void TMonoScreen::DrawRow(int y, int left, int right, const std::uint8_t* indices, const Cell* cells, int transparent) {
  std::uint8_t* row = FImage.ScanLine(y);
  for (int x = left; x < right; ++x, ++indices)
    if (*indices != transparent) PutMonoBit(row, x, cells[*indices]);
}

void TMonoScreen::FillRow(int y, int left, int right, Cell cell) { PaintRun(FImage.ScanLine(y), left, right, cell); }

void TMonoScreen::FillWhite(const TRect& area) {
  for (int y = area.Top; y < area.Bottom; ++y) FillRow(y, area.Left, area.Right, true);
}

std::vector<std::uint8_t> TMonoScreen::SaveRows(int top, int bottom) const {
  if (bottom <= top) return {};
  const std::uint8_t* first = FImage.ScanLine(top);
  return std::vector<std::uint8_t>(first, first + static_cast<std::size_t>(bottom - top) * FImage.RowBytes());
}

void TMonoScreen::RestoreRows(int top, const std::vector<std::uint8_t>& rows) {
  if (!rows.empty()) std::memcpy(FImage.ScanLine(top), rows.data(), rows.size());
}
