// One pixel of a 1-bit row, most significant bit first: set for white,
// clear for black, as the strip's rows hold them.
#pragma once

#include <cstdint>

inline void PutMonoBit(std::uint8_t* row, int x, bool white) {
  const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (x & 7));
  if (white)
    row[x >> 3] |= bit;
  else
    row[x >> 3] &= static_cast<std::uint8_t>(~bit);
}
