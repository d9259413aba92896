#include "XbmFile.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "BlackWhitePicture.h"
#include "ByteReader.h"
#include "CIdentifier.h"
#include "Exception.h"
#include "PictureFileMessages.h"
#include "TextSink.h"

namespace {

// Longer words than this are no part of a bitmap file.
constexpr std::size_t MaxWordLength = 256;
// Larger numbers make a size over any cap; the value stays here.
constexpr std::int64_t NumberCeiling = std::int64_t{1} << 40;
constexpr int ValuesPerLine = 12;

[[noreturn]] void Invalid() { throw Exception(SInvalidXbm); }

bool IsWordCharacter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The tokens of C text: words (letters, digits, '_') and single punctuation
// characters, with white space and comments between them dropped.
class TCTokens {
public:
  explicit TCTokens(TByteReader& reader) : FReader(reader) {}

  // The next token; empty at the end of the text.
  std::string Next() {
    SkipSpaceAndComments();
    const int first = FReader.Next();
    if (first < 0) return {};
    std::string token(1, static_cast<char>(first));
    if (!IsWordCharacter(first)) return token;
    while (IsWordCharacter(FReader.Peek())) {
      if (token.size() == MaxWordLength) Invalid();
      token += static_cast<char>(FReader.Next());
    }
    return token;
  }

  std::int64_t Remaining() { return FReader.Remaining(); }

private:
  void SkipSpaceAndComments() {
    for (;;) {
      while (IsSpace(FReader.Peek())) FReader.Next();
      if (FReader.Peek() != '/') return;
      FReader.Next();
      if (FReader.Next() != '*') Invalid();  // a lone '/' has no place in a bitmap file
      int previous = 0;
      for (int c = FReader.Next(); !(previous == '*' && c == '/'); c = FReader.Next()) {
        if (c < 0) Invalid();
        previous = c;
      }
    }
  }

  TByteReader& FReader;
};

// A C integer constant: decimal or hexadecimal ("0x").
std::optional<std::int64_t> NumberOf(const std::string& token) {
  const bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
  if (token.empty() || (!hex && !(token[0] >= '0' && token[0] <= '9'))) return std::nullopt;
  std::int64_t value = 0;
  for (std::size_t i = hex ? 2 : 0; i < token.size(); ++i) {
    const char c = token[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = std::min(NumberCeiling, value * (hex ? 16 : 10) + digit);
  }
  return value;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

struct TXbmHeader {
  std::int64_t Width = -1;
  std::int64_t Height = -1;
  int UnitBits = 8;  // 16 for the X10 form's shorts
};

// Reads the defines and the declaration up to the array's opening brace.
TXbmHeader ReadHeader(TCTokens& tokens) {
  TXbmHeader header;
  for (std::string token = tokens.Next(); token != "{"; token = tokens.Next()) {
    if (token.empty()) Invalid();
    if (token == "short") header.UnitBits = 16;
    if (token != "#" || tokens.Next() != "define") continue;
    const std::string name = tokens.Next();
    const std::optional<std::int64_t> value = NumberOf(tokens.Next());
    const bool isWidth = EndsWith(name, "_width"), isHeight = EndsWith(name, "_height");
    if ((isWidth || isHeight) && !value) Invalid();
    if (isWidth) header.Width = *value;
    if (isHeight) header.Height = *value;
  }
  if (header.Width < 0 || header.Height < 0) Invalid();
  return header;
}

// Value i of the array holds unitBits pixels of one row, the leftmost in bit 0.
void PlaceValue(TPixelImage& picture, std::int64_t i, std::int64_t unitsPerRow, int unitBits, std::int64_t value) {
  const int y = static_cast<int>(i / unitsPerRow);
  const int firstX = static_cast<int>(i % unitsPerRow) * unitBits;
  const int count = std::min(unitBits, picture.Width() - firstX);
  for (int b = 0; b < count; ++b)
    if (((value >> b) & 1) == 0) SetWhite(picture, firstX + b, y);
}

std::uint8_t Reversed(std::uint8_t b) {
  std::uint8_t r = 0;
  for (int i = 0; i < 8; ++i) r = static_cast<std::uint8_t>(r | (((b >> i) & 1) << (7 - i)));
  return r;
}

}  // namespace

TPixelImage ReadXbm(TStream& stream) {
  TByteReader reader(stream);
  if (reader.Remaining() <= 0) return {};
  TCTokens tokens(reader);
  const TXbmHeader header = ReadHeader(tokens);
  CheckPictureSize(header.Width, header.Height);
  if (header.Width == 0 || header.Height == 0) return {};
  const std::int64_t unitsPerRow = (header.Width + header.UnitBits - 1) / header.UnitBits;
  const std::int64_t needed = unitsPerRow * header.Height;
  // Each value takes a character at least, and a comma after all but the last.
  if (2 * needed - 1 > tokens.Remaining()) Invalid();
  TPixelImage picture = NewBlackWhitePicture(header.Width, header.Height);
  const std::int64_t maxValue = (std::int64_t{1} << header.UnitBits) - 1;
  for (std::int64_t i = 0; i < needed; ++i) {
    const std::optional<std::int64_t> value = NumberOf(tokens.Next());
    if (!value || *value > maxValue) Invalid();
    PlaceValue(picture, i, unitsPerRow, header.UnitBits, *value);
    if (i + 1 < needed && tokens.Next() != ",") Invalid();
  }
  return picture;
}

void WriteXbm(const TPixelImage& picture, TStream& stream, const std::string& name) {
  if (picture.Empty()) return;
  const std::string identifier = CIdentifier(name);
  TTextSink text(stream);
  text << "#define " + identifier + "_width " + std::to_string(picture.Width()) + "\n";
  text << "#define " + identifier + "_height " + std::to_string(picture.Height()) + "\n";
  text << "static unsigned char " + identifier + "_bits[] = {";
  const TPixelImage blackWhite = BlackWhiteOf(picture);
  std::vector<std::uint8_t> row(static_cast<std::size_t>((picture.Width() + 7) / 8));
  int written = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    PackRow(blackWhite, y, TBitMeaning::SetIsBlack, row.data());
    for (const std::uint8_t b : row) {
      text << (written == 0 ? "\n  " : (written % ValuesPerLine == 0 ? ",\n  " : ", ")) << HexByte(Reversed(b));
      ++written;
    }
  }
  text << "\n};\n";
  text.Flush();
}
