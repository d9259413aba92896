// Painting one frame on the user-interface thread: straight onto the
// destination, or composed off screen when frames dispose to the background
// or to the previous state, so that no disposal step ever shows.
#include <algorithm>

#include "Canvas.h"
#include "GIFPainter.h"

namespace {

// The reserved methods 4 to 7 paint like "no disposal".
std::uint8_t KnownDisposal(std::uint8_t disposal) { return disposal <= dmPrevious ? disposal : dmNone; }

TRect WholeArea(const TBitmap& bitmap) { return Rect(0, 0, bitmap.Width(), bitmap.Height()); }

// Copies the whole buffer into rect of the canvas, unchanged whatever the
// canvas's copy mode.
void CopyToCanvas(TCanvas& canvas, const TRect& rect, TBitmap& buffer) {
  const TCopyMode mode = canvas.CopyMode;
  canvas.CopyMode = TCopyMode::cmSrcCopy;
  canvas.CopyRect(rect, buffer.Canvas(), WholeArea(buffer));
  canvas.CopyMode = mode;
}

}  // namespace

void TGIFPainter::PaintFrame() {
  if (FCompositionBuffer)
    PaintFrameBuffered();
  else
    PaintFrameDirect();
}

void TGIFPainter::PaintFrameDirect() {
  FDocument->Frames()[FActiveFrame].Draw(*FCanvas, FDestRect, Has(DrawOption::Transparent), Has(DrawOption::Tiled));
  FStarted = true;
}

// A frame that restores the previous state is drawn on a copy of the
// composition, which keeps the state to restore; when the frame before it
// left the screen equal to the composition, straight onto the destination.
void TGIFPainter::PaintFrameBuffered() {
  const std::uint8_t disposal = KnownDisposal(FDisposal);
  const std::uint8_t previous = KnownDisposal(FPreviousDisposal);
  TCanvas* target = &FCompositionBuffer->Canvas();
  TRect targetRect = WholeArea(*FCompositionBuffer);
  TBitmap* shownBuffer = FCompositionBuffer.get();
  if (disposal == dmPrevious && (previous == dmNone || previous == dmKeep)) {
    target = FCanvas;
    targetRect = FDestRect;
    shownBuffer = nullptr;
  } else if (disposal == dmPrevious) {
    target = &FScratchBuffer->Canvas();
    shownBuffer = FScratchBuffer.get();
  }
  if (Has(DrawOption::ClearEachPass) && FActiveFrame == 0) ClearFrameArea();
  if (shownBuffer == FScratchBuffer.get())
    FScratchBuffer->Canvas().CopyRect(targetRect, FCompositionBuffer->Canvas(), targetRect);
  FDocument->Frames()[FActiveFrame].Draw(*target, targetRect, Has(DrawOption::Transparent), Has(DrawOption::Tiled));
  if (shownBuffer != nullptr) CopyToCanvas(*FCanvas, FDestRect, *shownBuffer);
  if (disposal == dmBackground) ClearFrameArea();
  FStarted = true;
}

// Restores the active frame's area of the composition: from the snapshot of
// what lay under the animation when frames are transparent, else with the
// background colour. Places are in the buffer's own coordinates.
void TGIFPainter::ClearFrameArea() {
  const TGIFSubImage& frame = FDocument->Frames()[FActiveFrame];
  TCanvas& buffer = FCompositionBuffer->Canvas();
  const TRect whole = WholeArea(*FCompositionBuffer);
  const bool transparent = Has(DrawOption::Transparent) && FBackgroundSnapshot != nullptr;
  const int screenWidth = FDocument->Width(), screenHeight = FDocument->Height();
  const bool tiledFill =
      Has(DrawOption::Tiled) && (transparent || (screenWidth != frame.Width() && screenHeight != frame.Height()));
  if (tiledFill) {
    // A backdrop colour of its own fills the tiles; without one, the background.
    if (FDocument->BackdropColor() != clNone) buffer.Brush.Color = FDocument->BackdropColor();
    const int stepX = screenWidth > 0 ? screenWidth : std::max<int>(frame.Width(), 1);
    const int stepY = screenHeight > 0 ? screenHeight : std::max<int>(frame.Height(), 1);
    for (int x = frame.Left(); x < whole.Right; x += stepX)
      for (int y = frame.Top(); y < whole.Bottom; y += stepY) {
        const TRect tile = Bounds(x, y, frame.Width(), frame.Height());
        if (transparent)
          buffer.CopyRect(tile, FBackgroundSnapshot->Canvas(), tile);
        else
          buffer.FillRect(tile);
      }
    return;
  }
  const TRect area = frame.ScaledBounds(whole);
  if (transparent)
    buffer.CopyRect(area, FBackgroundSnapshot->Canvas(), area);
  else
    buffer.FillRect(area);
}
