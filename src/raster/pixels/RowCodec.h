// TRowCodec: reads and writes runs of pixels of one image as RGB colours. It
// picks the image's pixel traits (PixelTraits.h) once, so every call handles a
// whole run of a row with one dispatch and no per-pixel branching on the
// format. Conversions, copies, fills and the canvas's figures all go through
// it.
//
// A codec refers to the image's colour table; it must not outlive the image
// or a change of its table. Colours given to it are RGB (system colours are
// resolved by the caller).
#pragma once

#include <cstdint>
#include <variant>

#include "Color.h"
#include "PixelImage.h"
#include "PixelTraits.h"

class TRowCodec {
public:
  explicit TRowCodec(const TPixelImage& image);

  // Colours of pixels x0 .. x0+count-1 of a row.
  void Decode(const std::uint8_t* row, int x0, int count, TColor* out) const;
  // Colours of the pixels at the given columns, in that order.
  void Gather(const std::uint8_t* row, const int* columns, int count, TColor* out) const;
  // Stores colours into pixels x0 .. x0+count-1 of a row.
  void Encode(std::uint8_t* row, int x0, int count, const TColor* colors);

  // The raw pixel value that stands for a colour, and a run filled with it.
  std::uint32_t RawOf(TColor rgb);
  void Fill(std::uint8_t* row, int x0, int count, std::uint32_t raw) const;
  // The colour a raw pixel value stands for.
  TColor ColorOf(std::uint32_t raw) const;
  // Raw values of the pixels at the given columns, in that order, and raw
  // values stored into pixels x0 .. x0+count-1 of a row.
  void GatherRaw(const std::uint8_t* row, const int* columns, int count, std::uint32_t* out) const;
  void PutRaw(std::uint8_t* row, int x0, int count, const std::uint32_t* raws) const;
  // Stores map[values[i]] into pixel x0 + i, for i below count.
  void PutMapped(std::uint8_t* row, int x0, int count, const std::uint8_t* values, const std::uint32_t* map) const;
  // Copies the raw values of pixels 0..count-1 from one row to another of the
  // same format.
  void CopyRaw(const std::uint8_t* from, std::uint8_t* to, int count) const;

private:
  enum class TKind { Table1, Table4, Table8, Fields16, Bgr24, Bgr32, Fields32 };
  template <class F>
  decltype(auto) Visit(F&& fn) const;

  TKind FKind;
  // Mutable for the nearest-colour cache of indexed images only.
  mutable std::variant<TTableColors, TBgrColors, TFieldColors> FColors;
};
