#include "MonoScreen.h"

#include <algorithm>
#include <cstring>

#include "PixelConversion.h"

TMonoScreen::TMonoScreen(int width, int height) : FImage(width, height, 1, BlackWhiteTable()) {
  FillWhite(Rect(0, 0, width, height));
}

void TMonoScreen::DrawRow(int y, int left, int right, const std::uint8_t* indices, const Cell* cells, int transparent) {
  std::uint8_t* row = FImage.ScanLine(y);
  for (int x = left; x < right; ++x, ++indices) {
    if (*indices == transparent) continue;
    const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    if (cells[*indices])
      row[x >> 3] |= bit;
    else
      row[x >> 3] &= static_cast<std::uint8_t>(~bit);
  }
}

void TMonoScreen::FillWhite(const TRect& area) {
  for (int y = area.Top; y < area.Bottom; ++y) {
    std::uint8_t* row = FImage.ScanLine(y);
    int x = area.Left;
    for (; x < area.Right && (x & 7) != 0; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    const int wholeBytes = (area.Right - x) / 8;
    std::memset(row + (x >> 3), 0xFF, static_cast<std::size_t>(std::max(wholeBytes, 0)));
    for (x += 8 * std::max(wholeBytes, 0); x < area.Right; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
  }
}

std::vector<std::uint8_t> TMonoScreen::SaveRows(int top, int bottom) const {
  if (bottom <= top) return {};
  const std::uint8_t* first = FImage.ScanLine(top);
  return std::vector<std::uint8_t>(first, first + static_cast<std::size_t>(bottom - top) * FImage.RowBytes());
}

void TMonoScreen::RestoreRows(int top, const std::vector<std::uint8_t>& rows) {
  if (!rows.empty()) std::memcpy(FImage.ScanLine(top), rows.data(), rows.size());
}
