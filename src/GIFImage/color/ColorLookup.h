// Colour lookups: the objects that map an RGB colour to an index of a palette
// and tell which colour that index stands for. TColorLookup is the common
// base; the four lookups below it serve the reduction methods of the codec:
//   TFastColorLookup      any palette, nearest entry through a per-cell cache
//   TNetscapeColorLookup  the 216-colour cube, by arithmetic
//   TGrayScaleLookup      256 greys, by luminance
//   TMonochromeLookup     black and white, by a luminance threshold
// The lookups own no palette object: TFastColorLookup keeps its own copy of
// the entries it was made from, the others need none.
//
// Matching is the inner loop of every reduction and dither, so the matches
// are defined here inline, and each lookup carries a tag naming its class:
// a loop that dispatches on the tag (WithConcreteLookup) gets the match
// inlined instead of calling it through the table.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Palette.h"

// A palette index together with the palette colour it stands for.
struct TColorMatch {
  std::uint8_t Index = 0;
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  friend bool operator==(const TColorMatch&, const TColorMatch&) = default;
};

enum class TLookupKind : std::uint8_t { Other, Fast, Netscape, GrayScale, Monochrome };

class TColorLookup {
public:
  virtual ~TColorLookup() = default;
  TColorLookup(const TColorLookup&) = delete;
  TColorLookup& operator=(const TColorLookup&) = delete;

  // The number of palette entries the lookup can return; 0 makes it unusable.
  int Colors() const { return FColors; }
  TLookupKind Kind() const { return FKind; }
  virtual TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) = 0;

protected:
  explicit TColorLookup(int colors) : FColors(colors), FKind(TLookupKind::Other) {}

private:
  // Only the four lookups of this file name their own tag.
  friend class TFastColorLookup;
  friend class TNetscapeColorLookup;
  friend class TGrayScaleLookup;
  friend class TMonochromeLookup;
  TColorLookup(int colors, TLookupKind kind) : FColors(colors), FKind(kind) {}

  int FColors;
  TLookupKind FKind;
};

// Nearest palette entry by the sum of absolute channel differences. Answers
// come from a cache of 32768 cells, 5 bits per channel: each cell first holds
// the palette entry that lies in it (the lowest one when several do); an
// empty cell is filled by the first colour looked up in it, so that colour
// decides the answer for every later colour of the cell.
class TFastColorLookup final : public TColorLookup {
public:
  static constexpr int CellCount = 32768;

  // Takes a copy of the palette's entries (at most 256).
  explicit TFastColorLookup(const TPalette& palette);

  TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    const int cell = (red >> 3) | ((green >> 3) << 5) | ((blue >> 3) << 10);
    const int index = FCells[static_cast<std::size_t>(cell)];
    if (index >= 0) return FEntries[static_cast<std::size_t>(index)];
    return SearchCell(cell, red, green, blue);
  }

private:
  TColorMatch SearchCell(int cell, int red, int green, int blue);

  std::vector<TColorMatch> FEntries;
  std::vector<std::int16_t> FCells;
};

// The 216-colour cube: each channel steps at 51, and a value goes to the step
// (value + 3) div 51; entry 36 r + 6 g + b is (51 r, 51 g, 51 b).
class TNetscapeColorLookup final : public TColorLookup {
public:
  TNetscapeColorLookup() : TColorLookup(216, TLookupKind::Netscape) {}

  TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    const std::uint8_t r = Steps[red], g = Steps[green], b = Steps[blue];
    return {static_cast<std::uint8_t>(36 * r + 6 * g + b), Levels[r], Levels[g], Levels[b]};
  }

private:
  static constexpr std::array<std::uint8_t, 256> Steps = [] {
    std::array<std::uint8_t, 256> steps{};
    for (int v = 0; v < 256; ++v) steps[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>((v + 3) / 51);
    return steps;
  }();
  static constexpr std::array<std::uint8_t, 6> Levels = {0, 51, 102, 153, 204, 255};
};

// Luminance weights of the grey lookups; they add up to 256.
inline constexpr int LumaRed = 77;
inline constexpr int LumaGreen = 150;
inline constexpr int LumaBlue = 29;

// 256 greys: entry v is (v, v, v), v the luminance of the colour.
class TGrayScaleLookup final : public TColorLookup {
public:
  TGrayScaleLookup() : TColorLookup(256, TLookupKind::GrayScale) {}

  TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    const auto v = static_cast<std::uint8_t>((LumaRed * red + LumaGreen * green + LumaBlue * blue) >> 8);
    return {v, v, v, v};
  }
};

// Black (entry 0) and white (entry 1): white when the weighted luminance sum
// exceeds 127 * 256, so grey 127 is black and grey 128 white.
class TMonochromeLookup final : public TColorLookup {
public:
  TMonochromeLookup() : TColorLookup(2, TLookupKind::Monochrome) {}

  TColorMatch MatchColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    if (LumaRed * red + LumaGreen * green + LumaBlue * blue > 127 * 256) return {1, 255, 255, 255};
    return {0, 0, 0, 0};
  }
};

// Calls body(lookup) with the lookup as its concrete class when it is one of
// the four above, else as the base, and returns what body returns.
template <class Body>
decltype(auto) WithConcreteLookup(TColorLookup& lookup, Body&& body) {
  switch (lookup.Kind()) {
    case TLookupKind::Netscape: return body(static_cast<TNetscapeColorLookup&>(lookup));
    case TLookupKind::Fast: return body(static_cast<TFastColorLookup&>(lookup));
    case TLookupKind::GrayScale: return body(static_cast<TGrayScaleLookup&>(lookup));
    case TLookupKind::Monochrome: return body(static_cast<TMonochromeLookup&>(lookup));
    case TLookupKind::Other: break;
  }
  return body(lookup);
}
