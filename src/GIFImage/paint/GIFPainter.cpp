// A painter's life: construction with its buffers and wake-up event, the
// start of its thread, the stop request, the hand-over of its steps to the
// user-interface thread, and its finish; and painting one frame on the
// user-interface thread: straight onto the destination, or composed off
// screen when frames dispose to the background or to the previous state, so
// that no disposal step ever shows.
#include "GIFPainter.h"

#include <algorithm>

#include "Canvas.h"
#include "GIFExtensionList.h"
#include "GIFGraphicControlExtension.h"
#include "GIFHeader.h"
#include "GIFImageList.h"
#include "GIFMessages.h"
#include "GIFPainterList.h"
#include "GIFSubImage.h"

TGIFPainter::TGIFPainter(TGIFDocument& document, TGIFPainterList& list, TCanvas& canvas, const TRect& rect,
                         std::uint16_t options, TThreadServices& services)
    : FDocument(&document),
      FList(list),
      FCanvas(&canvas),
      FCanvasAlive(canvas.LivenessToken()),
      FDestRect(rect),
      FDrawFlags(options),
      FSpeedPercent(document.SpeedPercent()),
      FServices(services) {
  // A negative speed shows frames back to back: nothing to wake.
  if (Has(DrawOption::Threaded) && Has(DrawOption::Animated) && document.Frames().Count() > 1 && FSpeedPercent >= 0)
    FWakeEvent = FServices.MakeAutoResetEvent();
  FBackgroundColor = ResolveBackground();
  MakeBuffers();
}

TGIFPainter::~TGIFPainter() {
  if (FThread.joinable()) EndWithoutHandOver();
}

bool TGIFPainter::Threaded() const { return Has(DrawOption::Threaded); }

TColor TGIFPainter::ResolveBackground() const {
  if (FDocument->BackdropColor() != clNone) return ColorToRGB(FDocument->BackdropColor());
  if (FDocument->GlobalColorMap().Count() > 0) return FDocument->LogicalScreen().BackgroundColor();
  return ColorToRGB(clWindow);
}

// Buffers only when some frame disposes to background or to the previous
// state; the snapshot of what lay under the animation only when transparent
// frames are cleared to it.
void TGIFPainter::MakeBuffers() {
  bool toBackground = Has(DrawOption::ClearEachPass), toPrevious = false;
  const TGIFImageList& frames = FDocument->Frames();
  for (int i = 0; i < frames.Count(); ++i)
    for (int e = 0; e < frames[i].ExtList().Count(); ++e)
      if (const auto* control = dynamic_cast<const TGIFGraphicControlExtension*>(&frames[i].ExtList()[e])) {
        toBackground = toBackground || control->Disposal() == dmBackground;
        toPrevious = toPrevious || control->Disposal() == dmPrevious;
      }
  const auto makeBuffer = [this](bool fillFromCanvas) {
    auto buffer = std::make_unique<TBitmap>();
    TCanvas& canvas = buffer->Canvas();
    canvas.Brush = TBrush{FBackgroundColor, TBrushStyle::bsSolid};
    canvas.CopyMode = TCopyMode::cmSrcCopy;
    buffer->SetSize(FDestRect.Width(), FDestRect.Height());
    if (fillFromCanvas) canvas.CopyRect(Rect(0, 0, FDestRect.Width(), FDestRect.Height()), *FCanvas, FDestRect);
    return buffer;
  };
  if (toBackground && Has(DrawOption::Transparent)) FBackgroundSnapshot = makeBuffer(true);
  if (toBackground || toPrevious) {
    FCompositionBuffer = makeBuffer(true);
    FScratchBuffer = makeBuffer(false);
  }
}

void TGIFPainter::BeginPainting() {
  if (!Threaded() || FBegun.exchange(true)) return;
  FThread = std::thread([this] { ThreadBody(); });
}

void TGIFPainter::RequestStop() {
  FTerminated = true;
  if (!Threaded()) return;
  if (FWakeEvent) FWakeEvent->Signal();
  // A painter never begun still has to run to its finish.
  BeginPainting();
}

void TGIFPainter::ThreadBody() {
  Execute();
  // The finish runs on the user-interface thread once this thread is done.
  FServices.Queue(this, [this] { FinishPainter(); }, &FAbandoned);
}

bool TGIFPainter::CanvasAlive() const { return !FCanvasAlive.expired(); }

void TGIFPainter::RunOnUiThread(const std::function<void()>& step) {
  if (FTerminated) return;
  const auto guarded = [this, &step] {
    if (FTerminated) return;
    // The document or the destination may have gone while the step waited.
    if (FDocument == nullptr || !CanvasAlive()) {
      FTerminated = true;
      return;
    }
    step();
  };
  if (Threaded())
    FServices.Synchronize(this, guarded, &FAbandoned);
  else
    guarded();
}

void TGIFPainter::Fire(const TGIFPainterHook& hook) {
  if (hook && !FTerminated) hook(*this);
}

void TGIFPainter::FinishPainter() {
  if (FFinished) return;
  FFinished = true;
  if (FThread.joinable()) FThread.join();
  FActiveFrame = -1;
  // Holds this painter until the end of this call, then frees it.
  std::unique_ptr<TGIFPainter> self;
  TGIFDocument* document = FDocument;
  {
    const std::lock_guard guard(FList.Lock());
    self = FList.Remove(this);
    FDocument = nullptr;
  }
  // The error ended this painter only; the document's owner hears of it.
  if (document != nullptr && FStoredError) document->Warning(nullptr, WarningSeverity, *FStoredError);
  FCompositionBuffer.reset();
  FScratchBuffer.reset();
  FBackgroundSnapshot.reset();
  FWakeEvent.reset();
}

void TGIFPainter::EndWithoutHandOver() {
  FTerminated = true;
  FAbandoned = true;
  if (FWakeEvent) FWakeEvent->Signal();
  FServices.RemoveQueued(this);
  if (FThread.joinable()) FThread.join();
  FFinished = true;
}

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
