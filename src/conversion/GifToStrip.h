// GIF to strip: the use case that the Converter window's Open and korvane-cli
// gif2bmx both run. The chosen frames of a loaded GIF become the four bands
// of a black-and-white BMX strip, by the user's StripOptions.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "FrameSelection.h"
#include "GIFImage.h"
#include "StripOptions.h"

class StripConversion {
public:
  std::unique_ptr<TBitmap> Strip;  // 1 bit per pixel, four bands stacked
  std::array<int, 4> FramesUsed{};  // the frame of each band, counted from 0
  int FrameCount = 0;               // the GIF's frames
  std::vector<std::string> Notes;   // for the user: frames dropped, a strip all of one colour
  bool OneColour = false;           // the strip is all black or all white: another method may show more

  // The picture for frame slot k + 1 (k from 0 to 3): the frame's own bitmap
  // when taken as stored, else band k of the strip; nullptr when there is
  // nothing to show (a frame without an image, taken as stored).
  std::unique_ptr<TBitmap> Band(int k) const;

private:
  friend StripConversion GifToStrip(TGIFImage& gif, const StripOptions& options);
  std::vector<std::unique_ptr<TBitmap>> FStoredBands;  // as stored: copies of the frames' bitmaps
};

// Turns the loaded GIF into its strip. Refuses a GIF of fewer than four
// frames by default (EShortGif); the GIF's own failures pass through.
StripConversion GifToStrip(TGIFImage& gif, const StripOptions& options);
