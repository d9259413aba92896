#include "PixelConversion.h"

#include <algorithm>
#include <cstring>

#include "MonoRow.h"
#include "RowCodec.h"

namespace {

// Pixels converted at a time: the colours of a whole row of a very wide
// picture would take more memory than the picture (a multiple of 8, so that
// every run starts on a byte).
constexpr int RunPixels = 4096;

// True when count bytes are all zero, judged a word at a time.
bool AllZero(const std::uint8_t* bytes, std::size_t count) {
  std::size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    if (word != 0) return false;
  }
  for (; i < count; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// Decodes each source row, lets transform rework the colours, and stores them
// in the same row of the target, a run at a time. With skipZeroRuns, runs
// whose bytes are all zero are left as the (fresh, zero) target has them:
// the caller knows that is what converting them would give.
template <class Transform>
void ConvertRows(const TPixelImage& source, TPixelImage& target, Transform&& transform, bool skipZeroRuns = false) {
  const TRowCodec reader(source);
  TRowCodec writer(target);
  std::vector<TColor> colors(static_cast<std::size_t>(std::min(source.Width(), RunPixels)));
  const auto bits = static_cast<std::size_t>(source.BitCount());
  for (int y = 0; y < source.Height(); ++y) {
    if (skipZeroRuns && source.KnownZeroRow(y)) continue;
    for (int x = 0; x < source.Width(); x += RunPixels) {
      const int count = std::min(RunPixels, source.Width() - x);
      const std::uint8_t* row = source.ScanLine(y);
      const std::size_t first = static_cast<std::size_t>(x) * bits / 8;
      const std::size_t end = (static_cast<std::size_t>(x + count) * bits + 7) / 8;
      if (skipZeroRuns && AllZero(row + first, end - first)) continue;
      reader.Decode(row, x, count, colors.data());
      transform(colors.data(), count);
      writer.Encode(target.ScanLine(y), x, count, colors.data());
    }
  }
}

// The colour of a pixel whose bytes are all zero.
TColor ColorOfZero(const TPixelImage& image) {
  const std::uint8_t zero[4] = {};
  TColor color = clBlack;
  TRowCodec(image).Decode(zero, 0, 1, &color);
  return color;
}

}  // namespace

std::vector<TPaletteEntry> BlackWhiteTable() { return {TPaletteEntry{0, 0, 0, 0}, TPaletteEntry{255, 255, 255, 0}}; }

TPixelImage ConvertImage(const TPixelImage& source, int bitCount, std::vector<TPaletteEntry> colorTable,
                  std::optional<TBitFields> bitFields) {
  TPixelImage target(source.Width(), source.Height(), bitCount, std::move(colorTable), bitFields);
  ConvertRows(source, target, [](TColor*, int) {});
  return target;
}

// An 8-bit source made black and white at 1 bit: each table index is judged
// once, and the white pixels set their bits in the (zero, black) target,
// eight at a time. Eight zero indices that are black (the pixels a
// run-length file leaves out) leave their byte of the target untouched.
void ThresholdIndices(const TPixelImage& source, TColor background, TPixelImage& target) {
  bool white[256] = {};
  const std::vector<TPaletteEntry>& table = source.ColorTable();
  for (std::size_t i = 0; i < table.size(); ++i)
    white[i] = RGB(table[i].peRed, table[i].peGreen, table[i].peBlue) == background;
  // Indices past the table read as black.
  for (std::size_t i = table.size(); i < 256; ++i) white[i] = clBlack == background;
  // Pixels known to be zero are not read: they are black as the target has
  // them, or white as index 0 makes them.
  const int width = source.Width();
  for (int y = 0; y < source.Height(); ++y) {
    const int known = source.KnownZeroRow(y) ? 0 : source.ZeroColumnsFrom();
    if (!white[0] && known == 0) continue;
    const std::uint8_t* in = source.ScanLine(y);
    std::uint8_t* out = target.ScanLine(y);
    const int whole = known / 8 * 8;
    for (int x = 0; x < whole; x += 8) {
      if (!white[0] && AllZero(in + x, 8)) continue;
      std::uint8_t byte = 0;
      for (int k = 0; k < 8; ++k) byte = static_cast<std::uint8_t>(byte << 1 | (white[in[x + k]] ? 1 : 0));
      out[x >> 3] = byte;
    }
    for (int x = whole; x < known; ++x)
      if (white[in[x]]) out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    if (white[0]) SetMonoBits(out, known, width);
  }
  // The pixels passed over are still zero, and writing them out need not read them.
  if (!white[0]) {
    target.MarkZeroRows(source.ZeroRowsFrom(), source.ZeroRowsEnd());
    target.MarkZeroColumnsFrom(source.ZeroColumnsFrom());
  }
}

TPixelImage ThresholdImage(const TPixelImage& source, TColor background, int bitCount) {
  TPixelImage target(source.Width(), source.Height(), bitCount, bitCount == 1 ? BlackWhiteTable() : std::vector<TPaletteEntry>{});
  if (source.BitCount() == 8 && bitCount == 1) {
    ThresholdIndices(source, background, target);
    return target;
  }
  // Runs of zero bytes (the rows a short file leaves out) are black, and so
  // already in the target, unless a zero pixel is the background.
  const bool zeroIsBlack = bitCount == 1 && ColorOfZero(source) != background;
  ConvertRows(
      source, target,
      [background](TColor* colors, int count) {
        for (int i = 0; i < count; ++i) colors[i] = colors[i] == background ? clWhite : clBlack;
      },
      zeroIsBlack);
  // The rows passed over are still zero, and writing them out need not read them.
  if (zeroIsBlack) target.MarkZeroRows(source.ZeroRowsFrom(), source.ZeroRowsEnd());
  return target;
}

TPixelImage ResizeImage(const TPixelImage& source, int width, int height, TColor fill) {
  TPixelImage target(width, height, source.BitCount(), source.ColorTable(), source.BitFields());
  FillImage(target, fill);
  const TRowCodec codec(target);
  const int keepWidth = std::min(width, source.Width());
  const int keepHeight = std::min(height, source.Height());
  for (int y = 0; y < keepHeight; ++y) codec.CopyRaw(source.ScanLine(y), target.ScanLine(y), keepWidth);
  return target;
}

TPixelImage CutRows(const TPixelImage& source, int top, int height, TColor fillBelow) {
  const int inside = std::clamp(source.Height() - top, 0, height);
  const bool fillsRows = inside < height;
  bool exact = true;
  if (fillsRows) {
    TPixelImage probe(1, 1, source.BitCount(), source.ColorTable(), source.BitFields());
    probe.SetPixel(0, 0, fillBelow);
    exact = probe.GetPixel(0, 0) == fillBelow;
  }
  TPixelImage target = exact ? TPixelImage(source.Width(), height, source.BitCount(), source.ColorTable(), source.BitFields())
                      : TPixelImage(source.Width(), height, 32);
  if (exact) {
    for (int y = 0; y < inside; ++y) std::copy_n(source.ScanLine(top + y), source.RowBytes(), target.ScanLine(y));
  } else {
    const TRowCodec reader(source);
    TRowCodec writer(target);
    std::vector<TColor> colors(static_cast<std::size_t>(std::min(source.Width(), RunPixels)));
    for (int y = 0; y < inside; ++y)
      for (int x = 0; x < source.Width(); x += RunPixels) {
        const int count = std::min(RunPixels, source.Width() - x);
        reader.Decode(source.ScanLine(top + y), x, count, colors.data());
        writer.Encode(target.ScanLine(y), x, count, colors.data());
      }
  }
  if (fillsRows && !target.Empty()) {
    TRowCodec codec(target);
    const std::uint32_t raw = codec.RawOf(fillBelow);
    for (int y = inside; y < height; ++y) codec.Fill(target.ScanLine(y), 0, target.Width(), raw);
  }
  return target;
}

void FillImage(TPixelImage& image, TColor fill) {
  if (image.Empty()) return;
  TRowCodec codec(image);
  codec.Fill(image.ScanLine(0), 0, image.Width(), codec.RawOf(fill));
  for (int y = 1; y < image.Height(); ++y)
    std::copy_n(image.ScanLine(0), image.RowBytes(), image.ScanLine(y));
}
