// The document's side of animation: drawing itself (once, or through the
// painter of its view), making painters, and stopping them. All of it runs on
// the user-interface thread; the loops that wait for painters keep running
// their hand-overs, because a painter may be blocked in one.
#include "Canvas.h"
#include "FlagScope.h"
#include "GIFImage.h"
#include "GIFPainterList.h"

namespace {

// How long a stop loop waits for a hand-over before it looks again.
constexpr int StopPollMs = 10;

TThreadServices* CurrentPainterServices = nullptr;

// The painter ends without the user-interface thread: there is none to run
// its steps from here. It leaves the list, and the document, at once.
void EndAtOnce(TGIFPainterList& painters, TGIFPainter& painter) {
  painter.EndWithoutHandOver();
  painter.ReleaseOwnerSlot();
  painter.ForgetDocument();
  painters.Remove(&painter);
}

}  // namespace

TThreadServices& PainterServices() {
  return CurrentPainterServices != nullptr ? *CurrentPainterServices : SystemThreadServices();
}

void SetPainterServices(TThreadServices* services) { CurrentPainterServices = services; }

void TGIFImage::Draw(TCanvas& canvas, const TRect& rect) {
  if (FDrawing || Empty()) return;
  const TFlagScope drawing(FDrawing);
  if (FFrames.Count() == 1 || (FDrawFlags & DrawOption::Animated) == 0) {
    FFrames[0].Draw(canvas, rect, (FDrawFlags & DrawOption::Transparent) != 0, (FDrawFlags & DrawOption::Tiled) != 0);
    return;
  }
  // A painter is already painting into the view bitmap.
  if (FViewBitmap && (FDrawFlags & DrawOption::PaintDirect) == 0) return DrawTiled(canvas, rect, *FViewBitmap);
  const std::lock_guard guard(FPainters->Lock());
  // The same place drawn again: the running animation goes on.
  if (FViewPainter != nullptr && !FViewPainter->Terminated() && FViewPainter->CanvasAlive() &&
      FViewPainter->Canvas() == &canvas && FViewPainter->DestRect() == rect)
    return;
  StopViewPainter();
  StartViewPainter(canvas, rect);
}

// Without PaintDirect the painter paints into the view bitmap, which starts
// as what lies under the document's area, and the first frame is waited for.
void TGIFImage::StartViewPainter(TCanvas& canvas, const TRect& rect) {
  const bool direct = (FDrawFlags & DrawOption::PaintDirect) != 0;
  TCanvas* target = &canvas;
  TRect targetRect = rect;
  if (!direct) {
    if (!FViewBitmap) {
      auto bitmap = std::make_unique<TBitmap>();
      if (const std::optional<TPalette> palette = DocumentPalette()) bitmap->SetPalette(*palette);
      bitmap->SetSize(Width(), Height());
      bitmap->OnChange = [this](TGraphic&) { Changed(); };
      FViewBitmap = std::move(bitmap);
    }
    target = &FViewBitmap->Canvas();
    targetRect = Rect(0, 0, Width(), Height());
    target->CopyRect(targetRect, canvas, rect);
  }
  CreatePainter(&FViewPainter, *target, FDrawFlags, targetRect);
  if (FViewPainter == nullptr) return;
  FViewPainter->BeginPainting();
  if (direct) return;
  TThreadServices& services = FViewPainter->Services();
  while (FViewPainter != nullptr && !FViewPainter->Terminated() && !FViewPainter->Started() &&
         services.InMainThread())
    services.CheckSynchronize(StopPollMs);
  if (FViewBitmap) DrawTiled(canvas, rect, *FViewBitmap);
}

// Stretched into rect, or with Tiled repeated at the document's own size,
// the cells at the right and bottom edges drawn whole.
void TGIFImage::DrawTiled(TCanvas& canvas, const TRect& rect, TBitmap& bitmap) {
  if ((FDrawFlags & DrawOption::Tiled) == 0) return canvas.StretchDraw(rect, &bitmap);
  if (Width() <= 0 || Height() <= 0) return;
  const TRect clip = IntersectRect(rect, canvas.ClipRect());
  for (int x = rect.Left; x < clip.Right; x += Width())
    for (int y = rect.Top; y < clip.Bottom; y += Height())
      if (x + Width() > clip.Left && y + Height() > clip.Top) canvas.StretchDraw(Bounds(x, y, Width(), Height()), &bitmap);
}

TGIFPainter* TGIFImage::CreatePainter(TGIFPainter** ownerSlot, TCanvas& canvas, std::uint16_t options,
                                      const TRect& rect) {
  if (Empty() || rect.IsEmpty()) {
    if (ownerSlot != nullptr) *ownerSlot = nullptr;
    return nullptr;
  }
  if (FFrames.Count() == 1) options &= static_cast<std::uint16_t>(~(DrawOption::Threaded | DrawOption::Animated));
  auto painter = std::make_unique<TGIFPainter>(*this, canvas, rect, options, ownerSlot, PainterServices());
  TGIFPainter& made = *painter;
  made.OnAnimationStart = FOnAnimationStart;
  made.OnBeforeFrame = FOnBeforeFrame;
  made.OnAfterFrame = FOnAfterFrame;
  made.OnLoopRestart = FOnLoopRestart;
  made.OnAnimationEnd = FOnAnimationEnd;
  if ((options & DrawOption::Threaded) != 0) {
    made.SetPriority(FPainterPriority);
    const std::lock_guard guard(FPainters->Lock());
    FPainters->AddOwned(std::move(painter));
    return &made;
  }
  {
    const std::lock_guard guard(FPainters->Lock());
    FPainters->AddListed(made);
  }
  made.Execute();
  // A hook may have freed the document meanwhile; then the slot went with it.
  const bool documentAlive = made.Document() != nullptr;
  made.FinishPainter();
  if (documentAlive && ownerSlot != nullptr) *ownerSlot = nullptr;
  return nullptr;
}

void TGIFImage::StopViewPainter() {
  for (;;) {
    TThreadServices* services = nullptr;
    {
      const std::lock_guard guard(FPainters->Lock());
      if (FViewPainter == nullptr) break;
      TGIFPainter& painter = *FViewPainter;
      painter.RequestStop();
      if (!painter.Threaded()) break;
      services = &painter.Services();
      if (!services->InMainThread()) {
        EndAtOnce(*FPainters, painter);
        continue;
      }
    }
    services->CheckSynchronize(StopPollMs);
  }
  FViewBitmap.reset();
}

void TGIFImage::StopAllPainters() {
  for (;;) {
    TThreadServices* services = nullptr;
    {
      const std::lock_guard guard(FPainters->Lock());
      for (int i = FPainters->Count() - 1; i >= 0; --i) {
        TGIFPainter& painter = (*FPainters)[i];
        painter.RequestStop();
        if (painter.Threaded()) services = &painter.Services();
      }
      // Painters that are not threaded end when their own run returns.
      if (services == nullptr) break;
      if (!services->InMainThread()) {
        for (int i = FPainters->Count() - 1; i >= 0; --i)
          if ((*FPainters)[i].Threaded()) EndAtOnce(*FPainters, (*FPainters)[i]);
        break;
      }
    }
    services->CheckSynchronize(StopPollMs);
  }
  FViewBitmap.reset();
}

void TGIFImage::FreeViewBitmap() {
  {
    const std::lock_guard guard(FPainters->Lock());
    if (FViewPainter != nullptr) FViewPainter->RequestStop();
  }
  FViewBitmap.reset();
}
