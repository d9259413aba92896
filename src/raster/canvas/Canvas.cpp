#include "Canvas.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Coverage.h"
#include "Graphic.h"
#include "RowCodec.h"
#include "SafeBounds.h"

TCanvas::TCanvas(TCanvasSurface& surface) : FSurface(surface), FAlive(std::make_shared<const int>(0)) {}

TCanvas::~TCanvas() = default;

TRect TCanvas::ClipRect() const {
  const TPixelImage& image = FSurface.Pixels();
  return TRect{0, 0, image.Width(), image.Height()};
}

bool TCanvas::Inside(int x, int y) const {
  const TPixelImage& image = FSurface.Pixels();
  return x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

TColor TCanvas::PixelColor(int x, int y) const {
  if (!Inside(x, y)) return clNoColor;
  return FSurface.Pixels().GetPixel(x, y);
}

void TCanvas::SetPixelColor(int x, int y, TColor color) {
  if (!Inside(x, y)) return;
  FSurface.MutablePixels().SetPixel(x, y, ColorToRGB(color));
  FSurface.PixelsChanged();
}

void TCanvas::MoveTo(int x, int y) { PenPos = TPoint{x, y}; }

void TCanvas::LineTo(int x, int y) {
  const TPoint to{x, y};
  Cover(LineCoverage(ClipRect(), PenPos, to, Pen.Width, Pen.Style), Pen.Color, Pen.Mode);
  PenPos = to;
  FSurface.PixelsChanged();
}

// A pen that draws has a width of at least 1, so that outline and interior
// never share a pixel; 0 tells the rasteriser that there is no outline.
int TCanvas::OutlineWidth() const { return Pen.Style == TPenStyle::psClear ? 0 : std::max(1, Pen.Width); }

void TCanvas::Figure(const TCoverage& interior, const TCoverage& outline) {
  if (Brush.Style == TBrushStyle::bsSolid) Cover(interior, Brush.Color, Pen.Mode);
  Cover(outline, Pen.Color, Pen.Mode);
  FSurface.PixelsChanged();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const TRect box{x1, y1, x2, y2};
  Figure(RectangleInterior(ClipRect(), box, OutlineWidth()),
         RectangleOutline(ClipRect(), box, OutlineWidth(), Pen.Style));
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const TRect box{x1, y1, x2, y2};
  Figure(EllipseInterior(ClipRect(), box, OutlineWidth()), EllipseOutline(ClipRect(), box, OutlineWidth(), Pen.Style));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  const TRect box{x1, y1, x2, y2};
  Figure(RoundRectInterior(ClipRect(), box, cornerWidth, cornerHeight, OutlineWidth()),
         RoundRectOutline(ClipRect(), box, cornerWidth, cornerHeight, OutlineWidth(), Pen.Style));
}

void TCanvas::FillRect(const TRect& rect) {
  if (Brush.Style == TBrushStyle::bsClear) return;
  FillArea(rect, Brush.Color);
  FSurface.PixelsChanged();
}

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  graphic->Draw(*this, SafeBounds(x, y, graphic->Width(), graphic->Height()));
}

void TCanvas::StretchDraw(const TRect& rect, TGraphic* graphic) {
  if (graphic == nullptr || graphic->Empty()) return;
  graphic->Draw(*this, rect);
}

void TCanvas::CopyRect(const TRect& destRect, const TCanvas& source, const TRect& sourceRect) {
  // Held while copying: the source may be this very canvas.
  const std::shared_ptr<const TPixelImage> pixels = source.FSurface.SharedPixels();
  CopyImage(destRect, *pixels, sourceRect, ColorToRGB(source.Brush.Color));
}

void TCanvas::CopyImage(const TRect& destRect, const TPixelImage& image, const TRect& sourceRect, TColor sourceBackground) {
  const TBlitColors colors{sourceBackground, Font.Color, Brush.Color};
  StretchBlit(FSurface.MutablePixels(), destRect, image, sourceRect, colors, CopyMode);
  FSurface.PixelsChanged();
}

void TCanvas::MaskCopy(int x, int y, const TPixelImage& image, const TPixelImage& mask, TColor sourceBackground) {
  const TBlitColors colors{sourceBackground, Font.Color, Brush.Color};
  MaskBlit(FSurface.MutablePixels(), TPoint{x, y}, image, mask, colors);
  FSurface.PixelsChanged();
}

void TCanvas::FillArea(const TRect& rect, TColor color) {
  const TRect area = IntersectRect(rect, ClipRect());
  if (area.IsEmpty()) return;
  TPixelImage& image = FSurface.MutablePixels();
  TRowCodec codec(image);
  const std::uint32_t raw = codec.RawOf(ColorToRGB(color));
  for (int y = area.Top; y < area.Bottom; ++y) codec.Fill(image.ScanLine(y), area.Left, area.Width(), raw);
}

void TCanvas::Cover(const TCoverage& coverage, TColor color, TPenMode mode) {
  if (coverage.Empty()) return;
  TPixelImage& image = FSurface.MutablePixels();
  TRowCodec codec(image);
  const TColor rgb = ColorToRGB(color);
  if (mode == TPenMode::pmCopy) {
    const std::uint32_t raw = codec.RawOf(rgb);
    coverage.ForEachSpan([&](int y, int x1, int x2) { codec.Fill(image.ScanLine(y), x1, x2 - x1, raw); });
    return;
  }
  std::vector<TColor> pixels;
  coverage.ForEachSpan([&](int y, int x1, int x2) {
    pixels.resize(static_cast<std::size_t>(x2 - x1));
    codec.Decode(image.ScanLine(y), x1, x2 - x1, pixels.data());
    for (TColor& c : pixels) c = ~(c ^ rgb) & 0xFFFFFF;
    codec.Encode(image.ScanLine(y), x1, x2 - x1, pixels.data());
  });
}
