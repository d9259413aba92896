// Helpers of the surface tests: a bitmap's pixels as one list, and the pixel
// formats as type parameters (how to make a bitmap of the format, its bits
// per pixel, how close a stored colour comes to the one written, and one
// known pixel written straight into a row).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "SystemPalettes.h"

// The colours of all pixels, rows top to bottom.
inline std::vector<TColor> Pixels(TBitmap& bitmap) {
  std::vector<TColor> colors;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) colors.push_back(bitmap.Canvas().PixelColor(x, y));
  return colors;
}

// A one-row bitmap of the given colours.
inline void Row(TBitmap& bitmap, const std::vector<TColor>& colors, bool monochrome = false) {
  bitmap.SetMonochrome(monochrome);
  bitmap.SetSize(static_cast<int>(colors.size()), 1);
  for (std::size_t x = 0; x < colors.size(); ++x) bitmap.Canvas().SetPixelColor(static_cast<int>(x), 0, colors[x]);
}

namespace formats {

inline const std::vector<TPaletteEntry> NoTable;
inline const std::vector<TPaletteEntry> BlackWhite{{0, 0, 0, 0}, {255, 255, 255, 0}};

// Tolerance: the largest channel error of a stored colour (tables: nearest entry).
// PutKnown writes the pixel Known (red, or white for 1 bit) into a black row.
template <TPixelFormat F, bool Mono, int BitCount, int Tolerance>
struct TCase {
  static constexpr TPixelFormat Format = F;
  static constexpr bool Monochrome = Mono;
  static constexpr int Bits = BitCount;
  static constexpr int MaxError = Tolerance;
  static constexpr TColor Known = BitCount == 1 ? clWhite : clRed;
  static void Make(TBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    bitmap.SetMonochrome(Mono);
    bitmap.SetPixelFormat(F);
  }
};

struct Device : TCase<TPixelFormat::pfDevice, false, 32, 0> {
  static const auto& Table() { return NoTable; }
  static void PutKnown(std::uint8_t* row, int x) { row[4 * x + 2] = 0xFF; }
};
struct DeviceMono : TCase<TPixelFormat::pfDevice, true, 1, 0> {
  static const auto& Table() { return BlackWhite; }
  static void PutKnown(std::uint8_t* row, int x) { row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8)); }
};
struct Bits1 : TCase<TPixelFormat::pf1bit, false, 1, 0> {
  static const auto& Table() { return BlackWhite; }
  static void PutKnown(std::uint8_t* row, int x) { DeviceMono::PutKnown(row, x); }
};
struct Bits4 : TCase<TPixelFormat::pf4bit, false, 4, 0> {
  static const auto& Table() { return StandardColorPalette().Entries(); }
  // Entry 9 of the standard colours is red; even pixels are the high half.
  static void PutKnown(std::uint8_t* row, int x) { row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? 0x09 : 0x90); }
};
struct Bits8 : TCase<TPixelFormat::pf8bit, false, 8, 0> {
  static const auto& Table() { return HalftonePalette().Entries(); }
  static void PutKnown(std::uint8_t* row, int x) { row[x] = 10 + 36 * 5; }  // the cube's red
};
struct Bits15 : TCase<TPixelFormat::pf15bit, false, 16, 4> {
  static const auto& Table() { return NoTable; }
  static void PutKnown(std::uint8_t* row, int x) { row[2 * x + 1] = 0x7C; }
};
struct Bits16 : TCase<TPixelFormat::pf16bit, false, 16, 4> {
  static const auto& Table() { return NoTable; }
  static void PutKnown(std::uint8_t* row, int x) { row[2 * x + 1] = 0xF8; }
};
struct Bits24 : TCase<TPixelFormat::pf24bit, false, 24, 0> {
  static const auto& Table() { return NoTable; }
  static void PutKnown(std::uint8_t* row, int x) { row[3 * x + 2] = 0xFF; }
};
struct Bits32 : TCase<TPixelFormat::pf32bit, false, 32, 0> {
  static const auto& Table() { return NoTable; }
  static void PutKnown(std::uint8_t* row, int x) { Device::PutKnown(row, x); }
};

inline int Distance(TColor a, TColor b) {
  const int dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

// True when `stored` is what the format can keep of `written`: a table entry
// no farther than any other, or every channel within the tolerance.
template <class Case>
bool StoredAsClosely(TColor written, TColor stored) {
  if (Case::Table().empty())
    return std::abs(GetRValue(written) - GetRValue(stored)) <= Case::MaxError &&
           std::abs(GetGValue(written) - GetGValue(stored)) <= Case::MaxError &&
           std::abs(GetBValue(written) - GetBValue(stored)) <= Case::MaxError;
  bool inTable = false;
  for (const TPaletteEntry& e : Case::Table()) {
    const TColor entry = RGB(e.peRed, e.peGreen, e.peBlue);
    if (Distance(written, entry) < Distance(written, stored)) return false;
    inTable = inTable || entry == stored;
  }
  return inTable;
}

// Colours to write: extremes, a near-white, primaries and a fixed hash sequence.
inline TColor Sample(int i) {
  static const TColor fixed[] = {clBlack, clWhite, RGB(254, 254, 254), clRed, clLime, clBlue, clGray};
  if (i >= 0 && i < 7) return fixed[i];
  std::uint32_t v = static_cast<std::uint32_t>(i) * 2654435761u;
  v ^= v >> 15;
  return static_cast<TColor>((v * 0x5bd1e995u) & 0xFFFFFF);
}

inline constexpr int Widths[] = {1, 2, 7, 8, 9, 15, 31, 32, 33};

}  // namespace formats
