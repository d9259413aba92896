#include "ByteReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

}  // namespace

TByteReader::TByteReader(TStream& stream) : FStream(stream), FBuffer(BufferSize) {}

bool TByteReader::Fill() {
  if (FPosition < FEnd) return true;
  FPosition = 0;
  FEnd = static_cast<std::size_t>(std::max<std::int64_t>(FStream.Read(FBuffer.data(), static_cast<std::int64_t>(FBuffer.size())), 0));
  return FEnd > 0;
}

int TByteReader::Peek() { return Fill() ? FBuffer[FPosition] : -1; }

int TByteReader::Next() { return Fill() ? FBuffer[FPosition++] : -1; }

std::int64_t TByteReader::Remaining() {
  return static_cast<std::int64_t>(FEnd - FPosition) + std::max<std::int64_t>(FStream.Remaining(), 0);
}

bool TByteReader::Take(std::uint8_t* out, std::int64_t count) {
  while (count > 0) {
    if (!Fill()) return false;
    const std::size_t chunk = std::min(static_cast<std::size_t>(count), FEnd - FPosition);
    std::memcpy(out, FBuffer.data() + FPosition, chunk);
    FPosition += chunk;
    out += chunk;
    count -= static_cast<std::int64_t>(chunk);
  }
  return true;
}
