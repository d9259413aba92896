// Small helpers for the one-line JSON objects the command-line tool prints.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class TPixelImage;

// A JSON string literal, quotes included, with quotes, backslashes and
// control characters escaped.
std::string JsonString(const std::string& text);

// Appends two lower-case hex digits per byte.
void AppendHex(std::string& out, const std::uint8_t* bytes, std::size_t count);
// The colours of an image as "rrggbb" per pixel, rows top to bottom, left to right.
std::string HexPixels(const TPixelImage& image);
