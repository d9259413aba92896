#include "DitherErrorRows.h"

#include <algorithm>

namespace {

// Weights per engine, row by row; each kernel adds up to its divisor.
constexpr TDitherTap StuckiKernel[] = {
    {0, 1, 8}, {0, 2, 4},
    {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
    {2, -2, 1}, {2, -1, 2}, {2, 0, 4}, {2, 1, 2}, {2, 2, 1},
};
constexpr TDitherTap SierraKernel[] = {
    {0, 1, 5}, {0, 2, 3},
    {1, -2, 2}, {1, -1, 4}, {1, 0, 5}, {1, 1, 4}, {1, 2, 2},
    {2, -1, 2}, {2, 0, 3}, {2, 1, 2},
};
constexpr TDitherTap JaJuNiKernel[] = {
    {0, 1, 7}, {0, 2, 5},
    {1, -2, 3}, {1, -1, 5}, {1, 0, 7}, {1, 1, 5}, {1, 2, 3},
    {2, -2, 1}, {2, -1, 3}, {2, 0, 5}, {2, 1, 3}, {2, 2, 1},
};
constexpr TDitherTap SteveArcheKernel[] = {
    {0, 2, 32},
    {1, -3, 12}, {1, -1, 26}, {1, 1, 30}, {1, 3, 16},
    {2, -2, 12}, {2, 0, 26}, {2, 2, 12},
    {3, -3, 5}, {3, -1, 12}, {3, 1, 12}, {3, 3, 5},
};
constexpr TDitherTap BurkesKernel[] = {
    {0, 1, 8}, {0, 2, 4},
    {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4}, {1, 2, 2},
};

}  // namespace

TErrorRowDitherer::TErrorRowDitherer(int width, TColorLookup& lookup, int rows, int margin, int divisor,
                                     std::span<const TDitherTap> kernel)
    : TDitherEngine(width, lookup), FRowCount(rows), FMargin(margin), FDivisor(divisor), FKernel(kernel) {
  const std::size_t rowSize = 3 * (static_cast<std::size_t>(width) + 2 * static_cast<std::size_t>(margin));
  FStore.assign(rowSize * static_cast<std::size_t>(rows), 0);
  for (int i = 0; i < rows; ++i)
    FRows[static_cast<std::size_t>(i)] = FStore.data() + rowSize * static_cast<std::size_t>(i);
}

template <class L>
TColorMatch TErrorRowDitherer::PixelAt(L& lookup, TNoState&, int column, std::uint8_t red, std::uint8_t green,
                                       std::uint8_t blue) {
  const int* reached = Entry(0, column);
  const int half = FDivisor / 2;
  const std::uint8_t r = ClampChannel(red + (reached[0] + half) / FDivisor);
  const std::uint8_t g = ClampChannel(green + (reached[1] + half) / FDivisor);
  const std::uint8_t b = ClampChannel(blue + (reached[2] + half) / FDivisor);
  const TColorMatch match = lookup.MatchColor(r, g, b);
  const std::array<int, 3> error = {r - match.Red, g - match.Green, b - match.Blue};
  if (error[0] != 0 || error[1] != 0 || error[2] != 0) Spread(column, error);
  return match;
}

void TErrorRowDitherer::Spread(int column, const std::array<int, 3>& error) {
  const int direction = Direction();
  for (const TDitherTap& tap : FKernel) {
    int* entry = Entry(tap.Row, column + direction * tap.Offset);
    entry[0] += tap.Weight * error[0];
    entry[1] += tap.Weight * error[1];
    entry[2] += tap.Weight * error[2];
  }
}

KORVANE_FLATTEN TColorMatch TErrorRowDitherer::QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  TNoState none;
  return QuantizeOne(*this, none, red, green, blue);
}

void TErrorRowDitherer::EndRow() {
  const std::size_t rowSize = FStore.size() / static_cast<std::size_t>(FRowCount);
  std::fill_n(FRows[0], rowSize, 0);
  std::rotate(FRows.begin(), FRows.begin() + 1, FRows.begin() + FRowCount);
  TDitherEngine::EndRow();
}

KORVANE_FLATTEN void TErrorRowDitherer::QuantizeRow(const std::uint8_t* source, std::uint8_t* target) {
  TNoState none;
  QuantizeRest(*this, none, source, target);
  EndRow();
}

TStuckiDitherer::TStuckiDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 42, StuckiKernel) {}

TSierraDitherer::TSierraDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 32, SierraKernel) {}

TJaJuNiDitherer::TJaJuNiDitherer(int width, TColorLookup& lookup) : T5by3Ditherer(width, lookup, 48, JaJuNiKernel) {}

TSteveArcheDitherer::TSteveArcheDitherer(int width, TColorLookup& lookup)
    : TErrorRowDitherer(width, lookup, 4, 3, 200, SteveArcheKernel) {}

TBurkesDitherer::TBurkesDitherer(int width, TColorLookup& lookup)
    : TErrorRowDitherer(width, lookup, 2, 2, 32, BurkesKernel) {}
