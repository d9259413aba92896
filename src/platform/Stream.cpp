#include "Stream.h"

#include "Exception.h"
#include "LittleEndian.h"
#include "PlatformMessages.h"

std::int64_t TStream::Position() { return Seek(0, TSeekOrigin::soCurrent); }

void TStream::SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }

std::int64_t TStream::Size() {
  const std::int64_t here = Position();
  const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(here, TSeekOrigin::soBeginning);
  return end;
}

std::int64_t TStream::ReadAvailable(void* buffer, std::int64_t count) {
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  // Some streams deliver less than asked without being at the end; keep asking.
  std::int64_t done = 0;
  while (done < count) {
    const std::int64_t got = Read(bytes + done, count - done);
    if (got <= 0) break;
    done += got;
  }
  return done;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count > 0 && ReadAvailable(buffer, count) != count) throw Exception(SStreamReadError);
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
  return LittleEndianWord(bytes);
}

std::uint32_t TStream::ReadDWord() {
  std::uint8_t bytes[4];
  ReadBuffer(bytes, 4);
  return LittleEndianDWord(bytes);
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
