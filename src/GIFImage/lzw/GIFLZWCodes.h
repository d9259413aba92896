// What the LZW decoder and the scan of a frame's codes agree on: the size of
// the code table, the largest initial code size, how codes are loaded from
// the gathered data and how their width grows.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

inline constexpr int MaxLZWCodes = 4096;   // 12-bit codes
inline constexpr int MaxLZWCodeWidth = 12;
inline constexpr int MaxLZWCodeSize = 11;  // a larger initial code size has no room in the tables

// Eight bytes from any data offset (the gathered data has padding for it),
// least significant first.
inline std::uint64_t Load64(const std::uint8_t* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap64(value);
  return value;
}

// The next free code has just grown to nextFree: once it no longer fits the
// code width (the mask of its bits), codes get one bit wider, up to 12 bits.
inline void WidenCodes(int nextFree, int& width, std::uint32_t& mask) {
  if (static_cast<std::uint32_t>(nextFree) > mask && width < MaxLZWCodeWidth) {
    ++width;
    mask = mask * 2 + 1;
  }
}
