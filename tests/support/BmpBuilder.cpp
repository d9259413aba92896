#include "BmpBuilder.h"

namespace {
constexpr std::uint32_t MaxPaddedHeaderSize = 4096;
}  // namespace

TBmpBuilder& TBmpBuilder::FileHeader(std::optional<std::uint32_t> offBits) {
  FFileHeaderAt = FBytes.size();
  FOffBits = offBits;
  Bytes({'B', 'M'});
  DWord(0);  // bfSize, filled in by Build()
  Word(0);
  Word(0);
  return DWord(offBits.value_or(0));
}

TBmpBuilder& TBmpBuilder::Os2Header(std::uint16_t width, std::uint16_t height, std::uint16_t bitCount,
                                    std::uint16_t planes) {
  DWord(12);
  Word(width);
  Word(height);
  Word(planes);
  return Word(bitCount);
}

TBmpBuilder& TBmpBuilder::InfoHeader(const TInfoHeaderFields& f) {
  const std::size_t start = FBytes.size();
  DWord(f.Size);
  DWord(static_cast<std::uint32_t>(f.Width));
  DWord(static_cast<std::uint32_t>(f.Height));
  Word(f.Planes);
  Word(f.BitCount);
  DWord(f.Compression);
  DWord(f.SizeImage);
  DWord(0);  // pixels per metre, x
  DWord(0);  // and y
  DWord(f.ClrUsed);
  DWord(0);  // important colours
  if (f.Size >= 52) Masks(f.RedMask, f.GreenMask, f.BlueMask);
  // A header shorter than 40 bytes keeps only its first fields; a longer one
  // is padded with zeros, unless its size is absurd (a hostile size that runs
  // past the file keeps the 40 bytes written).
  if (f.Size <= MaxPaddedHeaderSize) FBytes.resize(start + f.Size, 0);
  return *this;
}

TBmpBuilder& TBmpBuilder::Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  DWord(red);
  DWord(green);
  return DWord(blue);
}

TBmpBuilder& TBmpBuilder::Colors(std::initializer_list<TColor> colors) {
  for (const TColor c : colors) Bytes({GetBValue(c), GetGValue(c), GetRValue(c), 0});
  return *this;
}

TBmpBuilder& TBmpBuilder::Os2Colors(std::initializer_list<TColor> colors) {
  for (const TColor c : colors) Bytes({GetBValue(c), GetGValue(c), GetRValue(c)});
  return *this;
}

TBmpBuilder& TBmpBuilder::Pixels(const std::vector<std::uint8_t>& bytes) {
  if (!FPixelsAt) FPixelsAt = FBytes.size();
  return Bytes(bytes);
}

TBmpBuilder& TBmpBuilder::Bytes(const std::vector<std::uint8_t>& bytes) {
  FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
  return *this;
}

TBmpBuilder& TBmpBuilder::Word(std::uint16_t value) {
  return Bytes({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

TBmpBuilder& TBmpBuilder::DWord(std::uint32_t value) {
  return Bytes({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

std::vector<std::uint8_t> TBmpBuilder::Build() const {
  std::vector<std::uint8_t> bytes = FBytes;
  if (!FFileHeaderAt) return bytes;
  const auto put = [&bytes](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4 && at + i < bytes.size(); ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  const std::size_t at = *FFileHeaderAt;
  put(at + 2, static_cast<std::uint32_t>(bytes.size() - at));
  if (!FOffBits) put(at + 10, static_cast<std::uint32_t>(FPixelsAt.value_or(bytes.size()) - at));
  return bytes;
}

std::vector<std::uint8_t> SimpleBmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                    std::initializer_list<TColor> colors, const std::vector<std::uint8_t>& rows) {
  return TBmpBuilder()
      .FileHeader()
      .InfoHeader({.Width = width, .Height = height, .BitCount = bitCount,
                   .ClrUsed = static_cast<std::uint32_t>(colors.size())})
      .Colors(colors)
      .Pixels(rows)
      .Build();
}
