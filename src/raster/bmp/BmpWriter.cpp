#include "BmpWriter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "MonoRow.h"

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::uint32_t PixelOffset = FileHeaderSize + InfoHeaderSize + 2 * 4;

void PutWord(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDWord(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::array<std::uint8_t, PixelOffset> Headers(std::uint32_t width, std::uint32_t height, std::uint32_t imageSize) {
  std::array<std::uint8_t, PixelOffset> h{};
  h[0] = 'B';
  h[1] = 'M';
  PutDWord(&h[2], PixelOffset + imageSize);
  PutDWord(&h[10], PixelOffset);
  PutDWord(&h[14], InfoHeaderSize);
  PutDWord(&h[18], width);
  PutDWord(&h[22], height);
  PutWord(&h[26], 1);  // planes
  PutWord(&h[28], 1);  // bits per pixel
  PutDWord(&h[34], imageSize);
  PutDWord(&h[46], 2);  // colours used
  // Colour 0 black (all zero bytes), colour 1 white.
  h[58] = h[59] = h[60] = 0xFF;
  return h;
}

bool IsWhite(TColor color) { return color == clWhite; }

// The whiteness of each table index of an indexed image; indices past the
// table's end read as black.
std::array<bool, 256> WhiteIndices(const TPixelImage& image) {
  std::array<bool, 256> white{};
  const auto& table = image.ColorTable();
  for (std::size_t i = 0; i < table.size() && i < white.size(); ++i)
    white[i] = IsWhite(RGB(table[i].peRed, table[i].peGreen, table[i].peBlue));
  return white;
}

// A 1-bit source row maps byte for byte: each of its two indices is either
// white (bit 1) or black (bit 0), so a row is copied, inverted or filled.
void MonochromeRowFrom1Bit(const std::uint8_t* source, std::uint8_t* out, std::size_t bytes,
                           const std::array<bool, 256>& white) {
  if (white[0] == white[1]) {
    std::memset(out, white[0] ? 0xFF : 0x00, bytes);
  } else if (white[1]) {
    std::memcpy(out, source, bytes);
  } else {
    for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(~source[i]);
  }
}

bool PixelIsWhite(const TPixelImage& image, const std::uint8_t* row, int x, const std::array<bool, 256>& white) {
  switch (image.BitCount()) {
    case 4: return white[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
    case 8: return white[row[x]];
    case 24: return row[3 * x] == 0xFF && row[3 * x + 1] == 0xFF && row[3 * x + 2] == 0xFF;
    case 32: return row[4 * x] == 0xFF && row[4 * x + 1] == 0xFF && row[4 * x + 2] == 0xFF;
    default: return false;
  }
}

// Row y into out (zeroed by the caller). Pixels the image knows to be zero
// are not read: they take the colour of index 0.
void MonochromeRow(const TPixelImage& image, int y, std::uint8_t* out, const std::array<bool, 256>& white) {
  const int width = image.Width();
  const int known = image.KnownZeroRow(y) ? 0 : image.ZeroColumnsFrom();
  const std::uint8_t* row = image.ScanLine(y);
  const int bitCount = image.BitCount();
  if (bitCount == 1) {
    MonochromeRowFrom1Bit(row, out, static_cast<std::size_t>((known + 7) / 8), white);
  } else {
    // Bit-field layouts go through the image's own colour rule; the others are
    // tested on their stored bytes.
    const bool direct = bitCount == 4 || bitCount == 8 || bitCount == 24 || (bitCount == 32 && !image.BitFields());
    for (int x = 0; x < known; ++x) {
      const bool isWhite = direct ? PixelIsWhite(image, row, x, white) : IsWhite(image.GetPixel(x, y));
      if (isWhite) out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
  ClearMonoBitsFrom(out, known);
  if (white[0]) SetMonoBits(out, known, width);
  // The bits after the last pixel stay 0.
  ClearMonoBitsFrom(out, width);
}

// A run of rows known to be zero, from row y upwards: one row made, then
// written over and over a block at a time.
void WriteZeroRows(const TPixelImage& image, int y, int count, const std::array<bool, 256>& white, TStream& stream) {
  constexpr std::size_t BlockBytes = 64 * 1024;
  const auto rowBytes = static_cast<std::size_t>(TPixelImage::RowBytesFor(image.Width(), 1));
  const std::size_t rowsPerBlock = std::max<std::size_t>(1, BlockBytes / rowBytes);
  std::vector<std::uint8_t> block(rowBytes * std::min(rowsPerBlock, static_cast<std::size_t>(count)));
  MonochromeRow(image, y, block.data(), white);
  for (std::size_t at = rowBytes; at < block.size(); at += rowBytes)
    std::copy_n(block.begin(), rowBytes, block.begin() + static_cast<std::ptrdiff_t>(at));
  for (std::size_t left = static_cast<std::size_t>(count); left > 0;) {
    const std::size_t rows = std::min(left, block.size() / rowBytes);
    stream.WriteBuffer(block.data(), static_cast<std::int64_t>(rows * rowBytes));
    left -= rows;
  }
}

}  // namespace

void WriteMonochromeBmp(const TPixelImage& image, TStream& stream) {
  if (image.Empty()) return;
  const auto rowBytes = static_cast<std::size_t>(TPixelImage::RowBytesFor(image.Width(), 1));
  const auto imageSize = static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(image.Height()));
  const auto headers =
      Headers(static_cast<std::uint32_t>(image.Width()), static_cast<std::uint32_t>(image.Height()), imageSize);
  stream.WriteBuffer(headers.data(), static_cast<std::int64_t>(headers.size()));

  const std::array<bool, 256> white = WhiteIndices(image);
  std::vector<std::uint8_t> out(rowBytes);
  for (int y = image.Height() - 1; y >= 0; --y) {
    if (image.KnownZeroRow(y)) {
      const int run = y - image.ZeroRowsFrom() + 1;
      WriteZeroRows(image, y, run, white, stream);
      y -= run - 1;
      continue;
    }
    std::fill(out.begin(), out.end(), std::uint8_t{0});
    MonochromeRow(image, y, out.data(), white);
    stream.WriteBuffer(out.data(), static_cast<std::int64_t>(rowBytes));
  }
}
