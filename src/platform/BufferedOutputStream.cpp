#include "BufferedOutputStream.h"

#include <algorithm>
#include <cstring>

TBufferedOutputStream::TBufferedOutputStream(TStream& target, std::int64_t capacity)
    : FTarget(target), FBuffer(static_cast<std::size_t>(std::max<std::int64_t>(capacity, 1))) {}

std::int64_t TBufferedOutputStream::Read(void* buffer, std::int64_t count) {
  Flush();
  return FTarget.Read(buffer, count);
}

std::int64_t TBufferedOutputStream::Write(const void* buffer, std::int64_t count) {
  const auto capacity = static_cast<std::int64_t>(FBuffer.size());
  if (count <= 0) return 0;
  if (FUsed + count > capacity) Flush();
  // A piece as large as the buffer goes straight through.
  if (count >= capacity) {
    FTarget.WriteBuffer(buffer, count);
    return count;
  }
  std::memcpy(FBuffer.data() + FUsed, buffer, static_cast<std::size_t>(count));
  FUsed += count;
  return count;
}

std::int64_t TBufferedOutputStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  // Asking where we are need not pass the buffer on.
  if (origin == TSeekOrigin::soCurrent && offset == 0) return FTarget.Seek(0, TSeekOrigin::soCurrent) + FUsed;
  Flush();
  return FTarget.Seek(offset, origin);
}

void TBufferedOutputStream::Flush() {
  if (FUsed == 0) return;
  const std::int64_t used = FUsed;
  FUsed = 0;
  FTarget.WriteBuffer(FBuffer.data(), used);
}
