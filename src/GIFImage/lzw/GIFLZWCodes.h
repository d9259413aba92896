// What the LZW decoder and the scan of a frame's codes agree on: the size of
// the code table, the largest initial code size, how codes are read from
// the gathered data and how their width grows.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

inline constexpr int MaxLZWCodes = 4096;   // 12-bit codes
inline constexpr int MaxLZWCodeWidth = 12;
inline constexpr int MaxLZWCodeSize = 11;  // a larger initial code size has no room in the tables

// The code of the given bits (a mask of the code width) that starts at bit
// bitPos of the gathered data, bits taken least significant first; the data's
// padding lets eight bytes be loaded at any offset.
inline std::uint64_t CodeAt(const std::uint8_t* data, std::uint64_t bitPos, std::uint64_t mask) {
  std::uint64_t value;
  std::memcpy(&value, data + (bitPos >> 3), sizeof value);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap64(value);
  return (value >> (bitPos & 7)) & mask;
}

// The next free code has just grown to nextFree: once it no longer fits the
// code width (the mask of its bits), codes get one bit wider, up to 12 bits.
inline void WidenCodes(int nextFree, int& width, std::uint32_t& mask) {
  if (static_cast<std::uint32_t>(nextFree) > mask && width < MaxLZWCodeWidth) {
    ++width;
    mask = mask * 2 + 1;
  }
}
