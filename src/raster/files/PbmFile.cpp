#include "PbmFile.h"

#include <algorithm>
#include <string>
#include <vector>

#include "BlackWhitePicture.h"
#include "ByteReader.h"
#include "Exception.h"
#include "PictureFileMessages.h"
#include "TextSink.h"

namespace {

// Plain PBM lines should not be longer than this.
constexpr std::size_t MaxPlainLine = 70;
// More digits than this make a size over any cap; the value stays here.
constexpr std::int64_t SizeCeiling = std::int64_t{1} << 40;

[[noreturn]] void Invalid() { throw Exception(SInvalidPbm); }

bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

void SkipSpaceAndComments(TByteReader& reader) {
  for (;;) {
    const int c = reader.Peek();
    if (c == '#') {
      while (reader.Peek() >= 0 && reader.Peek() != '\n' && reader.Peek() != '\r') reader.Next();
    } else if (IsSpace(c)) {
      reader.Next();
    } else {
      return;
    }
  }
}

// A size of the header and the one white-space character (or comment) that
// ends it.
std::int64_t ReadSize(TByteReader& reader) {
  SkipSpaceAndComments(reader);
  if (!IsDigit(reader.Peek())) Invalid();
  std::int64_t value = 0;
  while (IsDigit(reader.Peek())) value = std::min(SizeCeiling, value * 10 + (reader.Next() - '0'));
  const int end = reader.Peek();
  if (end != '#' && !IsSpace(end)) Invalid();
  return value;
}

TPixelImage ReadPlainPixels(TByteReader& reader, std::int64_t width, std::int64_t height) {
  CheckPictureSize(width, height);
  if (width == 0 || height == 0) return {};
  // Each pixel takes a character at least.
  if (width * height > reader.Remaining()) Invalid();
  TPixelImage picture = NewBlackWhitePicture(width, height);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      int c = reader.Next();
      while (IsSpace(c)) c = reader.Next();
      if (c == '0')
        SetWhite(picture, x, y);
      else if (c != '1')
        Invalid();
    }
  return picture;
}

// Each row starts a line; a line breaks after MaxPlainLine pixels.
void WritePlainPixels(const TPixelImage& picture, TTextSink& text) {
  const TPixelImage blackWhite = BlackWhiteOf(picture);
  std::string line;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      line += IsBlack(blackWhite, x, y) ? '1' : '0';
      if (line.size() == MaxPlainLine || x + 1 == picture.Width()) {
        text << line << '\n';
        line.clear();
      }
    }
  }
}

}  // namespace

TPixelImage ReadPbm(TStream& stream) {
  TByteReader reader(stream);
  if (reader.Remaining() <= 0) return {};
  if (reader.Next() != 'P') Invalid();
  const int form = reader.Next();
  if (form != '1' && form != '4') Invalid();
  const std::int64_t width = ReadSize(reader);
  const std::int64_t height = ReadSize(reader);
  if (form == '1') return ReadPlainPixels(reader, width, height);
  // A comment may follow the height; the raster starts after the line it ends.
  const int end = reader.Next();
  if (end == '#')
    while (reader.Peek() >= 0 && reader.Next() != '\n') {
    }
  return ReadPackedRows(reader, width, height, TBitMeaning::SetIsBlack, SInvalidPbm);
}

void WritePbm(const TPixelImage& picture, TStream& stream, TPbmForm form) {
  if (picture.Empty()) return;
  const bool plain = form == TPbmForm::Plain;
  TTextSink text(stream);
  text << (plain ? "P1\n" : "P4\n") << std::to_string(picture.Width()) + ' ' + std::to_string(picture.Height()) + '\n';
  if (plain) WritePlainPixels(picture, text);
  text.Flush();
  if (!plain) WritePackedRows(picture, TBitMeaning::SetIsBlack, stream);
}
