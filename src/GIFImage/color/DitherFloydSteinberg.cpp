#include "DitherFloydSteinberg.h"

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup)
    : TDitherEngine(width, lookup), FErrors(3 * (static_cast<std::size_t>(width) + 2), 0) {}

template <class L>
TColorMatch TFloydSteinbergDitherer::PixelAt(L& lookup, TCarried& carried, int column, std::uint8_t red,
                                             std::uint8_t green, std::uint8_t blue) {
  const int* reached = Entry(column);
  const std::uint8_t r = ClampChannel(red + (reached[0] + 7 * carried.Error[0] + 8) / 16);
  const std::uint8_t g = ClampChannel(green + (reached[1] + 7 * carried.Error[1] + 8) / 16);
  const std::uint8_t b = ClampChannel(blue + (reached[2] + 7 * carried.Error[2] + 8) / 16);
  const TColorMatch match = lookup.MatchColor(r, g, b);
  Spread(carried, column, {r - match.Red, g - match.Green, b - match.Blue});
  return match;
}

void TFloydSteinbergDitherer::Spread(TCarried& carried, int column, const TChannels& error) {
  // The entry of the column behind this one is complete now: it has had its
  // 1/16 and 5/16 and gets its last 3/16 from this pixel.
  int* behind = Entry(column - Direction());
  for (std::size_t ch = 0; ch < 3; ++ch) {
    const int e = error[ch];
    behind[ch] = carried.BelowPrevious[ch] + 3 * e;
    carried.BelowPrevious[ch] = carried.Error[ch] + 5 * e;
    carried.Error[ch] = e;
  }
}

KORVANE_FLATTEN TColorMatch TFloydSteinbergDitherer::QuantizePixel(std::uint8_t red, std::uint8_t green,
                                                                   std::uint8_t blue) {
  return QuantizeOne(*this, FCarried, red, green, blue);
}

void TFloydSteinbergDitherer::EndRow() {
  // The last pixel's column still waits for its sum; a column past the
  // margins (after a caller ran beyond the row) has nothing to finish.
  const int last = Column() - Direction();
  if (last >= -1 && last <= Width()) {
    int* entry = Entry(last);
    for (std::size_t ch = 0; ch < 3; ++ch) entry[ch] = FCarried.BelowPrevious[ch];
  }
  FCarried = TCarried{};
  TDitherEngine::EndRow();
}

void TFloydSteinbergDitherer::SkipPixel() {
  if (InRow()) Spread(FCarried, Column(), TChannels{});
  Advance();
}

KORVANE_FLATTEN void TFloydSteinbergDitherer::QuantizeRow(const std::uint8_t* source, std::uint8_t* target) {
  TCarried carried = FCarried;
  QuantizeRest(*this, carried, source, target);
  FCarried = carried;
  EndRow();
}
