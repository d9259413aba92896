// TStream: a seekable byte stream, the one way readers and writers of this
// program touch bytes. Read/Write move as many bytes as they can; ReadBuffer
// and WriteBuffer insist on the full count and raise the stream messages.
#pragma once

#include <cstddef>
#include <cstdint>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
  virtual ~TStream() = default;

  // Returns how many bytes were read (0 at the end of the data).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  // Returns how many bytes were written.
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position();
  void SetPosition(std::int64_t position);
  std::int64_t Size();
  std::int64_t Remaining() { return Size() - Position(); }

  // Reads up to count bytes, asking again after short reads, as many as the
  // stream still gives; returns how many came.
  std::int64_t ReadAvailable(void* buffer, std::int64_t count);
  // Reads exactly count bytes or raises "Stream read error".
  void ReadBuffer(void* buffer, std::int64_t count);
  // Writes exactly count bytes or raises "Stream write error".
  void WriteBuffer(const void* buffer, std::int64_t count);

  std::uint8_t ReadByte();
  std::uint16_t ReadWord();   // little-endian
  std::uint32_t ReadDWord();  // little-endian
  void WriteByte(std::uint8_t value);
  void WriteWord(std::uint16_t value);
  void WriteDWord(std::uint32_t value);
};
