// The frames of a GIF drawn onto a screen (TMonoScreen or TColourScreen):
// as the animation shows them, or each alone as stored.
//
// As shown: the screen starts white; each frame is drawn at its offset,
// clipped to the screen, through its colours, its transparent pixels leaving
// what lies beneath; before the next frame its disposal is applied ("none"
// and "do not dispose" keep the picture, "restore to background" clears the
// frame's area to white, "restore to previous" puts back the picture as it
// was before the frame). A frame without pixels leaves the picture as it is.
//
// As stored: the screen is white and the frame's own pixels lie at its
// top-left, all of them opaque.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "FrameLook.h"
#include "GIFImage.h"

namespace shown_frames {

template <class TScreen, class TCellOf>
std::array<typename TScreen::Cell, 256> CellsOf(const TFrameLook& look, TCellOf cellOf) {
  std::array<typename TScreen::Cell, 256> cells{};
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i] = cellOf(look.Colours[i]);
  return cells;
}

// Draws area of the frame, whose top-left corner lies at (left, top).
template <class TScreen>
void DrawFrameArea(TScreen& screen, TGIFSubImage& frame, int left, int top, const TRect& area,
                   const std::array<typename TScreen::Cell, 256>& cells, int transparent) {
  if (area.IsEmpty()) return;
  const std::uint8_t* pixels = frame.Pixels();
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* row = pixels + static_cast<std::size_t>(y - top) * frame.Width() + (area.Left - left);
    screen.DrawRow(y, area.Left, area.Right, row, cells.data(), transparent);
  }
}

}  // namespace shown_frames

// Composes frames 0 to last in order and calls shown(number, screen) with
// the screen as it shows after each of them is drawn. cellOf turns a colour
// into a cell of the screen.
template <class TScreen, class TCellOf, class TShown>
void ComposeAsShown(TGIFImage& gif, TScreen& screen, int last, TCellOf cellOf, TShown shown) {
  using namespace shown_frames;
  for (int number = 0; number <= last; ++number) {
    TGIFSubImage& frame = gif.Frames()[number];
    const TFrameLook look = LookOf(frame, screen.Width(), screen.Height());
    if (look.Area.IsEmpty()) {
      shown(number, screen);
      continue;
    }
    const auto saved = look.Disposal == DisposeToPrevious ? screen.SaveRows(look.Area.Top, look.Area.Bottom)
                                                          : decltype(screen.SaveRows(0, 0)){};
    DrawFrameArea(screen, frame, frame.Left(), frame.Top(), look.Area, CellsOf<TScreen>(look, cellOf), look.Transparent);
    shown(number, screen);
    if (look.Disposal == DisposeToBackground) screen.FillWhite(look.Area);
    if (look.Disposal == DisposeToPrevious) screen.RestoreRows(look.Area.Top, saved);
  }
}

// Makes the screen show the frame alone, as stored.
template <class TScreen, class TCellOf>
void DrawAsStored(TGIFImage& gif, TScreen& screen, int number, TCellOf cellOf) {
  using namespace shown_frames;
  screen.FillWhite(Rect(0, 0, screen.Width(), screen.Height()));
  TGIFSubImage& frame = gif.Frames()[number];
  const TFrameLook look = LookOf(frame, screen.Width(), screen.Height());
  if (frame.Empty()) return;
  const TRect area = IntersectRect(Bounds(0, 0, frame.Width(), frame.Height()), Rect(0, 0, screen.Width(), screen.Height()));
  DrawFrameArea(screen, frame, 0, 0, area, CellsOf<TScreen>(look, cellOf), -1);
}
