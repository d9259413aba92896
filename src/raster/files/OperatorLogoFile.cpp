#include "OperatorLogoFile.h"

#include <array>
#include <cstring>
#include <vector>

#include "BlackWhitePicture.h"
#include "ByteReader.h"
#include "Exception.h"
#include "LittleEndian.h"
#include "PictureFileMessages.h"

namespace {

constexpr char BlackPixel = '1';
constexpr char WhitePixel = '0';
constexpr int MaxSide = 0xFFFF;

// Where the two headers differ: the signature, the length, where width and
// height stand, and the closing field.
struct TLogoLayout {
  const char* Signature;
  std::size_t HeaderSize;
  std::size_t WidthOffset;
  std::uint16_t LastField;
  const char* Title;
  const char* InvalidMessage;
};

constexpr TLogoLayout OperatorLogo{"NOL", 20, 10, 0x53, "NOL", SInvalidNol};
constexpr TLogoLayout GroupGraphic{"NGG", 16, 6, 0x4A, "NGG", SInvalidNgg};

void PutWord(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

// Reads the pixel characters of one row; false when one is neither '0' nor '1'.
bool ReadPixelRow(const std::vector<std::uint8_t>& characters, TPixelImage& picture, int y) {
  for (int x = 0; x < picture.Width(); ++x) {
    const std::uint8_t c = characters[static_cast<std::size_t>(x)];
    if (c == WhitePixel)
      SetWhite(picture, x, y);
    else if (c != BlackPixel)
      return false;
  }
  return true;
}

TPixelImage ReadLogo(TStream& stream, const TLogoLayout& layout) {
  TByteReader reader(stream);
  if (reader.Remaining() <= 0) return {};
  std::array<std::uint8_t, 20> header{};
  if (!reader.Take(header.data(), static_cast<std::int64_t>(layout.HeaderSize)) ||
      std::memcmp(header.data(), layout.Signature, 3) != 0)
    throw Exception(layout.InvalidMessage);
  const int width = LittleEndianWord(&header[layout.WidthOffset]);
  const int height = LittleEndianWord(&header[layout.WidthOffset + 2]);
  CheckPictureSize(width, height);
  if (width == 0 || height == 0) return {};
  if (std::int64_t{width} * height > reader.Remaining()) throw Exception(layout.InvalidMessage);
  TPixelImage picture = NewBlackWhitePicture(width, height);
  std::vector<std::uint8_t> characters(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y)
    if (!reader.Take(characters.data(), width) || !ReadPixelRow(characters, picture, y))
      throw Exception(layout.InvalidMessage);
  return picture;
}

void WriteLogo(const TPixelImage& picture, TStream& stream, const TLogoLayout& layout, const TOperatorNetwork* network) {
  if (picture.Empty()) return;
  CheckSidesFit(picture, MaxSide, layout.Title);
  std::array<std::uint8_t, 20> header{};
  std::memcpy(header.data(), layout.Signature, 3);
  PutWord(&header[4], 1);
  if (network != nullptr) {
    PutWord(&header[6], network->CountryCode);
    PutWord(&header[8], network->NetworkCode);
  }
  std::uint8_t* field = &header[layout.WidthOffset];
  PutWord(field, static_cast<std::uint16_t>(picture.Width()));
  PutWord(field + 2, static_cast<std::uint16_t>(picture.Height()));
  PutWord(field + 4, 1);
  PutWord(field + 6, 1);
  PutWord(field + 8, layout.LastField);
  stream.WriteBuffer(header.data(), static_cast<std::int64_t>(layout.HeaderSize));

  const TPixelImage blackWhite = BlackWhiteOf(picture);
  std::vector<std::uint8_t> characters(static_cast<std::size_t>(picture.Width()));
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x)
      characters[static_cast<std::size_t>(x)] = IsBlack(blackWhite, x, y) ? BlackPixel : WhitePixel;
    stream.WriteBuffer(characters.data(), static_cast<std::int64_t>(characters.size()));
  }
}

}  // namespace

TPixelImage ReadNol(TStream& stream) { return ReadLogo(stream, OperatorLogo); }

TPixelImage ReadNgg(TStream& stream) { return ReadLogo(stream, GroupGraphic); }

void WriteNol(const TPixelImage& picture, TStream& stream, const TOperatorNetwork& network) {
  WriteLogo(picture, stream, OperatorLogo, &network);
}

void WriteNgg(const TPixelImage& picture, TStream& stream) { WriteLogo(picture, stream, GroupGraphic, nullptr); }
