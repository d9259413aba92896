#include "Json.h"

#include <cstdio>

#include "PixelImage.h"

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void AppendHex(std::string& out, const std::uint8_t* bytes, std::size_t count) {
  static const char Digits[] = "0123456789abcdef";
  out.reserve(out.size() + 2 * count);
  for (std::size_t i = 0; i < count; ++i) {
    out += Digits[bytes[i] >> 4];
    out += Digits[bytes[i] & 0x0F];
  }
}

std::string HexPixels(const TPixelImage& image) {
  std::string out;
  out.reserve(static_cast<std::size_t>(image.Width()) * static_cast<std::size_t>(image.Height()) * 6);
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const TColor c = image.GetPixel(x, y);
      const std::uint8_t rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
      AppendHex(out, rgb, 3);
    }
  return out;
}
