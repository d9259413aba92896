// Text on a canvas, apart from the other figures so that a program that
// draws no text links neither the font renderer nor the font libraries.
#include "Canvas.h"
#include "FontRenderer.h"
#include "SafeBounds.h"

namespace {

TFontSpec SpecOf(const TFont& font) {
  TFontSpec spec;
  spec.Name = font.Name;
  spec.Size = font.Size;
  spec.Bold = font.Bold;
  spec.Italic = font.Italic;
  spec.Underline = font.Underline;
  spec.StrikeOut = font.StrikeOut;
  spec.PixelsPerInch = font.PixelsPerInch;
  return spec;
}

}  // namespace

void TCanvas::TextOut(int x, int y, const std::string& text) {
  const TTextRun run = RenderText(SpecOf(Font), text, TPoint{x, y}, ClipRect());
  if (Brush.Style == TBrushStyle::bsSolid) FillArea(SafeBounds(x, y, run.Width, run.Height), Brush.Color);
  Cover(run.Ink, Font.Color, TPenMode::pmCopy);
  PenPos = TPoint{SaturatedAdd(x, run.Width), y};
  FSurface.PixelsChanged();
}

TPoint TCanvas::TextExtent(const std::string& text) const { return ::TextExtent(SpecOf(Font), text); }
