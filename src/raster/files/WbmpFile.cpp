#include "WbmpFile.h"

#include <algorithm>

#include "BlackWhitePicture.h"
#include "ByteReader.h"
#include "Exception.h"
#include "PictureFileMessages.h"

namespace {

constexpr int WbmpType0 = 0;
// The fixed header's top bit announces extension headers, which type 0 never has.
constexpr int ExtensionHeadersFollow = 0x80;
// Beyond this a size is over the pixel cap anyway; the value stays here.
constexpr std::int64_t SizeCeiling = std::int64_t{1} << 40;

[[noreturn]] void Invalid() { throw Exception(SInvalidWbmp); }

std::int64_t ReadMultiByteInteger(TByteReader& reader) {
  std::int64_t value = 0;
  for (;;) {
    const int byte = reader.Next();
    if (byte < 0) Invalid();
    value = std::min(SizeCeiling, (value << 7) | (byte & 0x7F));
    if ((byte & 0x80) == 0) return value;
  }
}

void WriteMultiByteInteger(TStream& stream, std::uint32_t value) {
  std::uint8_t groups[5];
  int count = 0;
  do {
    groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) stream.WriteByte(static_cast<std::uint8_t>(groups[--count] | 0x80));
  stream.WriteByte(groups[0]);
}

}  // namespace

TPixelImage ReadWbmp(TStream& stream) {
  TByteReader reader(stream);
  if (reader.Remaining() <= 0) return {};
  if (ReadMultiByteInteger(reader) != WbmpType0) Invalid();
  const int fixedHeader = reader.Next();
  if (fixedHeader < 0 || (fixedHeader & ExtensionHeadersFollow) != 0) Invalid();
  const std::int64_t width = ReadMultiByteInteger(reader);
  const std::int64_t height = ReadMultiByteInteger(reader);
  return ReadPackedRows(reader, width, height, TBitMeaning::SetIsWhite, SInvalidWbmp);
}

void WriteWbmp(const TPixelImage& picture, TStream& stream) {
  if (picture.Empty()) return;
  stream.WriteByte(WbmpType0);
  stream.WriteByte(0);
  WriteMultiByteInteger(stream, static_cast<std::uint32_t>(picture.Width()));
  WriteMultiByteInteger(stream, static_cast<std::uint32_t>(picture.Height()));
  WritePackedRows(picture, TBitMeaning::SetIsWhite, stream);
}
