// TPixelImage: the pixel storage of every bitmap, a device-independent image of 1, 4,
// 8, 16, 24 or 32 bits per pixel with its colour table (indexed depths) or bit
// fields (16 and 32 bits). Rows are kept top to bottom, each padded to a
// multiple of 4 bytes, in the byte layout of a BMP file's pixel rows.
//
// The size of an image is capped (MaxDibPixels) so that a hostile file cannot
// make us allocate far beyond reason; larger images raise "Out of system
// resources".
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "Color.h"
#include "Palette.h"
#include "PixelFormat.h"
#include "PixelMemory.h"

struct TBitFields {
  std::uint32_t Red = 0;
  std::uint32_t Green = 0;
  std::uint32_t Blue = 0;
  friend bool operator==(const TBitFields&, const TBitFields&) = default;
};

// 64 Mpx: an 8192 x 8192 picture fits, 256 MiB at 32 bits per pixel.
inline constexpr std::int64_t MaxDibPixels = std::int64_t{1} << 26;

class TPixelImage {
public:
  TPixelImage() = default;
  // A zero-filled image. Raises "Out of system resources" for negative sizes,
  // an unsupported depth, more than 256 colours, or more than MaxDibPixels.
  TPixelImage(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable = {},
       std::optional<TBitFields> bitFields = std::nullopt);
  // The same, with the pixel bytes left unset: for a reader that writes every
  // byte of every row itself.
  static TPixelImage Unfilled(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
                       std::optional<TBitFields> bitFields);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int BitCount() const { return FBitCount; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  int RowBytes() const { return FRowBytes; }
  const std::optional<TBitFields>& BitFields() const { return FBitFields; }
  const std::vector<TPaletteEntry>& ColorTable() const { return FColorTable; }
  void SetColorTable(std::vector<TPaletteEntry> colorTable);

  // The stored bytes of row y (0 is the top row); y must be inside the image.
  std::uint8_t* ScanLine(int y) {
    ForgetKnownZeros();
    return FBits.data() + static_cast<std::size_t>(y) * FRowBytes;
  }
  const std::uint8_t* ScanLine(int y) const { return FBits.data() + static_cast<std::size_t>(y) * FRowBytes; }
  TPixelBytes& Bits() {
    ForgetKnownZeros();
    return FBits;
  }
  const TPixelBytes& Bits() const { return FBits; }

  // Pixels known to hold only zero bytes, without reading them: a reader marks
  // the rows its file left out of a picture that came from fresh zero memory
  // (on some systems even reading such memory makes the system hand out its
  // pages), and the columns no row of its data reached; conversions pass over
  // them. Any writable access to the pixels forgets the marks.
  void MarkZeroRows(int first, int end) {
    FZeroRowsFrom = first;
    FZeroRowsEnd = end;
  }
  void MarkZeroColumnsFrom(int x) { FZeroColumnsFrom = x; }
  bool KnownZeroRow(int y) const { return y >= FZeroRowsFrom && y < FZeroRowsEnd; }
  int ZeroRowsFrom() const { return FZeroRowsFrom; }
  int ZeroRowsEnd() const { return FZeroRowsEnd; }
  // The columns from here to the right edge are zero in every row.
  int ZeroColumnsFrom() const { return std::min(FZeroColumnsFrom, FWidth); }

  // The stored value of a pixel: a table index or the packed pixel bits.
  std::uint32_t GetRaw(int x, int y) const;
  void SetRaw(int x, int y, std::uint32_t value);
  // The RGB colour of a pixel; x and y must be inside the image.
  TColor GetPixel(int x, int y) const;
  // Stores a colour; indexed images take the nearest entry of their table.
  void SetPixel(int x, int y, TColor color);
  // The table index nearest to an RGB colour (an exact entry wins).
  int NearestIndex(TColor color) const;

  // The format this image reports when read as a device-independent image.
  TPixelFormat PixelFormat() const;

  static std::int64_t RowBytesFor(std::int64_t width, int bitCount);

private:
  int FWidth = 0;
  int FHeight = 0;
  int FBitCount = 32;
  int FRowBytes = 0;
  std::optional<TBitFields> FBitFields;
  std::vector<TPaletteEntry> FColorTable;
  TPixelImage(int width, int height, int bitCount, std::vector<TPaletteEntry> colorTable,
       std::optional<TBitFields> bitFields, TPixelFill fill);
  void ForgetKnownZeros() {
    FZeroRowsEnd = FZeroRowsFrom;
    FZeroColumnsFrom = std::numeric_limits<int>::max();
  }

  TPixelBytes FBits;
  int FZeroRowsFrom = 0;
  int FZeroRowsEnd = 0;
  int FZeroColumnsFrom = std::numeric_limits<int>::max();
};
