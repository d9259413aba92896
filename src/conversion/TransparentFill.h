// The pixels of a frame that keep what the frame before showed may be written
// either in their own colour or as the transparent index: both show the same.
// These fills choose for each such pixel, so that the frame's image data
// comes out small.
#pragma once

#include <cstdint>
#include <vector>

// Every pixel that keeps its colour (changed[i] false) becomes transparent.
std::vector<std::uint8_t> AllKeptTransparent(const std::vector<std::uint8_t>& indices, const std::vector<bool>& changed,
                                             std::uint8_t transparent);

enum class TKeptPreference { OwnColour, Transparent, OwnColourElse };

// Each kept pixel takes whichever of its own index and the transparent one
// continues the string that an LZW encoder is building (with codes of
// minimumCodeSize bits and up), so that the strings grow long.
std::vector<std::uint8_t> LongStringFill(const std::vector<std::uint8_t>& indices, const std::vector<bool>& changed,
                                         std::uint8_t transparent, int minimumCodeSize, TKeptPreference preference);
