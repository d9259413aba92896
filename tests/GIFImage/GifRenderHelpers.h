// Building small GIF documents for the rendering tests: frames with their
// place, indices, local table and transparent index, written as GIF bytes and
// read back by the codec; plus the colours of bitmaps and the messages of
// failed calls.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GIFImage.h"
#include "GifBuilder.h"
#include "RaisedBy.h"

struct TTestFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  TBytes Indices;                    // Width * Height, rows top to bottom
  std::vector<std::uint32_t> Local;  // 0xRRGGBB, none or a power of two of them
  int Transparent = -1;              // the transparent index, or -1 for an opaque frame
};

// A GIF file of the frames on a logical screen with an optional global table.
TBytes GifWith(int screenWidth, int screenHeight, const std::vector<std::uint32_t>& global,
               const std::vector<TTestFrame>& frames);
// The document read from the bytes; a failed read raises.
std::unique_ptr<TGIFImage> LoadGif(const TBytes& bytes);

// 0xRRGGBB as a colour.
TColor ColorOf(std::uint32_t rgb);
// The colours of a bitmap's pixels, rows top to bottom.
std::vector<TColor> BitmapColors(const TBitmap& bitmap);

// A document's draw flags with frames rendered dithered on any display.
inline std::uint16_t DitherAlways(std::uint16_t flags) {
  return static_cast<std::uint16_t>((flags | DrawOption::Dither) & ~DrawOption::AutoDither);
}

// Sets a unit-wide switch for the life of the scope.
class TSettingScope {
public:
  TSettingScope(bool& setting, bool value) : FSetting(setting), FOld(setting) { setting = value; }
  ~TSettingScope() { FSetting = FOld; }
  TSettingScope(const TSettingScope&) = delete;
  TSettingScope& operator=(const TSettingScope&) = delete;

private:
  bool& FSetting;
  bool FOld;
};
