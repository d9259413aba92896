#include "GIFStreamIO.h"

#include "GIFException.h"
#include "GIFMessages.h"
#include "LittleEndian.h"
#include "Stream.h"

bool ReadOneByte(TStream& stream, std::uint8_t& value) { return stream.Read(&value, 1) == 1; }

void ReadExact(TStream& stream, void* buffer, std::int64_t count) {
  if (stream.ReadAvailable(buffer, count) != count) throw GIFException(sOutOfData);
}

std::uint8_t ReadExactByte(TStream& stream) {
  std::uint8_t value;
  ReadExact(stream, &value, 1);
  return value;
}

std::uint16_t ReadExactWord(TStream& stream) {
  std::uint8_t bytes[2];
  ReadExact(stream, bytes, 2);
  return LittleEndianWord(bytes);
}

std::uint32_t ReadExactDWord(TStream& stream) {
  std::uint8_t bytes[4];
  ReadExact(stream, bytes, 4);
  return LittleEndianDWord(bytes);
}

void MoveBy(TStream& stream, std::int64_t delta) { stream.Seek(delta, TSeekOrigin::soCurrent); }
