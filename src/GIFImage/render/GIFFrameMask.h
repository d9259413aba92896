// TFrameMask: the transparency mask that rendering a frame builds, one bit
// per pixel, set where the pixel carries the frame's transparent index. Rows
// are padded to 16 bits, as the platform's monochrome bitmaps take them, and
// bit 7 of each byte is the leftmost of its eight pixels. The finished mask
// becomes the frame's mask bitmap: white where transparent, black elsewhere.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;

class TFrameMask {
public:
  // All clear; sizes must not be negative.
  TFrameMask(int width, int height);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Bytes per row: ((Width + 15) / 16) * 2.
  int Stride() const { return FStride; }
  const std::uint8_t* Row(int y) const { return FBits.data() + static_cast<std::size_t>(y) * FStride; }

  // Marks pixel x of row y as transparent.
  void Set(int x, int y) {
    FBits[static_cast<std::size_t>(y) * FStride + static_cast<std::size_t>(x >> 3)] |= PixelBit(x);
    FAny = true;
  }
  // Marks the pixels of row y whose index (of Width given) equals transparent.
  void MarkRow(int y, const std::uint8_t* indices, std::uint8_t transparent);
  // True once a pixel was marked.
  bool Any() const { return FAny; }

  // A black-and-white bitmap of Width by Height, white where marked.
  std::unique_ptr<TBitmap> MakeBitmap() const;

private:
  // Pixel x's bit within its byte, the leftmost pixel in bit 7.
  static std::uint8_t PixelBit(int x) { return static_cast<std::uint8_t>(0x80 >> (x & 7)); }

  int FWidth;
  int FHeight;
  int FStride;
  std::vector<std::uint8_t> FBits;
  bool FAny = false;
};
