// The bit fields of the packed flag bytes of the logical screen descriptor
// and of the image descriptor, named once so that the writer that fills them
// in and anyone who reads them agree on which bit is which.
#pragma once

#include <cstdint>

namespace ScreenFlag {
inline constexpr std::uint8_t GlobalTable = 0x80;      // a global colour table follows
inline constexpr std::uint8_t ColorResolution = 0x70;  // bits per primary colour - 1
inline constexpr int ColorResolutionShift = 4;
inline constexpr std::uint8_t Sorted = 0x08;     // the global table is ordered by use
inline constexpr std::uint8_t TableSize = 0x07;  // n: the table holds 2^(n+1) entries
}  // namespace ScreenFlag

namespace ImageFlag {
inline constexpr std::uint8_t LocalTable = 0x80;  // a local colour table follows
inline constexpr std::uint8_t Interlaced = 0x40;  // rows stored in four passes
inline constexpr std::uint8_t Sorted = 0x20;      // the local table is ordered by use
inline constexpr std::uint8_t Reserved = 0x18;
inline constexpr std::uint8_t TableSize = 0x07;  // n: the table holds 2^(n+1) entries
}  // namespace ImageFlag
