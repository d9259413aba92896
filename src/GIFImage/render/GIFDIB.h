// Row access to the device-independent image of a bitmap, for the frame
// renderer and the bitmap import. TDIBWriter builds an 8- or 24-bit image row
// by row in one block of memory and hands it to its bitmap in one piece when
// finished; TDIBReader switches a bitmap to a pixel format and reads its rows.
// Both refer to a bitmap they do not own, which must outlive them.
#pragma once

#include <cstdint>
#include <optional>

#include "Bitmap.h"
#include "PixelImage.h"
#include "Palette.h"
#include "PixelFormat.h"

class TDIB {
public:
  TDIB(const TDIB&) = delete;
  TDIB& operator=(const TDIB&) = delete;

  TBitmap& Bitmap() const { return FBitmap; }
  TPixelFormat PixelFormat() const { return FPixelFormat; }

protected:
  TDIB(TBitmap& bitmap, TPixelFormat format) : FBitmap(bitmap), FPixelFormat(format) {}
  ~TDIB() = default;

private:
  TBitmap& FBitmap;
  TPixelFormat FPixelFormat;
};

class TDIBWriter : public TDIB {
public:
  // "Unsupported PixelFormat" for any format but pf8bit and pf24bit, "Invalid
  // image dimensions" for a width or height below 1. The palette becomes the
  // colour table of an 8-bit image.
  TDIBWriter(TBitmap& bitmap, std::optional<TPalette> palette, int width, int height, TPixelFormat format);

  // The bytes of row `row`, counted from the top. The first call makes the
  // image memory, all zero ("Failed to allocate memory for GIF DIB", an
  // EOutOfMemory, when it cannot be had). After Finish "Image has no DIB";
  // a row outside the image raises "Scan line index out of range"
  // (EInvalidGraphicOperation).
  std::uint8_t* RowAddress(int row);
  // Hands the image to the bitmap, which becomes a device-independent image
  // of the writer's format and size; an 8-bit one gets a colour table of 256
  // entries, the palette's first and black after them. Without image memory
  // (no row was asked for, or finished before) nothing happens.
  void Finish();

private:
  void MakeImage();

  std::optional<TPalette> FPalette;
  int FWidth;
  int FHeight;
  std::optional<TPixelImage> FImage;
  bool FFinished = false;
};

class TDIBReader : public TDIB {
public:
  // Converts the bitmap itself to the format, keeping its colours as far as
  // the format holds them; "Unsupported PixelFormat" for pfDevice and pfCustom.
  TDIBReader(TBitmap& bitmap, TPixelFormat format);

  // The stored bytes of row `row`, counted from the top; "Scan line index out
  // of range" (EInvalidGraphicOperation) outside the image.
  const std::uint8_t* ScanLine(int row) const;
};
