// The pixel formats a bitmap can take, as type parameters for typed tests:
// how to make a bitmap of the format, how many bits a pixel takes, how close
// a stored colour comes to the colour written, and one known pixel (red, or
// white where red cannot be stored) written straight into a row.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Bitmap.h"
#include "Color.h"
#include "Palette.h"
#include "PixelFormat.h"
#include "SystemPalettes.h"

namespace pixel_cases {

inline const std::vector<TPaletteEntry>& NoTable() {
  static const std::vector<TPaletteEntry> none;
  return none;
}

inline const std::vector<TPaletteEntry>& BlackWhite() {
  static const std::vector<TPaletteEntry> table{{0, 0, 0, 0}, {255, 255, 255, 0}};
  return table;
}

// A bitmap of the format: given a size as a new bitmap (device-dependent),
// then switched.
template <class Case>
void MakeBitmap(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  if (Case::Monochrome) bitmap.SetMonochrome(true);
  bitmap.SetPixelFormat(Case::Format);
}

struct Device {
  static constexpr const char* Name = "device";
  static constexpr TPixelFormat Format = TPixelFormat::pfDevice;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 32;
  static constexpr int Tolerance = 0;  // largest channel error of a stored colour
  static const std::vector<TPaletteEntry>& Table() { return NoTable(); }
  static void PutKnown(std::uint8_t* row, int x) { row[4 * x + 2] = 0xFF; }
  static constexpr TColor Known = clRed;
};

struct DeviceMono {
  static constexpr const char* Name = "device monochrome";
  static constexpr TPixelFormat Format = TPixelFormat::pfDevice;
  static constexpr bool Monochrome = true;
  static constexpr int Bits = 1;
  static constexpr int Tolerance = 0;
  static const std::vector<TPaletteEntry>& Table() { return BlackWhite(); }
  static void PutKnown(std::uint8_t* row, int x) { row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8)); }
  static constexpr TColor Known = clWhite;
};

struct Bits1 : DeviceMono {
  static constexpr const char* Name = "1 bit";
  static constexpr TPixelFormat Format = TPixelFormat::pf1bit;
  static constexpr bool Monochrome = false;
};

struct Bits4 {
  static constexpr const char* Name = "4 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf4bit;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 4;
  static constexpr int Tolerance = 0;
  static const std::vector<TPaletteEntry>& Table() { return StandardColorPalette().Entries(); }
  // Entry 9 of the standard colours is red; even pixels are the high half.
  static void PutKnown(std::uint8_t* row, int x) { row[x / 2] |= static_cast<std::uint8_t>(x % 2 ? 0x09 : 0x90); }
  static constexpr TColor Known = clRed;
};

struct Bits8 {
  static constexpr const char* Name = "8 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf8bit;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 8;
  static constexpr int Tolerance = 0;
  static const std::vector<TPaletteEntry>& Table() { return HalftonePalette().Entries(); }
  // Halftone entry 10 + 36 * 5 is the cube's pure red.
  static void PutKnown(std::uint8_t* row, int x) { row[x] = 190; }
  static constexpr TColor Known = clRed;
};

struct Bits15 {
  static constexpr const char* Name = "15 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf15bit;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 16;
  static constexpr int Tolerance = 4;  // half a step of 5 bits
  static const std::vector<TPaletteEntry>& Table() { return NoTable(); }
  static void PutKnown(std::uint8_t* row, int x) { row[2 * x + 1] = 0x7C; }
  static constexpr TColor Known = clRed;
};

struct Bits16 {
  static constexpr const char* Name = "16 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf16bit;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 16;
  static constexpr int Tolerance = 4;  // 5 bits of red and blue, 6 of green
  static const std::vector<TPaletteEntry>& Table() { return NoTable(); }
  static void PutKnown(std::uint8_t* row, int x) { row[2 * x + 1] = 0xF8; }
  static constexpr TColor Known = clRed;
};

struct Bits24 {
  static constexpr const char* Name = "24 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf24bit;
  static constexpr bool Monochrome = false;
  static constexpr int Bits = 24;
  static constexpr int Tolerance = 0;
  static const std::vector<TPaletteEntry>& Table() { return NoTable(); }
  static void PutKnown(std::uint8_t* row, int x) { row[3 * x + 2] = 0xFF; }
  static constexpr TColor Known = clRed;
};

struct Bits32 : Device {
  static constexpr const char* Name = "32 bits";
  static constexpr TPixelFormat Format = TPixelFormat::pf32bit;
};

inline int ChannelDistance(TColor a, TColor b) {
  return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
         std::abs(GetBValue(a) - GetBValue(b));
}

inline int SquaredDistance(TColor a, const TPaletteEntry& e) {
  const int dr = GetRValue(a) - e.peRed, dg = GetGValue(a) - e.peGreen, db = GetBValue(a) - e.peBlue;
  return dr * dr + dg * dg + db * db;
}

// True when `stored` is what the format can keep of `written`: for a colour
// table, an entry no farther than any other; otherwise every channel within
// the format's tolerance.
template <class Case>
bool StoredAsClosely(TColor written, TColor stored) {
  const auto& table = Case::Table();
  if (table.empty()) {
    return std::abs(GetRValue(written) - GetRValue(stored)) <= Case::Tolerance &&
           std::abs(GetGValue(written) - GetGValue(stored)) <= Case::Tolerance &&
           std::abs(GetBValue(written) - GetBValue(stored)) <= Case::Tolerance;
  }
  int storedDistance = -1, best = -1;
  for (const TPaletteEntry& e : table) {
    const int d = SquaredDistance(written, e);
    if (best < 0 || d < best) best = d;
    if (RGB(e.peRed, e.peGreen, e.peBlue) == stored && (storedDistance < 0 || d < storedDistance)) storedDistance = d;
  }
  return storedDistance >= 0 && storedDistance == best;
}

// A spread of colours: both extremes, greys and a fixed pseudo-random sequence.
inline TColor SampleColor(int i) {
  static const TColor fixed[] = {clBlack, clWhite, RGB(254, 254, 254), clRed, clLime, clBlue, RGB(128, 128, 128)};
  constexpr int fixedCount = static_cast<int>(sizeof(fixed) / sizeof(fixed[0]));
  if (i < fixedCount) return fixed[i];
  std::uint32_t v = static_cast<std::uint32_t>(i) * 2654435761u;
  v ^= v >> 13;
  v *= 0x5bd1e995u;
  v ^= v >> 15;
  return static_cast<TColor>(v & 0xFFFFFF);
}

inline constexpr int Widths[] = {1, 2, 7, 8, 9, 15, 31, 32, 33};

}  // namespace pixel_cases
