#include "Stream.h"

#include "Exception.h"
#include "PlatformMessages.h"

std::int64_t TStream::Position() { return Seek(0, TSeekOrigin::soCurrent); }

void TStream::SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

std::int64_t TStream::Size() {
  const std::int64_t here = Position();
  const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(here, TSeekOrigin::soBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  // Some streams deliver less than asked without being at the end; keep asking.
  while (count > 0) {
    const std::int64_t got = Read(bytes, count);
    if (got <= 0) throw Exception(SStreamReadError);
    bytes += got;
    count -= got;
  }
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw Exception(SStreamWriteError);
}

std::uint8_t TStream::ReadByte() {
  std::uint8_t value;
  ReadBuffer(&value, 1);
  return value;
}

std::uint16_t TStream::ReadWord() {
  std::uint8_t bytes[2];
  ReadBuffer(bytes, 2);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t TStream::ReadDWord() {
  std::uint8_t bytes[4];
  ReadBuffer(bytes, 4);
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void TStream::WriteByte(std::uint8_t value) { WriteBuffer(&value, 1); }

void TStream::WriteWord(std::uint16_t value) {
  const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  WriteBuffer(bytes, 2);
}

void TStream::WriteDWord(std::uint32_t value) {
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  WriteBuffer(bytes, 4);
}
