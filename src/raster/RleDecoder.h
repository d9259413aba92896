// DecodeRle: expands the run-length pixel codes of RLE8 and RLE4 BMP files into
// one colour-table index per pixel. It knows the codes (repeated runs, absolute
// runs padded to a word, end of line, end of bitmap, delta moves) and nothing
// of headers or colours; turning the indices into an image is the reader's job.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

enum class TRleEncoding { Rle8, Rle4 };

// Returns width * height indices, rows top to bottom. The codes start at the
// bottom row, as the file stores them. Pixels that no code reaches keep index
// 0; runs that go past the end of a row are cut there (they do not wrap), and
// codes that move past the top row end the picture. Codes that stop early
// (no end-of-bitmap code, or a run cut off) leave the rest at index 0.
// The caller has already checked width * height against the image size cap.
std::vector<std::uint8_t> DecodeRle(std::span<const std::uint8_t> codes, int width, int height,
                                    TRleEncoding encoding);
