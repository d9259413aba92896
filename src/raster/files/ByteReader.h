// TByteReader: the bytes of a picture file, read from a stream through a
// buffer. The readers of the small 1-bit formats take a byte at a time while
// they parse headers and text; the buffer keeps that from costing a stream
// read per byte. It reads from the stream's position on to its end.
#pragma once

#include <cstdint>
#include <vector>

#include "Stream.h"

class TByteReader {
public:
  explicit TByteReader(TStream& stream);

  // The next byte without taking it, or -1 at the end of the data.
  int Peek();
  // Takes the next byte, or returns -1 at the end of the data.
  int Next();
  // The bytes still to come: those in the buffer and what the stream holds.
  std::int64_t Remaining();
  // Takes exactly count bytes; false (having taken what there was) when the
  // data ends first.
  bool Take(std::uint8_t* out, std::int64_t count);

private:
  bool Fill();

  TStream& FStream;
  std::vector<std::uint8_t> FBuffer;
  std::size_t FPosition = 0;
  std::size_t FEnd = 0;
};
