#include "FrameLook.h"

#include <optional>

TFrameLook LookOf(TGIFSubImage& frame, int width, int height) {
  TFrameLook look;
  look.Colours.fill(clBlack);
  if (frame.Empty()) return look;
  if (const std::optional<TPalette> palette = frame.FramePalette())
    for (int i = 0; i < palette->Count(); ++i) {
      const TPaletteEntry& entry = palette->Entry(i);
      look.Colours[static_cast<std::size_t>(i)] = RGB(entry.peRed, entry.peGreen, entry.peBlue);
    }
  if (const TGIFGraphicControlExtension* control = frame.ControlBlock()) {
    if (frame.IsTransparent()) look.Transparent = control->TransparentIndex();
    look.Disposal = control->Disposal() <= DisposeToPrevious ? control->Disposal() : DisposeNone;
  }
  look.Area = IntersectRect(Bounds(frame.Left(), frame.Top(), frame.Width(), frame.Height()), Rect(0, 0, width, height));
  return look;
}
