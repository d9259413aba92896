// Sample pictures for tests and benchmarks, as colour indices: photo-like
// noise (short LZW strings) and flat areas (long ones), and colour tables to
// go with them.
#pragma once

#include <cstdint>
#include <vector>

using TBytes = std::vector<std::uint8_t>;

// Smooth colour fields with noise in every pixel: short LZW strings, like a
// dithered photograph. Indices below colors.
TBytes PhotoLikeIndices(int width, int height, int colors, unsigned seed);
// Large areas of one colour with a few shapes: long LZW strings.
TBytes FlatIndices(int width, int height, int colors);
// count colours as 0xRRGGBB, spread over the colour cube.
std::vector<std::uint32_t> SpreadColors(int count);
