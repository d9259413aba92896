// The pixel formats of our images, each described once: a layout (how many
// bits a pixel takes and where its raw value sits in a row) and a colour model
// (how a raw value turns into an RGB colour and back). Every whole-row
// operation is written once over these traits; see RowCodec.h for the one
// place that picks the traits of an image.
//
// Layouts: 1, 4 and 8 bits (most significant bits first within a byte),
// 16, 24 and 32 bits (little-endian). Colour models: a colour table (indexed
// depths), blue-green-red bytes (24 bits and plain 32 bits) and bit fields
// (16 bits, and 32 bits with masks of its own).
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

#include "Color.h"
#include "Palette.h"

template <int BitCount>
struct TPixelLayout;

template <>
struct TPixelLayout<1> {
  static constexpr int Bits = 1;
  static std::uint32_t Get(const std::uint8_t* row, int x) { return (row[x >> 3] >> (7 - (x & 7))) & 1u; }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) {
    const auto bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = static_cast<std::uint8_t>((value & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
  }
};

template <>
struct TPixelLayout<4> {
  static constexpr int Bits = 4;
  static std::uint32_t Get(const std::uint8_t* row, int x) { return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0Fu; }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) {
    const int shift = (x & 1) ? 0 : 4;
    row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(0x0F << shift)) | ((value & 0x0F) << shift));
  }
};

template <>
struct TPixelLayout<8> {
  static constexpr int Bits = 8;
  static std::uint32_t Get(const std::uint8_t* row, int x) { return row[x]; }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) { row[x] = static_cast<std::uint8_t>(value); }
};

template <>
struct TPixelLayout<16> {
  static constexpr int Bits = 16;
  static std::uint32_t Get(const std::uint8_t* row, int x) {
    return static_cast<std::uint32_t>(row[2 * x]) | (static_cast<std::uint32_t>(row[2 * x + 1]) << 8);
  }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) {
    row[2 * x] = static_cast<std::uint8_t>(value);
    row[2 * x + 1] = static_cast<std::uint8_t>(value >> 8);
  }
};

template <>
struct TPixelLayout<24> {
  static constexpr int Bits = 24;
  static std::uint32_t Get(const std::uint8_t* row, int x) {
    const std::uint8_t* p = row + 3 * x;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16);
  }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) {
    std::uint8_t* p = row + 3 * x;
    p[0] = static_cast<std::uint8_t>(value);
    p[1] = static_cast<std::uint8_t>(value >> 8);
    p[2] = static_cast<std::uint8_t>(value >> 16);
  }
};

template <>
struct TPixelLayout<32> {
  static constexpr int Bits = 32;
  static std::uint32_t Get(const std::uint8_t* row, int x) {
    const std::uint8_t* p = row + 4 * x;
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
  static void Put(std::uint8_t* row, int x, std::uint32_t value) {
    std::uint8_t* p = row + 4 * x;
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
};

// Calls fn(TPixelLayout<N>{}) for a supported bit count (1, 4, 8, 16, 24, 32);
// any other count is treated as 32 bits, which TPixelImage never stores.
template <class F>
decltype(auto) WithPixelLayout(int bitCount, F&& fn) {
  switch (bitCount) {
    case 1: return fn(TPixelLayout<1>{});
    case 4: return fn(TPixelLayout<4>{});
    case 8: return fn(TPixelLayout<8>{});
    case 16: return fn(TPixelLayout<16>{});
    case 24: return fn(TPixelLayout<24>{});
    default: return fn(TPixelLayout<32>{});
  }
}

// The index of the table entry nearest to an RGB colour (an exact entry wins,
// the first of equals is taken); -1 for an empty table.
int NearestTableIndex(const std::vector<TPaletteEntry>& table, TColor rgb);

// Indexed pixels: the raw value is an index into the colour table. An index
// past the table's end shows as black, as a display would. Encoding takes the
// nearest entry and remembers recent answers, so a row of few colours costs
// one table search per colour.
class TTableColors {
public:
  explicit TTableColors(const std::vector<TPaletteEntry>& table) : FTable(&table) { FCacheKeys.fill(NoKey); }

  TColor Decode(std::uint32_t raw) const {
    if (raw >= FTable->size()) return clBlack;
    const TPaletteEntry& e = (*FTable)[raw];
    return RGB(e.peRed, e.peGreen, e.peBlue);
  }
  std::uint32_t Encode(TColor rgb) {
    const std::size_t slot = (static_cast<std::uint32_t>(rgb) * 2654435761u) >> 26;
    if (FCacheKeys[slot] == rgb) return FCacheValues[slot];
    const int index = NearestTableIndex(*FTable, rgb);
    FCacheKeys[slot] = rgb;
    FCacheValues[slot] = static_cast<std::uint32_t>(index < 0 ? 0 : index);
    return FCacheValues[slot];
  }

private:
  static constexpr TColor NoKey = -1;  // never an RGB value
  const std::vector<TPaletteEntry>* FTable;
  std::array<TColor, 64> FCacheKeys;
  std::array<std::uint32_t, 64> FCacheValues{};
};

// Blue, green, red bytes (the fourth byte of a 32-bit pixel is written 0).
struct TBgrColors {
  static TColor Decode(std::uint32_t raw) {
    return RGB(static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 8), static_cast<std::uint8_t>(raw));
  }
  static std::uint32_t Encode(TColor rgb) {
    return static_cast<std::uint32_t>(GetBValue(rgb)) | (static_cast<std::uint32_t>(GetGValue(rgb)) << 8) |
           (static_cast<std::uint32_t>(GetRValue(rgb)) << 16);
  }
};

// Packed channels under three masks; each channel is scaled between its own
// width and 8 bits with rounding, so 5 bits of 31 read back as 255.
class TFieldColors {
public:
  TFieldColors(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
      : FRed(Channel(red)), FGreen(Channel(green)), FBlue(Channel(blue)) {}

  TColor Decode(std::uint32_t raw) const { return RGB(Extract(raw, FRed), Extract(raw, FGreen), Extract(raw, FBlue)); }
  std::uint32_t Encode(TColor rgb) const {
    return Pack(GetRValue(rgb), FRed) | Pack(GetGValue(rgb), FGreen) | Pack(GetBValue(rgb), FBlue);
  }

private:
  struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Maximum = 0;  // the largest channel value under the mask; 0 for no mask
  };
  static TChannel Channel(std::uint32_t mask) {
    if (mask == 0) return {};
    const int shift = std::countr_zero(mask);
    return {mask, shift, mask >> shift};
  }
  static std::uint8_t Extract(std::uint32_t raw, const TChannel& c) {
    if (c.Maximum == 0) return 0;
    const std::uint32_t value = (raw & c.Mask) >> c.Shift;
    if (c.Maximum == 0xFF) return static_cast<std::uint8_t>(value);
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(value) * 255 + c.Maximum / 2) / c.Maximum);
  }
  static std::uint32_t Pack(std::uint8_t channel, const TChannel& c) {
    if (c.Maximum == 0) return 0;
    const auto value = static_cast<std::uint32_t>((static_cast<std::uint64_t>(channel) * c.Maximum + 127) / 255);
    return (value << c.Shift) & c.Mask;
  }

  TChannel FRed, FGreen, FBlue;
};
