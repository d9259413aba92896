#include "OtbFile.h"

#include "BlackWhitePicture.h"
#include "ByteReader.h"
#include "Exception.h"
#include "PictureFileMessages.h"

namespace {

// Info field bits: another info field follows (never used for pictures, and
// we could not say what it holds), and sizes of two bytes each.
constexpr int InfoChained = 0x80;
constexpr int InfoWideSizes = 0x10;
constexpr int Monochrome = 1;
constexpr int MaxByteSide = 0xFF;
constexpr int MaxWordSide = 0xFFFF;

[[noreturn]] void Invalid() { throw Exception(SInvalidOtb); }

int ReadSize(TByteReader& reader, bool wide) {
  const int high = wide ? reader.Next() : 0;
  const int low = reader.Next();
  if (high < 0 || low < 0) Invalid();
  return (high << 8) | low;
}

void WriteSize(TStream& stream, int side, bool wide) {
  if (wide) stream.WriteByte(static_cast<std::uint8_t>(side >> 8));
  stream.WriteByte(static_cast<std::uint8_t>(side));
}

}  // namespace

TPixelImage ReadOtb(TStream& stream) {
  TByteReader reader(stream);
  if (reader.Remaining() <= 0) return {};
  const int info = reader.Next();
  if ((info & InfoChained) != 0) Invalid();
  const bool wide = (info & InfoWideSizes) != 0;
  const int width = ReadSize(reader, wide);
  const int height = ReadSize(reader, wide);
  if (reader.Next() != Monochrome) Invalid();
  return ReadPackedRows(reader, width, height, TBitMeaning::SetIsBlack, SInvalidOtb);
}

void WriteOtb(const TPixelImage& picture, TStream& stream) {
  if (picture.Empty()) return;
  CheckSidesFit(picture, MaxWordSide, "OTA bitmap");
  const bool wide = picture.Width() > MaxByteSide || picture.Height() > MaxByteSide;
  stream.WriteByte(wide ? InfoWideSizes : 0);
  WriteSize(stream, picture.Width(), wide);
  WriteSize(stream, picture.Height(), wide);
  stream.WriteByte(Monochrome);
  WritePackedRows(picture, TBitMeaning::SetIsBlack, stream);
}
