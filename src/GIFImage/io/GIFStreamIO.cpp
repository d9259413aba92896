#include "GIFStreamIO.h"

#include "GIFException.h"
#include "GIFMessages.h"
#include "Stream.h"

bool ReadOneByte(TStream& stream, std::uint8_t& value) { return stream.Read(&value, 1) == 1; }

std::int64_t ReadAvailable(TStream& stream, void* buffer, std::int64_t count) {
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    const std::int64_t got = stream.Read(bytes + done, count - done);
    if (got <= 0) break;
    done += got;
  }
  return done;
}

void ReadExact(TStream& stream, void* buffer, std::int64_t count) {
  if (ReadAvailable(stream, buffer, count) != count) throw GIFException(sOutOfData);
}

std::uint8_t ReadExactByte(TStream& stream) {
  std::uint8_t value;
  ReadExact(stream, &value, 1);
  return value;
}

std::uint16_t ReadExactWord(TStream& stream) {
  std::uint8_t bytes[2];
  ReadExact(stream, bytes, 2);
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadExactDWord(TStream& stream) {
  std::uint8_t bytes[4];
  ReadExact(stream, bytes, 4);
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void MoveBy(TStream& stream, std::int64_t delta) { stream.Seek(delta, TSeekOrigin::soCurrent); }
