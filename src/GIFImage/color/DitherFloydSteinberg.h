// TFloydSteinbergDitherer: error diffusion with the Floyd-Steinberg weights.
// Of a pixel's error (pixel after adding the error that reached it, less the
// chosen colour) 7/16 go to the next pixel of the row, 3/16 to the pixel
// behind it in the next row, 5/16 to the one below and 1/16 to the one ahead
// of that, "ahead" and "behind" taken in the direction of travel. A pixel
// takes (sum of the weighted errors + 8) / 16, truncated toward zero.
//
// Per channel it keeps a single error row of W + 2 entries (a margin entry at
// each end; column c lives in entry c + 1) and carried values: the last
// pixel's error (7 times it is the part for the next pixel, 1 times it the
// part below-ahead), and the sum still collecting for the column below the
// last pixel. Each pixel reads its own entry, then writes the finished sum of
// the previous column's entry, which it has already read.
#pragma once

#include <array>
#include <vector>

#include "DitherEngine.h"

class TFloydSteinbergDitherer : public TDitherEngine {
public:
  TFloydSteinbergDitherer(int width, TColorLookup& lookup);

  TColorMatch QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
  void EndRow() override;
  void SkipPixel() override;
  void QuantizeRow(const std::uint8_t* source, std::uint8_t* target) override;

private:
  friend class TDitherEngine;
  using TChannels = std::array<int, 3>;
  struct TCarried {
    TChannels Error{};
    TChannels BelowPrevious{};
  };

  // The pixel at an in-row column; the carried values come as a parameter so
  // that a whole row can keep them in a local.
  template <class L>
  TColorMatch PixelAt(L& lookup, TCarried& carried, int column, std::uint8_t red, std::uint8_t green,
                      std::uint8_t blue);
  // Hands on the errors of the pixel at column, which is being left behind.
  void Spread(TCarried& carried, int column, const TChannels& error);
  int* Entry(int column) { return FErrors.data() + 3 * (column + 1); }

  // Three channels (red, green, blue) per entry.
  std::vector<int> FErrors;
  TCarried FCarried;
};
