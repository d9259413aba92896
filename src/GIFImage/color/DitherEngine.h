// TDitherEngine: walks the rows of an image pixel by pixel, asks a colour
// lookup for each pixel's palette index and, in its subclasses, spreads the
// difference between the pixel and the chosen colour over pixels not yet
// visited (error diffusion). The plain engine spreads nothing.
//
// Every engine walks serpentine rows: row 0 left to right, row 1 right to
// left, and so on. QuantizePixel handles the pixel at Column() and moves the
// column one step in Direction(); EndRow turns to the next row. A caller loops
// while InRow() holds, or hands whole rows to QuantizeRow, which gives exactly
// the same indices.
//
// The engine uses its lookup without owning it; the lookup must outlive it.
#pragma once

#include <cstdint>

#include "ColorLookup.h"

// Marks the engines' entry points whose callees (the lookup dispatch, the
// concrete match, the engine's pixel step) must all be inlined into them, so
// that the values carried from pixel to pixel stay in registers.
#if defined(__GNUC__)
#define KORVANE_FLATTEN [[gnu::flatten]]
#else
#define KORVANE_FLATTEN
#endif

class TDitherEngine {
public:
  // width is the number of pixels in a row (std::invalid_argument when negative).
  TDitherEngine(int width, TColorLookup& lookup);
  virtual ~TDitherEngine() = default;
  TDitherEngine(const TDitherEngine&) = delete;
  TDitherEngine& operator=(const TDitherEngine&) = delete;

  // Matches the pixel at the current column after adding the error that has
  // reached it (clamped to 0..255), moves the column and spreads the new error.
  virtual TColorMatch QuantizePixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  // Reverses the direction and moves to the first column of the next row.
  virtual void EndRow();
  // Moves past the current pixel without matching it (a transparent pixel):
  // it takes no error and spreads none.
  virtual void SkipPixel();
  // Quantises the rest of the current row, from Column() in Direction(), and
  // ends the row. source holds the row's Width() pixels as blue, green, red
  // bytes; target receives Width() indices, each at its pixel's column.
  virtual void QuantizeRow(const std::uint8_t* source, std::uint8_t* target);

  int Width() const { return FWidth; }
  int Direction() const { return FDirection; }
  int Column() const { return FColumn; }
  bool InRow() const { return static_cast<unsigned>(FColumn) < static_cast<unsigned>(FWidth); }

protected:
  TColorLookup& Lookup() const { return FLookup; }
  void Advance() { FColumn += FDirection; }

  // An engine without state of its own between pixels.
  struct TNoState {};

  // The two loops shared by the engines. Engine::PixelAt(lookup, state,
  // column, red, green, blue) handles the pixel at an in-row column without
  // moving the column; it gets the lookup as its concrete class, and state is
  // whatever the engine carries from pixel to pixel.
  template <class Engine, class State>
  static TColorMatch QuantizeOne(Engine& engine, State& state, std::uint8_t red, std::uint8_t green,
                                 std::uint8_t blue) {
    return WithConcreteLookup(engine.FLookup, [&](auto& lookup) {
      // Past the row's ends a pixel is matched as it is.
      const TColorMatch match = engine.InRow() ? engine.PixelAt(lookup, state, engine.FColumn, red, green, blue)
                                               : lookup.MatchColor(red, green, blue);
      engine.Advance();
      return match;
    });
  }

  // Runs the rest of the current row; the caller ends the row.
  template <class Engine, class State>
  static void QuantizeRest(Engine& engine, State& state, const std::uint8_t* source, std::uint8_t* target) {
    WithConcreteLookup(engine.FLookup, [&](auto& lookup) {
      const int direction = engine.FDirection;
      const auto width = static_cast<unsigned>(engine.FWidth);
      int column = engine.FColumn;
      for (; static_cast<unsigned>(column) < width; column += direction) {
        const std::uint8_t* pixel = source + 3 * column;
        target[column] = engine.PixelAt(lookup, state, column, pixel[2], pixel[1], pixel[0]).Index;
      }
      engine.FColumn = column;
    });
  }

private:
  template <class L>
  TColorMatch PixelAt(L& lookup, TNoState&, int, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return lookup.MatchColor(red, green, blue);
  }

  TColorLookup& FLookup;
  int FWidth;
  int FDirection = 1;
  int FColumn = 0;
};

// Clamps a channel value with its error added to 0..255.
inline std::uint8_t ClampChannel(int value) {
  return static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}
