// Runs of pixels in a 1-bit row, most significant bit first (set is white).
#pragma once

#include <cstdint>
#include <cstring>

// Sets the bits of the pixels from..to-1.
inline void SetMonoBits(std::uint8_t* row, int from, int to) {
  int x = from;
  for (; x < to && (x & 7) != 0; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
  const int wholeBytes = (to - x) / 8;
  if (wholeBytes > 0) std::memset(row + (x >> 3), 0xFF, static_cast<std::size_t>(wholeBytes));
  for (x += wholeBytes * 8; x < to; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
}

// Clears the bits of the byte that holds pixel x, from x on.
inline void ClearMonoBitsFrom(std::uint8_t* row, int x) {
  if (x % 8 != 0) row[x / 8] &= static_cast<std::uint8_t>(0xFF00 >> (x % 8));
}
