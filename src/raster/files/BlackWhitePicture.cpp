#include "BlackWhitePicture.h"

#include <limits>
#include <vector>

#include "ByteReader.h"
#include "Exception.h"
#include "PictureFileMessages.h"
#include "PixelConversion.h"

void CheckPictureSize(std::int64_t width, std::int64_t height) {
  constexpr std::int64_t IntMax = std::numeric_limits<int>::max();
  if (width < 0 || height < 0 || width > IntMax || height > IntMax) throw EOutOfResources(SOutOfResources);
  // Both factors fit in 31 bits, so the product cannot overflow.
  if (width * height > MaxDibPixels) throw EOutOfResources(SOutOfResources);
}

TPixelImage NewBlackWhitePicture(std::int64_t width, std::int64_t height) {
  CheckPictureSize(width, height);
  return TPixelImage(static_cast<int>(width), static_cast<int>(height), 1, BlackWhiteTable());
}

TPixelImage BlackWhiteOf(const TPixelImage& picture) { return ThresholdImage(picture, clWhite, 1); }

namespace {

// The bits of the last byte of a row that hold pixels.
std::uint8_t LastByteMask(int width) {
  return width % 8 == 0 ? 0xFF : static_cast<std::uint8_t>(0xFF00 >> (width % 8));
}

}  // namespace

void PackRow(const TPixelImage& picture, int y, TBitMeaning meaning, std::uint8_t* out) {
  const int bytes = (picture.Width() + 7) / 8;
  if (bytes == 0) return;
  const std::uint8_t* row = picture.ScanLine(y);
  const std::uint8_t flip = meaning == TBitMeaning::SetIsBlack ? 0xFF : 0x00;
  for (int i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(row[i] ^ flip);
  out[bytes - 1] &= LastByteMask(picture.Width());
}

void UnpackRow(TPixelImage& picture, int y, TBitMeaning meaning, const std::uint8_t* in) {
  const int bytes = (picture.Width() + 7) / 8;
  if (bytes == 0) return;
  std::uint8_t* row = picture.ScanLine(y);
  const std::uint8_t flip = meaning == TBitMeaning::SetIsBlack ? 0xFF : 0x00;
  for (int i = 0; i < bytes; ++i) row[i] = static_cast<std::uint8_t>(in[i] ^ flip);
  row[bytes - 1] &= LastByteMask(picture.Width());
}

void CheckSidesFit(const TPixelImage& picture, int maxSide, const char* formatTitle) {
  if (picture.Width() > maxSide || picture.Height() > maxSide)
    throw Exception(FormatMessage(SPictureTooLargeForFormat, formatTitle));
}

TPixelImage ReadPackedRows(TByteReader& reader, std::int64_t width, std::int64_t height, TBitMeaning meaning,
                           const char* invalidMessage) {
  CheckPictureSize(width, height);
  if (width == 0 || height == 0) return {};
  const std::int64_t rowBytes = (width + 7) / 8;
  if (rowBytes * height > reader.Remaining()) throw Exception(invalidMessage);
  TPixelImage picture = NewBlackWhitePicture(width, height);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes));
  for (int y = 0; y < picture.Height(); ++y) {
    if (!reader.Take(row.data(), rowBytes)) throw Exception(invalidMessage);
    UnpackRow(picture, y, meaning, row.data());
  }
  return picture;
}

void WritePackedRows(const TPixelImage& picture, TBitMeaning meaning, TStream& stream) {
  const TPixelImage blackWhite = BlackWhiteOf(picture);
  std::vector<std::uint8_t> row(static_cast<std::size_t>((picture.Width() + 7) / 8));
  for (int y = 0; y < picture.Height(); ++y) {
    PackRow(blackWhite, y, meaning, row.data());
    stream.WriteBuffer(row.data(), static_cast<std::int64_t>(row.size()));
  }
}
