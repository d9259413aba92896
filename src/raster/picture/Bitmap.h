// TBitmap: a raster picture, the graphic that canvases draw on. It owns its
// pixels (a TPixelImage shared between copies until one of them changes) and its
// canvas, made on first use and kept for the bitmap's life.
//
// A bitmap is device-dependent (the display's own format: 32-bit colour, or
// 1-bit black and white for a monochrome one) or a device-independent image
// of 1, 4, 8, 15, 16, 24 or 32 bits as read from a file or converted. New and
// resized bitmaps are device-dependent; setting a pixel format other than
// pfDevice makes a device-independent image.
//
// A device image given in another form (the colour-table indices of a
// run-length file) keeps that form, with the same colours, until something
// needs the display's format: a write, a row through ScanLine, a new size. A
// big picture that is only shown, made black and white or saved never takes
// the memory of 32 bits per pixel.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "CanvasSurface.h"
#include "Graphic.h"
#include "Palette.h"
#include "PixelFormat.h"
#include "PixelImage.h"

class TBitmap : public TGraphic, private TCanvasSurface {
public:
  // An empty full-colour bitmap, 0 x 0, without canvas.
  TBitmap();
  // An independent copy of the pixels and format (without canvas or handler).
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap() override;

  int Width() const override;
  int Height() const override;
  bool Empty() const override;
  // A new size keeps the old pixels at the top-left; the new area takes the
  // canvas's brush colour, or white without a canvas. Sizes beyond what the
  // pixel store allows raise "Out of system resources"; nothing changes then.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);

  // True for 1 bit per pixel. Setting true turns each pixel equal to the
  // background colour white and every other pixel black; setting false gives a
  // full-colour bitmap of the same pixels. A kind set while the bitmap is
  // empty applies when it gets a size.
  bool Monochrome() const;
  void SetMonochrome(bool monochrome);

  TPixelFormat PixelFormat() const;
  // Converts the pixels to the format, keeping colours as far as it allows;
  // pfCustom raises "Invalid pixel format".
  void SetPixelFormat(TPixelFormat format);

  // The stored bytes of row y (0 is the top); other rows raise "Scan line
  // index out of range". The writable row belongs to this bitmap alone.
  std::uint8_t* ScanLine(int y);
  const std::uint8_t* ScanLine(int y) const;

  // The palette: a device-independent image's colour table, or the palette
  // given to a device-dependent bitmap; no entries means none.
  TPalette Palette() const;
  void SetPalette(const TPalette& palette);

  TCanvas& Canvas();
  bool HasCanvas() const { return FCanvas != nullptr; }
  // The colour that stands for white when this bitmap is made black and
  // white or drawn onto a black-and-white surface: its canvas's brush colour,
  // white without a canvas.
  TColor BackgroundColor() const;

  // The pixels as stored: a device image may still be in the form it was
  // given in (see above); its colours are those of the display's format.
  const TPixelImage& Image() const { return *FImage; }
  bool DeviceDependent() const { return FDeviceDependent; }
  // Takes over a finished image as this bitmap's pixels (a device-dependent
  // one is turned into the display's format).
  void SetImage(TPixelImage image, bool deviceDependent = false);
  // Becomes a copy of another bitmap's pixels, format and palette.
  void Assign(const TBitmap& source);

  void Draw(TCanvas& canvas, const TRect& rect) override;
  std::unique_ptr<TGraphic> Clone() const override;
  // Reads a BMP; a failed read leaves the bitmap as it was.
  void LoadFromStream(TStream& stream) override;
  // Writes the 1-bit BMP of the picture (white pixels white, all others black).
  void SaveToStream(TStream& stream) override;

private:
  // The surface its canvas draws on.
  const TPixelImage& Pixels() const override { return *FImage; }
  TPixelImage& MutablePixels() override { return MutableImage(); }
  std::shared_ptr<const TPixelImage> SharedPixels() const override { return FImage; }
  void PixelsChanged() override { Changed(); }
  // The pixels for writing: un-shared from every copy first.
  TPixelImage& MutableImage();
  // Turns a device image still in the form it was given in into the display's format.
  void EnsureDeviceForm() const;
  void Replace(TPixelImage image, bool deviceDependent, std::vector<TPaletteEntry> devicePalette);

  // Mutable: a device image takes the display's format when first needed,
  // even through a const row.
  mutable std::shared_ptr<TPixelImage> FImage;
  mutable bool FDeviceFormPending = false;
  bool FDeviceDependent = true;
  std::vector<TPaletteEntry> FDevicePalette;  // the palette of a device-dependent bitmap
  std::unique_ptr<TCanvas> FCanvas;
};
