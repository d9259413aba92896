#include "MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const auto size = static_cast<std::int64_t>(FBytes.size());
  if (count <= 0 || FPosition >= size) return 0;
  const std::int64_t n = std::min(count, size - FPosition);
  std::memcpy(buffer, FBytes.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const auto end = static_cast<std::size_t>(FPosition + count);
  if (static_cast<std::size_t>(FPosition) == FBytes.size()) {
    // Appending: the bytes are copied once, with no zero fill first.
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    FBytes.insert(FBytes.end(), bytes, bytes + count);
    FPosition += count;
    return count;
  }
  if (end > FBytes.size()) FBytes.resize(end);
  std::memcpy(FBytes.data() + FPosition, buffer, static_cast<std::size_t>(count));
  FPosition += count;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == TSeekOrigin::soCurrent) base = FPosition;
  if (origin == TSeekOrigin::soEnd) base = static_cast<std::int64_t>(FBytes.size());
  FPosition = std::max<std::int64_t>(0, base + offset);
  return FPosition;
}

std::vector<std::uint8_t> TMemoryStream::TakeBytes() {
  FPosition = 0;
  return std::exchange(FBytes, {});
}

void TMemoryStream::Clear() {
  FBytes.clear();
  FPosition = 0;
}
