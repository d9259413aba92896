// The error-diffusion engines that keep whole error rows: Stucki, Sierra and
// Jarvis-Judice-Ninke (three rows, through their common base T5by3Ditherer),
// Stevenson-Arce (four rows) and Burkes (two rows).
//
// Each keeps, per colour channel, k error rows (row 0 the current row, row 1
// the next, ...), each with a margin of m entries at both ends so that the
// spreading never needs a bounds check; column c lives in entry c + m. A
// pixel takes (row 0 at its column + D div 2) / D, truncated toward zero, D
// being the engine's divisor. Its error is then added, times each weight of
// the engine's kernel, at offsets counted in the direction of travel. EndRow
// clears row 0 and moves it to the back, so every row moves up by one.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "DitherEngine.h"

// One weight of a kernel: `Row` rows down, `Offset` columns ahead in the
// direction of travel (negative: behind).
struct TDitherTap {
  int Row;
  int Offset;
  int Weight;
};

class TErrorRowDitherer : public TDitherEngine {
public:
  TColorMatch QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;
  void EndRow() override;
  void QuantizeRow(const std::uint8_t* source, std::uint8_t* target) override;

protected:
  static constexpr int MaxRows = 4;

  // kernel must outlive the engine (the engines pass static tables).
  TErrorRowDitherer(int width, TColorLookup& lookup, int rows, int margin, int divisor,
                    std::span<const TDitherTap> kernel);

private:
  friend class TDitherEngine;

  // The pixel at an in-row column.
  template <class L>
  TColorMatch PixelAt(L& lookup, TNoState&, int column, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  void Spread(int column, const std::array<int, 3>& error);
  int* Entry(int row, int column) { return FRows[static_cast<std::size_t>(row)] + 3 * (column + FMargin); }

  int FRowCount;
  int FMargin;
  int FDivisor;
  std::span<const TDitherTap> FKernel;
  // All rows in one block, three channels per entry; FRows[i] is where row i
  // currently starts.
  std::vector<int> FStore;
  std::array<int*, MaxRows> FRows{};
};

// The three-row engines: three error rows with margins of 2; each subclass
// brings its divisor and weights. Not made on its own.
class T5by3Ditherer : public TErrorRowDitherer {
protected:
  T5by3Ditherer(int width, TColorLookup& lookup, int divisor, std::span<const TDitherTap> kernel)
      : TErrorRowDitherer(width, lookup, 3, 2, divisor, kernel) {}
};

class TStuckiDitherer : public T5by3Ditherer {
public:
  TStuckiDitherer(int width, TColorLookup& lookup);
};

class TSierraDitherer : public T5by3Ditherer {
public:
  TSierraDitherer(int width, TColorLookup& lookup);
};

class TJaJuNiDitherer : public T5by3Ditherer {
public:
  TJaJuNiDitherer(int width, TColorLookup& lookup);
};

class TSteveArcheDitherer : public TErrorRowDitherer {
public:
  TSteveArcheDitherer(int width, TColorLookup& lookup);
};

class TBurkesDitherer : public TErrorRowDitherer {
public:
  TBurkesDitherer(int width, TColorLookup& lookup);
};
