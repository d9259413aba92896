// A painter's life: construction with its buffers and wake-up event, the
// start of its thread, the stop request, the hand-over of its steps to the
// user-interface thread, and its finish.
#include "GIFPainter.h"

#include "Canvas.h"
#include "GIFPainterList.h"

TGIFPainter::TGIFPainter(TGIFImage& document, TGIFPainterList& list, TCanvas& canvas, const TRect& rect,
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
  TGIFImage* document = FDocument;
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
