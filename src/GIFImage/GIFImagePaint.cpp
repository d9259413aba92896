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
// its steps from here. It leaves the document, and the list, which frees it,
// at once.
void EndAtOnce(TGIFPainterList& painters, TGIFPainter& painter) {
  painter.EndWithoutHandOver();
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
  const TGIFPainter* view = FPainters->View();
  if (view != nullptr && !view->Terminated() && view->CanvasAlive() && view->Canvas() == &canvas &&
      view->DestRect() == rect)
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
  const TGIFDocumentOwnedPainter painter = MakePainter(*target, FDrawFlags, targetRect, true);
  if (!painter) return;
  painter->BeginPainting();
  if (direct) return;
  TThreadServices& services = painter->Services();
  // The view painter leaves the view when it finishes, and is freed then.
  const auto waiting = [&] {
    const TGIFPainter* view = FPainters->View();
    return view != nullptr && !view->Terminated() && !view->Started() && services.InMainThread();
  };
  while (waiting()) services.CheckSynchronize(StopPollMs);
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

TGIFDocumentOwnedPainter TGIFImage::CreatePainter(TCanvas& canvas, std::uint16_t options, const TRect& rect) {
  return MakePainter(canvas, options, rect, false);
}

TGIFPainter* TGIFImage::ViewPainter() const { return FPainters->View(); }

TGIFDocumentOwnedPainter TGIFImage::MakePainter(TCanvas& canvas, std::uint16_t options, const TRect& rect,
                                                bool asView) {
  if (Empty() || rect.IsEmpty()) return {};
  if (FFrames.Count() == 1) options &= static_cast<std::uint16_t>(~(DrawOption::Threaded | DrawOption::Animated));
  auto painter = std::make_unique<TGIFPainter>(*this, *FPainters, canvas, rect, options, PainterServices());
  TGIFPainter& made = *painter;
  made.OnAnimationStart = FOnAnimationStart;
  made.OnBeforeFrame = FOnBeforeFrame;
  made.OnAfterFrame = FOnAfterFrame;
  made.OnLoopRestart = FOnLoopRestart;
  made.OnAnimationEnd = FOnAnimationEnd;
  if ((options & DrawOption::Threaded) != 0) made.SetPriority(FPainterPriority);
  // A hook may free the document while a painter runs here: the list, and
  // the painter in it, stay until the painter's finish.
  const std::shared_ptr<TGIFPainterList> painters = FPainters;
  {
    const std::lock_guard guard(painters->Lock());
    painters->Add(std::move(painter));
    if (asView) painters->SetView(made);
  }
  if ((options & DrawOption::Threaded) != 0) return TGIFDocumentOwnedPainter(made);
  made.Execute();
  made.FinishPainter();
  return {};
}

void TGIFImage::StopViewPainter() {
  for (;;) {
    TThreadServices* services = nullptr;
    {
      const std::lock_guard guard(FPainters->Lock());
      if (FPainters->View() == nullptr) break;
      TGIFPainter& painter = *FPainters->View();
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
    if (TGIFPainter* view = FPainters->View()) view->RequestStop();
  }
  FViewBitmap.reset();
}
