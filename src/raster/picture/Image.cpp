#include "Image.h"

#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "SurfaceMessages.h"

TImage::TImage(int width, int height) : FWidth(std::max(0, width)), FHeight(std::max(0, height)) {
  FSurface.OnChange = [this](TGraphic&) {
    if (!FPainting) Report();
  };
  FPicture.OnChange = [this] { Invalidate(); };
  FPicture.OnReleasing = [this](TGraphic&) { DropSurface(); };
}

TImage::~TImage() {
  FPicture.OnReleasing = nullptr;
  FPicture.OnChange = nullptr;
  FSurface.OnChange = nullptr;
}

void TImage::SetWidth(int width) { SetSize(width, Height()); }
void TImage::SetHeight(int height) { SetSize(Width(), height); }

void TImage::SetSize(int width, int height) {
  FWidth = std::max(0, width);
  FHeight = std::max(0, height);
  if (FSurfaceMade) FSurface.SetSize(FWidth, FHeight);
  FOutOfDate = true;
  // The view itself changes size, so this is reported even while a repaint
  // is pending.
  FRepaintRequested = true;
  Report();
}

void TImage::SetStretch(bool stretch) {
  FStretch = stretch;
  Invalidate();
}

void TImage::SetProportional(bool proportional) {
  FProportional = proportional;
  Invalidate();
}

void TImage::SetColor(TColor color) {
  FColor = color;
  Invalidate();
}

TCanvas& TImage::Canvas() {
  if (FPicture.Graphic() == nullptr) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(Width(), Height());
    TBitmap& held = *bitmap;
    FPicture.SetGraphic(std::move(bitmap));
    return held.Canvas();
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(FPicture.Graphic())) return bitmap->Canvas();
  throw EInvalidGraphicOperation(SImageNeedsBitmap);
}

TRect TImage::DestRect() const {
  const int w = FPicture.Width(), h = FPicture.Height();
  const int cw = Width(), ch = Height();
  if (!(FStretch || (FProportional && (w > cw || h > ch)))) return TRect{0, 0, w, h};
  if (!FProportional || w <= 0 || h <= 0) return TRect{0, 0, cw, ch};
  const double aspect = static_cast<double>(w) / h;
  int width = 0, height = 0;
  if (w > h) {
    width = cw;
    height = static_cast<int>(std::trunc(cw / aspect));
    if (height > ch) {
      height = ch;
      width = static_cast<int>(std::trunc(ch * aspect));
    }
  } else {
    height = ch;
    width = static_cast<int>(std::trunc(ch * aspect));
    if (width > cw) {
      width = cw;
      height = static_cast<int>(std::trunc(cw / aspect));
    }
  }
  return TRect{0, 0, width, height};
}

namespace {

// The surface's own change reports are held back while it is painted:
// painting is the answer to a report, not a new one.
struct TPaintingScope {
  bool& Flag;
  explicit TPaintingScope(bool& flag) : Flag(flag) { Flag = true; }
  ~TPaintingScope() { Flag = false; }
};

TRect Moved(const TRect& rect, TPoint by) {
  return TRect{rect.Left - by.X, rect.Top - by.Y, rect.Right - by.X, rect.Bottom - by.Y};
}

}  // namespace

void TImage::MakeSurface() {
  if (FSurfaceMade) return;
  const TPaintingScope scope(FPainting);
  FSurface.SetSize(FWidth, FHeight);
  FSurfaceMade = true;
  FOutOfDate = true;
}

// The old picture's painters end as it goes, before any of their steps can
// run again, so none paints on the surface afterwards.
void TImage::DropSurface() {
  if (!FSurfaceMade) return;
  const TPaintingScope scope(FPainting);
  FSurface.SetSize(0, 0);
  // A surface made again is filled with this brush, the white of a new one.
  FSurface.Canvas().Brush = TBrush{};
  FSurfaceMade = false;
}

const TBitmap& TImage::Surface() {
  MakeSurface();
  if (FOutOfDate) Paint();
  return FSurface;
}

TCanvas& TImage::SurfaceCanvas() {
  MakeSurface();
  return FSurface.Canvas();
}

TPixelImage TImage::SurfaceArea(const TRect& area) {
  const TRect part = IntersectRect(area, TRect{0, 0, FWidth, FHeight});
  if (part.IsEmpty()) return TPixelImage(0, 0, 32);
  const TGraphic* graphic = FPicture.Graphic();
  if (FSurfaceMade || (graphic != nullptr && graphic->PaintsOverTime())) {
    const TPixelImage& whole = Surface().Image();
    TPixelImage cut(part.Width(), part.Height(), 32);
    for (int y = 0; y < part.Height(); ++y)
      std::copy_n(whole.ScanLine(part.Top + y) + 4 * part.Left, 4 * part.Width(), cut.ScanLine(y));
    return cut;
  }
  FRepaintRequested = false;
  TBitmap target;
  target.SetSize(part.Width(), part.Height());
  PaintOnto(target, TPoint{part.Left, part.Top});
  return target.Image();
}

void TImage::Paint() {
  MakeSurface();
  const TPaintingScope scope(FPainting);
  FOutOfDate = false;
  FRepaintRequested = false;
  PaintOnto(FSurface, TPoint{0, 0});
}

void TImage::PaintOnto(TBitmap& target, TPoint origin) {
  TCanvas& canvas = target.Canvas();
  TGraphic* graphic = FPicture.Graphic();
  const bool shown = graphic != nullptr && !graphic->Empty();
  const TRect dest = shown ? DestRect() : TRect{};
  const TBrush brush = canvas.Brush;
  canvas.Brush = TBrush{FColor, TBrushStyle::bsSolid};
  canvas.FillRect(Moved(TRect{dest.Right, 0, Width(), Height()}, origin));
  canvas.FillRect(Moved(TRect{0, dest.Bottom, std::min(dest.Right, Width()), Height()}, origin));
  canvas.Brush = brush;
  if (shown) canvas.StretchDraw(Moved(dest, origin), graphic);
}

void TImage::Invalidate() {
  FOutOfDate = true;
  // Only a report that reached someone leaves a repaint pending.
  if (FRepaintRequested || !OnInvalidate) return;
  FRepaintRequested = true;
  Report();
}

void TImage::Report() {
  if (OnInvalidate) OnInvalidate(TRect{0, 0, Width(), Height()});
}
