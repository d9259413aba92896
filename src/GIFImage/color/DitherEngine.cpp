#include "DitherEngine.h"

#include <stdexcept>

TDitherEngine::TDitherEngine(int width, TColorLookup& lookup) : FLookup(lookup), FWidth(width) {
  if (width < 0) throw std::invalid_argument("negative row width");
}

KORVANE_FLATTEN TColorMatch TDitherEngine::QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  TNoState none;
  return QuantizeOne(*this, none, red, green, blue);
}

void TDitherEngine::EndRow() {
  FDirection = -FDirection;
  FColumn = FDirection > 0 ? 0 : FWidth - 1;
}

void TDitherEngine::SkipPixel() { Advance(); }

KORVANE_FLATTEN void TDitherEngine::QuantizeRow(const std::uint8_t* source, std::uint8_t* target) {
  TNoState none;
  QuantizeRest(*this, none, source, target);
  EndRow();
}
