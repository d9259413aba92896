// Bitmaps for the import tests, built pixel by pixel, and the warnings and
// progress a document reports while frames are appended to it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "GIFImage.h"

// A device-independent image of the bit count whose pixel (x, y) has the
// given colour (indexed counts take the nearest entry of the table).
inline TBitmap MakeBitmap(int width, int height, int bitCount, const std::function<TColor(int, int)>& color,
                          std::vector<TPaletteEntry> table = {}) {
  TPixelImage image(width, height, bitCount, std::move(table));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, color(x, y));
  TBitmap bitmap;
  bitmap.SetImage(std::move(image), false);
  return bitmap;
}

// The same picture as a device-dependent bitmap, the kind a frame slot holds.
inline TBitmap MakeDeviceBitmap(int width, int height, const std::function<TColor(int, int)>& color) {
  TBitmap bitmap = MakeBitmap(width, height, 24, color);
  bitmap.SetPixelFormat(TPixelFormat::pfDevice);
  return bitmap;
}

// The colour of each pixel of a frame through its table, rows top to bottom.
inline std::vector<TColor> FrameColors(TGIFSubImage& frame) {
  std::vector<TColor> colors;
  for (int y = 0; y < frame.Height(); ++y)
    for (int x = 0; x < frame.Width(); ++x) colors.push_back(frame.LocalMap().ColorAt(frame.PixelIndex(x, y)));
  return colors;
}

struct TReports {
  std::vector<std::string> Warnings;
  std::vector<std::string> Progress;  // "stage:percent"
  void Attach(TGIFImage& image) {
    image.SetWarningHandler([this](TPersistent*, std::uint8_t, const std::string& message) {
      Warnings.push_back(message);
    });
    image.SetOnProgress([this](const std::string& text, TProgressStage stage, int percent) {
      EXPECT_EQ(text, sProgressConverting);
      Progress.push_back(std::to_string(static_cast<int>(stage)) + ":" + std::to_string(percent));
    });
  }
};
