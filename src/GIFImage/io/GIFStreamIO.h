// Byte-level reads and writes of the GIF blocks: single-byte reads that tell
// the end of the stream apart from a value, exact reads that raise the
// codec's "Premature end of data", and relative moves of the position.
#pragma once

#include <cstdint>

class TStream;

// Reads one byte; false when the stream has ended.
bool ReadOneByte(TStream& stream, std::uint8_t& value);
// Reads exactly count bytes or raises "Premature end of data".
void ReadExact(TStream& stream, void* buffer, std::int64_t count);
std::uint8_t ReadExactByte(TStream& stream);
std::uint16_t ReadExactWord(TStream& stream);  // little-endian
std::uint32_t ReadExactDWord(TStream& stream);  // little-endian

// Moves the position by delta bytes (negative moves back).
void MoveBy(TStream& stream, std::int64_t delta);
