#include "GIFSubBlocks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "GIFStreamIO.h"
#include "Stream.h"

void ReadSubBlockLines(TStream& stream, TGIFLines& lines) {
  lines.clear();
  std::uint8_t size = 0;
  char bytes[255];
  while (ReadOneByte(stream, size) && size != 0) {
    ReadExact(stream, bytes, size);
    lines.emplace_back(bytes, ::strnlen(bytes, size));
  }
}

void WriteSubBlockLines(TStream& stream, const TGIFLines& lines) {
  for (const std::string& line : lines) {
    for (std::size_t at = 0; at < line.size(); at += 255) {
      const std::size_t piece = std::min<std::size_t>(255, line.size() - at);
      stream.WriteByte(static_cast<std::uint8_t>(piece));
      stream.WriteBuffer(line.data() + at, static_cast<std::int64_t>(piece));
    }
  }
  stream.WriteByte(0);
}
