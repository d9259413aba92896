// The four picture sizes of the Logo editor, each with the size of its view
// (a whole multiple of the picture, so that a picture pixel shows as a square
// block), its "Big Size" view with the zoom divisor that goes with it, and the
// BMX strip of four frames that the Converter's output view receives.
#pragma once

#include <array>

#include "BmxStrip.h"

// The normal view shows every picture twice as large.
inline constexpr int NormalZoomDivisor = 2;

struct TEditorSize {
  int PictureWidth = 0;
  int PictureHeight = 0;
  int ViewWidth = 0;
  int ViewHeight = 0;
  int BigViewWidth = 0;
  int BigViewHeight = 0;
  int BigZoomDivisor = 0;
  int StripWidth = 0;
  int StripHeight = 0;  // four frames stacked

  int FrameTop(int frame) const { return (frame - 1) * FrameHeightOf(StripHeight); }  // frame 1 to 4
};

inline constexpr TEditorSize ScreenSaverSize{101, 64, 202, 128, 303, 192, 3, 101, 256};
inline constexpr TEditorSize LogoSize{101, 46, 202, 92, 303, 138, 3, 101, 184};
inline constexpr TEditorSize Ems16Size{16, 16, 32, 32, 128, 128, 8, 16, 64};
inline constexpr TEditorSize Ems72Size{72, 32, 144, 64, 288, 128, 4, 72, 128};

inline constexpr std::array<TEditorSize, 4> EditorSizes{ScreenSaverSize, LogoSize, Ems16Size, Ems72Size};

// The size of a picture of width x height, or nullptr for none of the four.
inline const TEditorSize* EditorSizeOf(int width, int height) {
  for (const TEditorSize& size : EditorSizes)
    if (size.PictureWidth == width && size.PictureHeight == height) return &size;
  return nullptr;
}
