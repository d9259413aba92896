#include "DitherEngine.h"

#include <stdexcept>

TDitherEngine::TDitherEngine(int width, TColorLookup& lookup) : FLookup(lookup), FWidth(width) {
  if (width < 0) throw std::invalid_argument("negative row width");
}

template <class L>
TColorMatch TDitherEngine::Step(L& lookup, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  const TColorMatch match = lookup.MatchColor(red, green, blue);
  Advance();
  return match;
}

TColorMatch TDitherEngine::QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Step(FLookup, red, green, blue);
}

void TDitherEngine::EndRow() {
  FDirection = -FDirection;
  FColumn = FDirection > 0 ? 0 : FWidth - 1;
}

void TDitherEngine::SkipPixel() { Advance(); }

void TDitherEngine::QuantizeRow(const std::uint8_t* source, std::uint8_t* target) {
  DitherRow(*this, source, target);
}
