#include "DitherFloydSteinberg.h"

TFloydSteinbergDitherer::TFloydSteinbergDitherer(int width, TColorLookup& lookup)
    : TDitherEngine(width, lookup), FErrors(3 * (static_cast<std::size_t>(width) + 2), 0) {}

template <class L>
TColorMatch TFloydSteinbergDitherer::Step(L& lookup, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (!InRow()) {
    const TColorMatch match = lookup.MatchColor(red, green, blue);
    Advance();
    return match;
  }
  const int column = Column();
  const int* reached = Entry(column);
  const std::uint8_t r = ClampChannel(red + (reached[0] + FAhead[0] + 8) / 16);
  const std::uint8_t g = ClampChannel(green + (reached[1] + FAhead[1] + 8) / 16);
  const std::uint8_t b = ClampChannel(blue + (reached[2] + FAhead[2] + 8) / 16);
  const TColorMatch match = lookup.MatchColor(r, g, b);
  Advance();
  Spread(column, {r - match.Red, g - match.Green, b - match.Blue});
  return match;
}

void TFloydSteinbergDitherer::Spread(int column, const TChannels& error) {
  // The entry of the column behind this one is complete now: it has had its
  // 1/16 and 5/16 and gets its last 3/16 from this pixel.
  int* behind = Entry(column - Direction());
  for (int ch = 0; ch < 3; ++ch) {
    const int e = error[static_cast<std::size_t>(ch)];
    behind[ch] = FBelowPrevious[static_cast<std::size_t>(ch)] + 3 * e;
    FBelowPrevious[static_cast<std::size_t>(ch)] = FBelow[static_cast<std::size_t>(ch)] + 5 * e;
    FBelow[static_cast<std::size_t>(ch)] = e;
    FAhead[static_cast<std::size_t>(ch)] = 7 * e;
  }
}

TColorMatch TFloydSteinbergDitherer::QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Step(Lookup(), red, green, blue);
}

void TFloydSteinbergDitherer::EndRow() {
  // The last pixel's column still waits for its sum; a column past the
  // margins (after a caller ran beyond the row) has nothing to finish.
  const int last = Column() - Direction();
  if (last >= -1 && last <= Width()) {
    int* entry = Entry(last);
    for (int ch = 0; ch < 3; ++ch) entry[ch] = FBelowPrevious[static_cast<std::size_t>(ch)];
  }
  FAhead = FBelow = FBelowPrevious = TChannels{};
  TDitherEngine::EndRow();
}

void TFloydSteinbergDitherer::SkipPixel() {
  if (InRow()) Spread(Column(), TChannels{});
  Advance();
}

void TFloydSteinbergDitherer::QuantizeRow(const std::uint8_t* source, std::uint8_t* target) {
  DitherRow(*this, source, target);
}
