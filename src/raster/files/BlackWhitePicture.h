// The pictures of the 1-bit file formats in memory: 1-bit images whose colour
// table is black then white, so a set bit is a white pixel, with the leftmost
// pixel of each byte in its most significant bit (TPixelImage's 1-bit rows).
// Readers check the size a file declares and make such a picture of it;
// writers take any picture through BlackWhiteOf and pack its rows the way
// their format wants them.
#pragma once

#include <cstdint>

#include "PixelImage.h"

// Raises "Out of system resources" for a size over the pixel cap
// (MaxDibPixels) or one that an int cannot hold; allocates nothing.
void CheckPictureSize(std::int64_t width, std::int64_t height);

// An all-black picture of a size already checked by CheckPictureSize.
TPixelImage NewBlackWhitePicture(std::int64_t width, std::int64_t height);

// The picture in black and white: exactly white pixels stay white, every
// other colour turns black (as the 1-bit BMP writer sees it).
TPixelImage BlackWhiteOf(const TPixelImage& picture);

// What a set bit stands for in a file's packed rows.
enum class TBitMeaning { SetIsWhite, SetIsBlack };

// The (width + 7) / 8 bytes of row y packed with the leftmost pixel in the
// most significant bit; the bits after the last pixel are clear.
void PackRow(const TPixelImage& picture, int y, TBitMeaning meaning, std::uint8_t* out);
// Sets row y from bytes packed that way; bits after the last pixel are ignored.
void UnpackRow(TPixelImage& picture, int y, TBitMeaning meaning, const std::uint8_t* in);

inline bool IsBlack(const TPixelImage& picture, int x, int y) {
  return ((picture.ScanLine(y)[x >> 3] >> (7 - (x & 7))) & 1) == 0;
}

inline void SetWhite(TPixelImage& picture, int x, int y) {
  picture.ScanLine(y)[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
}

// Raises "The picture is too large for the %s format" (with the format's
// title) when the picture is wider or taller than the format's size fields
// can say; writers call it before they write a byte.
void CheckSidesFit(const TPixelImage& picture, int maxSide, const char* formatTitle);

class TByteReader;
class TStream;

// The picture of a file whose rows follow as packed bytes, top to bottom,
// each padded to whole bytes. Checks the size (CheckPictureSize) and that the
// data still holds every row (else raises invalidMessage) before it
// allocates; a width or height of 0 gives an empty (0 x 0) picture.
TPixelImage ReadPackedRows(TByteReader& reader, std::int64_t width, std::int64_t height, TBitMeaning meaning,
                           const char* invalidMessage);
// Writes the rows of the picture (white pixels white, all others black) as
// packed bytes, top to bottom, each padded to whole bytes.
void WritePackedRows(const TPixelImage& picture, TBitMeaning meaning, TStream& stream);
