#include "RleDecoder.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the next pixel goes: x from the left, y counted from the bottom row.
// Pixels past the end of a row are dropped; y at the height means done.
class TRleCursor {
public:
  explicit TRleCursor(TPixelImage& indices) : FIndices(indices), FWidth(indices.Width()), FHeight(indices.Height()) {}

  bool Done() const { return FY >= FHeight; }

  // Up to count pixels of the current row, cut at the row's end; index(i)
  // gives the i-th pixel of the run.
  template <class F>
  void Put(int count, F&& index) {
    const int n = std::min(count, FWidth - FX);
    if (n <= 0) return;
    std::uint8_t* out = Row() + FX;
    for (int i = 0; i < n; ++i) out[i] = index(i);
    Advance(n);
  }
  void Fill(int count, std::uint8_t index) {
    const int n = std::min(count, FWidth - FX);
    if (n <= 0) return;
    std::memset(Row() + FX, index, static_cast<std::size_t>(n));
    Advance(n);
  }
  // The image came zero-filled: the rows above the last one written and the
  // columns right of the furthest pixel written are still zero.
  void MarkUnwritten() {
    FIndices.MarkZeroRows(0, FHeight - 1 - FTopWritten);
    FIndices.MarkZeroColumnsFrom(FReach);
  }
  void NextLine() {
    FX = 0;
    ++FY;
  }
  void Move(int dx, int dy) {
    FX = std::min(FX + dx, FWidth);
    FY = dy >= FHeight - FY ? FHeight : FY + dy;
  }

private:
  std::uint8_t* Row() { return FIndices.ScanLine(FHeight - 1 - FY); }
  void Advance(int n) {
    FX += n;
    FReach = std::max(FReach, FX);
    FTopWritten = FY;
  }

  TPixelImage& FIndices;
  int FWidth;
  int FHeight;
  int FX = 0;
  int FY = 0;
  int FReach = 0;
  int FTopWritten = -1;  // counted from the bottom, as FY
};

std::uint8_t Nibble(std::uint8_t pair, int i) {
  return static_cast<std::uint8_t>((i & 1) ? (pair & 0x0F) : (pair >> 4));
}

// An absolute run of count pixels whose bytes start at codes[pos]; returns the
// position after the run and its padding to an even number of bytes.
std::size_t AbsoluteRun(std::span<const std::uint8_t> codes, std::size_t pos, int count, TRleEncoding encoding,
                        TRleCursor& cursor) {
  const bool rle8 = encoding == TRleEncoding::Rle8;
  const std::size_t bytes = rle8 ? static_cast<std::size_t>(count) : static_cast<std::size_t>(count + 1) / 2;
  // A run cut off by the end of the data gives the pixels that are there.
  const std::size_t available = std::min(bytes, codes.size() - pos);
  const int pixels = rle8 ? static_cast<int>(available) : std::min(count, static_cast<int>(2 * available));
  const std::uint8_t* data = codes.data() + pos;
  if (rle8)
    cursor.Put(pixels, [data](int i) { return data[i]; });
  else
    cursor.Put(pixels, [data](int i) { return Nibble(data[i / 2], i); });
  return pos + bytes + (bytes & 1);
}

void DecodeCodes(std::span<const std::uint8_t> codes, TRleEncoding encoding, TRleCursor& cursor) {
  std::size_t pos = 0;
  while (pos + 2 <= codes.size() && !cursor.Done()) {
    const std::uint8_t count = codes[pos];
    const std::uint8_t value = codes[pos + 1];
    pos += 2;
    if (count > 0) {
      if (encoding == TRleEncoding::Rle8)
        cursor.Fill(count, value);
      else
        cursor.Put(count, [value](int i) { return Nibble(value, i); });
      continue;
    }
    switch (value) {
      case 0: cursor.NextLine(); break;
      case 1: return;
      case 2:
        if (pos + 2 > codes.size()) return;
        cursor.Move(codes[pos], codes[pos + 1]);
        pos += 2;
        break;
      default: pos = AbsoluteRun(codes, pos, value, encoding, cursor); break;
    }
  }
}

}  // namespace

void DecodeRle(std::span<const std::uint8_t> codes, TRleEncoding encoding, TPixelImage& indices) {
  if (indices.Empty()) return;
  TRleCursor cursor(indices);
  DecodeCodes(codes, encoding, cursor);
  cursor.MarkUnwritten();
}
