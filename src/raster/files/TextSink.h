// TTextSink: text on its way into a stream, gathered and handed over in
// pieces of about 64 KiB, so that writers of text formats neither write a
// few bytes at a time nor hold a whole big file in memory.
#pragma once

#include <string>

#include "Stream.h"

class TTextSink {
public:
  explicit TTextSink(TStream& stream) : FStream(stream) {}
  TTextSink(const TTextSink&) = delete;
  TTextSink& operator=(const TTextSink&) = delete;

  TTextSink& operator<<(const std::string& text) {
    FText += text;
    if (FText.size() >= FlushSize) Flush();
    return *this;
  }
  TTextSink& operator<<(char c) { return *this << std::string(1, c); }

  // Writes what is gathered; raises "Stream write error" when the stream takes less.
  void Flush() {
    FStream.WriteBuffer(FText.data(), static_cast<std::int64_t>(FText.size()));
    FText.clear();
  }

private:
  static constexpr std::size_t FlushSize = 64 * 1024;
  TStream& FStream;
  std::string FText;
};

// A byte as C writes it in hexadecimal: "0x0f".
inline std::string HexByte(unsigned value) {
  constexpr const char* Digits = "0123456789abcdef";
  return std::string("0x") + Digits[(value >> 4) & 0x0F] + Digits[value & 0x0F];
}
