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

#include <algorithm>
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

// Draws area of the frame, whose top-left corner lies at (left, top), row by
// row as decoding left it: the part of a row the data did not reach is one
// run of its fill value, never written out in the frame, so a frame that
// declares far more than its data holds costs little.
template <class TScreen>
void DrawFrameArea(TScreen& screen, TGIFSubImage& frame, int left, int top, const TRect& area,
                   const std::array<typename TScreen::Cell, 256>& cells, int transparent) {
  for (int y = area.Top; y < area.Bottom; ++y) {
    const TGIFSubImage::TDecodedRow decoded = frame.DecodedRow(y - top);
    const int reachedEnd = std::clamp(left + decoded.Reached, area.Left, area.Right);
    if (reachedEnd > area.Left)
      screen.DrawRow(y, area.Left, reachedEnd, decoded.Indices + (area.Left - left), cells.data(), transparent);
    if (reachedEnd < area.Right && decoded.Fill != transparent)
      screen.FillRow(y, reachedEnd, area.Right, cells[decoded.Fill]);
  }
}

}  // namespace shown_frames

namespace shown_frames {

// Whether the screen after the frame is drawn owes nothing to what it showed
// before: the frame covers the whole screen, has no transparent pixels, and
// does not put the earlier picture back afterwards.
inline bool HidesWhatCameBefore(TGIFSubImage& frame, int width, int height) {
  const TGIFGraphicControlExtension* control = frame.ControlBlock();
  const bool transparent = control != nullptr && frame.IsTransparent();
  const bool restores = control != nullptr && control->Disposal() == DisposeToPrevious;
  return !frame.Empty() && !transparent && !restores && frame.Left() == 0 && frame.Top() == 0 &&
         frame.Width() >= width && frame.Height() >= height;
}

// Draws the frame as the animation shows it, calls shown() with the screen
// showing it, then applies its disposal.
template <class TScreen, class TCellOf, class TShown>
void ShowFrame(TGIFSubImage& frame, TScreen& screen, TCellOf cellOf, TShown shown) {
  const TFrameLook look = LookOf(frame, screen.Width(), screen.Height());
  if (look.Area.IsEmpty()) {
    shown();
    return;
  }
  const auto saved = look.Disposal == DisposeToPrevious ? screen.SaveRows(look.Area.Top, look.Area.Bottom)
                                                        : decltype(screen.SaveRows(0, 0)){};
  DrawFrameArea(screen, frame, frame.Left(), frame.Top(), look.Area, CellsOf<TScreen>(look, cellOf), look.Transparent);
  shown();
  if (look.Disposal == DisposeToBackground) screen.FillWhite(look.Area);
  if (look.Disposal == DisposeToPrevious) screen.RestoreRows(look.Area.Top, saved);
}

}  // namespace shown_frames

// Composes the frames in order up to the last one wanted and calls
// shown(number, screen) with the screen as it shows each wanted frame.
// Frames that a later full opaque frame hides before the next wanted one are
// skipped (nor are their pixels decoded). cellOf turns a colour into a cell
// of the screen.
template <class TScreen, class TCellOf, class TShown>
void ComposeAsShown(TGIFImage& gif, TScreen& screen, const std::vector<bool>& wanted, TCellOf cellOf, TShown shown) {
  using namespace shown_frames;
  int next = 0;
  for (int target = 0; target < static_cast<int>(wanted.size()); ++target) {
    if (!wanted[static_cast<std::size_t>(target)]) continue;
    for (int later = target; later > next; --later)
      if (HidesWhatCameBefore(gif.Frames()[later], screen.Width(), screen.Height())) {
        next = later;
        break;
      }
    for (; next <= target; ++next)
      ShowFrame(gif.Frames()[next], screen, cellOf, [&] {
        if (next == target) shown(target, static_cast<const TScreen&>(screen));
      });
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
