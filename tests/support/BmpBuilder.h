// TBmpBuilder: writes BMP files byte by byte for tests, so that each case shows
// the fields it sets: the file header, an OS/2 or Windows info header of any
// size, bit masks, colour tables of 3 or 4-byte entries, pixel rows and
// run-length codes, and raw bytes for anything a hostile file might hold.
// Build() fills in bfSize and, unless it was given, bfOffBits (the position of
// the first pixel bytes).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "Color.h"

struct TInfoHeaderFields {
  std::uint32_t Size = 40;  // bytes past 40 are zero, except the masks of headers of 52 bytes and more;
                            // sizes over 4096 write only 40 bytes (for headers that run past the file)
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // negative: rows top-down
  std::uint16_t Planes = 1;
  std::uint16_t BitCount = 1;
  std::uint32_t Compression = 0;
  std::uint32_t SizeImage = 0;
  std::uint32_t ClrUsed = 0;
  // Written at offset 40 of headers of 52 bytes and more (V4, V5).
  std::uint32_t RedMask = 0;
  std::uint32_t GreenMask = 0;
  std::uint32_t BlueMask = 0;
};

class TBmpBuilder {
public:
  // "BM", bfSize, two reserved words, bfOffBits.
  TBmpBuilder& FileHeader(std::optional<std::uint32_t> offBits = std::nullopt);
  // The 12-byte OS/2 header: size, 16-bit width, height, planes, bit count.
  TBmpBuilder& Os2Header(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount, std::uint16_t planes = 1);
  TBmpBuilder& InfoHeader(const TInfoHeaderFields& fields);
  // Three 32-bit masks: red, green, blue.
  TBmpBuilder& Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
  // Windows colour entries: blue, green, red, 0.
  TBmpBuilder& Colors(std::initializer_list<TColor> colors);
  // OS/2 colour entries: blue, green, red.
  TBmpBuilder& Os2Colors(std::initializer_list<TColor> colors);
  // Pixel bytes (rows or run-length codes); the first call marks where they start.
  TBmpBuilder& Pixels(const std::vector<std::uint8_t>& bytes);
  TBmpBuilder& Bytes(const std::vector<std::uint8_t>& bytes);
  TBmpBuilder& Word(std::uint16_t value);
  TBmpBuilder& DWord(std::uint32_t value);

  std::vector<std::uint8_t> Build() const;

private:
  std::vector<std::uint8_t> FBytes;
  std::optional<std::size_t> FFileHeaderAt;
  std::optional<std::uint32_t> FOffBits;
  std::optional<std::size_t> FPixelsAt;
};

// A whole file: a 40-byte header of the given depth, its colour table (indexed
// depths) and the pixel rows as given; for seeds and round trips.
std::vector<std::uint8_t> SimpleBmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                    std::initializer_list<TColor> colors, const std::vector<std::uint8_t>& rows);
