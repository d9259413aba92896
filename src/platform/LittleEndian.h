// Little-endian words as GIF and BMP files store them: the one place that
// puts their bytes together, for the stream's readers and for the blocks
// that readers take in one piece and pick apart.
#pragma once

#include <cstdint>

inline std::uint16_t LittleEndianWord(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t LittleEndianDWord(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
         (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}
